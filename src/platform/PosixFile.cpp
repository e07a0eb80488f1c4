// The operating system's files, through POSIX calls. The only place in the program that opens a
// file or asks what kind of file a name leads to.

#include <cerrno>
#include <cstdint>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/PosixFile.h"

namespace vek {

namespace {

FileError CauseOf(int err) {
  switch (err) {
    case ENOENT: return FileError::NotFound;
    case EACCES:
    case EPERM:
    case EROFS: return FileError::AccessDenied;
    case ENAMETOOLONG:
    case ENOTDIR:
    case ELOOP:
    case EINVAL: return FileError::BadPath;
    case EMFILE:
    case ENFILE: return FileError::TooManyOpenFiles;
    case ETXTBSY:
    case EBUSY: return FileError::SharingViolation;
    case EAGAIN: return FileError::LockViolation;
    case EIO: return FileError::HardwareError;
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return FileError::DiskFull;
    case EISDIR: return FileError::IsDirectory;
    case ENXIO: return FileError::IsSocket; // what opening a socket gives
    default: return FileError::Other;
  }
}

// A read or write at an offset: the offset itself may be what the system refuses.
FileError TransferCause(int err) {
  return err == EINVAL || err == ESPIPE || err == EOVERFLOW ? FileError::BadOffset : CauseOf(err);
}

template <typename T> FileResult<T> Failure(FileError cause, int code) { return {T{}, cause, code}; }

FileIdentity IdentityOf(const struct stat& st) {
  return FileIdentity{static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)};
}

// Reads until `size` bytes have come or the end is reached, through interruptions and short reads.
// readSome(out, want, done) reads up to `want` bytes to `out`, the `done` bytes before them read.
template <typename ReadSome>
FileResult<std::size_t> ReadFully(void* buffer, std::size_t size, FileError (*cause)(int), ReadSome readSome) {
  auto* out = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = readSome(out + done, size - done, done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return {done, cause(errno), errno};
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return {done};
}

// A read-only shared mapping: it sees the page cache as it is, writes through WriteAt included.
class PosixMapping final : public FileMapping {
 public:
  PosixMapping(void* base, std::size_t length, std::span<const std::uint8_t> bytes)
      : FileMapping(bytes), m_base(base), m_length(length) {}
  ~PosixMapping() override { ::munmap(m_base, m_length); }

 private:
  void* m_base;
  std::size_t m_length;
};

std::size_t PageSize() {
  static const auto size = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  return size;
}

class PosixFile final : public File {
 public:
  PosixFile(int fd, bool hasSize, bool mappable) : m_fd(fd), m_hasSize(hasSize), m_mappable(mappable) {}
  ~PosixFile() override { ::close(m_fd); }
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;

  FileResult<Offset> Length() const override {
    // Where the end lies: this also measures block devices, whose st_size is 0.
    const off_t end = ::lseek(m_fd, 0, SEEK_END);
    if (end < 0) return Failure<Offset>(CauseOf(errno), errno);
    return {static_cast<Offset>(end)};
  }

  bool HasSize() const override { return m_hasSize; }

  FileResult<std::size_t> Read(void* buffer, std::size_t size) override {
    // A pipe hands over what its writer has written so far: short reads go on until the end.
    return ReadFully(buffer, size, CauseOf,
                     [this](char* out, std::size_t want, std::size_t) { return ::read(m_fd, out, want); });
  }

  FileResult<std::size_t> ReadAt(Offset offset, void* buffer, std::size_t size) const override {
    if (offset < 0) return Failure<std::size_t>(FileError::BadOffset, EINVAL);
    return ReadFully(buffer, size, TransferCause, [this, offset](char* out, std::size_t want, std::size_t done) {
      return ::pread(m_fd, out, want, static_cast<off_t>(offset) + static_cast<off_t>(done));
    });
  }

  FileStatus WriteAt(Offset offset, const void* buffer, std::size_t size) override {
    if (offset < 0) return Failure<std::monostate>(FileError::BadOffset, EINVAL);
    const auto* in = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
      const ssize_t n = ::pwrite(m_fd, in + done, size - done, static_cast<off_t>(offset) + static_cast<off_t>(done));
      if (n < 0) {
        if (errno == EINTR) continue;
        return Failure<std::monostate>(TransferCause(errno), errno);
      }
      if (n == 0) return Failure<std::monostate>(FileError::DiskFull, ENOSPC);
      done += static_cast<std::size_t>(n);
    }
    return {};
  }

  FileStatus Sync() override {
    if (::fdatasync(m_fd) == 0) return {};
    // Some special files cannot be synced; there is nothing of ours in a cache for them.
    if (errno == EINVAL || errno == EROFS) return {};
    return Failure<std::monostate>(CauseOf(errno), errno);
  }

  FileResult<FileIdentity> Identity() const override {
    struct stat st {};
    if (::fstat(m_fd, &st) != 0) return Failure<FileIdentity>(CauseOf(errno), errno);
    return {IdentityOf(st)};
  }

  std::unique_ptr<FileMapping> MapForReading(Offset offset, std::size_t size) const override {
    if (!m_mappable || offset < 0 || size == 0) return nullptr;
    // mmap takes offsets on a page boundary: the mapping starts at the page that holds `offset`.
    const std::size_t lead = static_cast<std::size_t>(offset) % PageSize();
    if (size > SIZE_MAX - lead) return nullptr;
    void* base = ::mmap(nullptr, size + lead, PROT_READ, MAP_SHARED, m_fd, static_cast<off_t>(offset) - static_cast<off_t>(lead));
    if (base == MAP_FAILED) return nullptr;
    return std::make_unique<PosixMapping>(base, size + lead,
                                          std::span(static_cast<const std::uint8_t*>(base) + lead, size));
  }

 private:
  int m_fd;
  bool m_hasSize;
  bool m_mappable; // a regular file: pipes, devices and the files of /proc are read
};

bool HasSize(const struct stat& st) { return (S_ISREG(st.st_mode) && st.st_size > 0) || S_ISBLK(st.st_mode); }

// The descriptor as a file, when it is of a kind the mode takes.
FileResult<std::unique_ptr<File>> FileOf(int fd, OpenMode mode) {
  struct stat st {};
  const bool known = ::fstat(fd, &st) == 0;
  const int err = errno;
  // Closes fd on every way out.
  auto file = std::make_unique<PosixFile>(fd, known && HasSize(st), known && S_ISREG(st.st_mode));
  if (!known) return Failure<std::unique_ptr<File>>(CauseOf(err), err);
  if (S_ISDIR(st.st_mode)) return Failure<std::unique_ptr<File>>(FileError::IsDirectory, EISDIR);
  if (S_ISFIFO(st.st_mode) && mode != OpenMode::Stream) return Failure<std::unique_ptr<File>>(FileError::IsPipe, 0);
  if (S_ISSOCK(st.st_mode)) return Failure<std::unique_ptr<File>>(FileError::IsSocket, 0);
  return {std::move(file)};
}

class PosixFileSystem final : public FileSystem {
 public:
  FileResult<std::unique_ptr<File>> Open(const std::string& path, OpenMode mode) override {
    if (path.empty()) return Failure<std::unique_ptr<File>>(FileError::NotFound, ENOENT);
    // O_NONBLOCK keeps the open of a FIFO from waiting for a writer; it is cleared again below,
    // once the file is known to be one that has pages. A stream waits, as cat does.
    const int access = mode == OpenMode::ReadWrite ? O_RDWR : O_RDONLY;
    const int wait = mode == OpenMode::Stream ? 0 : O_NONBLOCK;
    int fd = -1;
    do {
      fd = ::open(path.c_str(), access | O_CLOEXEC | O_NOCTTY | wait);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) return Failure<std::unique_ptr<File>>(CauseOf(errno), errno);
    FileResult<std::unique_ptr<File>> file = FileOf(fd, mode);
    if (file.ok() && wait != 0) {
      const int flags = ::fcntl(fd, F_GETFL);
      if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    }
    return file;
  }

  bool Exists(const std::string& path) override { return !path.empty() && ::access(path.c_str(), F_OK) == 0; }

  std::optional<FileIdentity> Identity(const std::string& path) override {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
    return IdentityOf(st);
  }
};

} // namespace

FileSystem& RealFileSystem() {
  static PosixFileSystem fileSystem;
  return fileSystem;
}

FileResult<std::unique_ptr<File>> OpenDescriptor(int fd) {
  const int own = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (own < 0) return Failure<std::unique_ptr<File>>(CauseOf(errno), errno);
  return FileOf(own, OpenMode::Stream);
}

} // namespace vek
