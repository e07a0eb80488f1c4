// The operating system's files, through POSIX calls.

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/File.h"

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
    case EISDIR:
    case ENXIO: return FileError::NotAFile;
    default: return FileError::Other;
  }
}

class PosixFile final : public File {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override { ::close(fd_); }
  PosixFile(const PosixFile&) = delete;
  PosixFile& operator=(const PosixFile&) = delete;

  FileResult<Offset> Length() override {
    const off_t end = ::lseek(fd_, 0, SEEK_END);
    if (end < 0) return {0, CauseOf(errno)};
    return {static_cast<Offset>(end)};
  }

  FileError Seek(Offset offset) override {
    if (offset < 0) return FileError::BadPath;
    return ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0 ? CauseOf(errno) : FileError::None;
  }

  FileResult<std::size_t> Read(void* buffer, std::size_t size) override {
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
      const ssize_t n = ::read(fd_, out + done, size - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        return {done, CauseOf(errno)};
      }
      if (n == 0) break;
      done += static_cast<std::size_t>(n);
    }
    return {done};
  }

  FileError Write(const void* buffer, std::size_t size) override {
    const auto* in = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < size) {
      const ssize_t n = ::write(fd_, in + done, size - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        return CauseOf(errno);
      }
      if (n == 0) return FileError::DiskFull;
      done += static_cast<std::size_t>(n);
    }
    return FileError::None;
  }

  FileError Sync() override {
    if (::fdatasync(fd_) == 0) return FileError::None;
    // Some special files cannot be synced; there is nothing of ours in a cache for them.
    if (errno == EINVAL || errno == EROFS) return FileError::None;
    return CauseOf(errno);
  }

 private:
  int fd_;
};

class PosixFileSystem final : public FileSystem {
 public:
  std::unique_ptr<File> Open(const std::string& path, OpenMode mode, FileError& error) override {
    error = FileError::None;
    if (path.empty()) {
      error = FileError::NotFound;
      return nullptr;
    }
    // O_NONBLOCK keeps the open of a FIFO from waiting for a writer; it is cleared again below.
    const int access = mode == OpenMode::Read ? O_RDONLY : O_RDWR;
    const int fd = ::open(path.c_str(), access | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
      error = CauseOf(errno);
      return nullptr;
    }
    auto file = std::make_unique<PosixFile>(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
      error = CauseOf(errno);
      return nullptr;
    }
    if (S_ISDIR(st.st_mode) || S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode)) {
      error = FileError::NotAFile;
      return nullptr;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return file;
  }

  bool Exists(const std::string& path) override {
    return !path.empty() && ::access(path.c_str(), F_OK) == 0;
  }

  std::optional<FileIdentity> Identity(const std::string& path) override {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0) return std::nullopt;
    return FileIdentity{static_cast<unsigned long long>(st.st_dev),
                        static_cast<unsigned long long>(st.st_ino)};
  }
};

} // namespace

FileSystem& RealFileSystem() {
  static PosixFileSystem fileSystem;
  return fileSystem;
}

} // namespace vek
