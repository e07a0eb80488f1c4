// The journal's files, through POSIX calls. Every step works from a descriptor of the journal's
// directory (openat, renameat), so that no name is looked up twice and nothing planted between
// a check and its use is followed. Appends take the directory's lock: two runs of vek may write at
// once, and the one that turns the current file into the previous one must not lose the other's
// records.
//
// The current file ends in zero bytes that a record is written over: a sync of bytes written in
// place costs about 70 percent of the sync of an append, which must also record the file's new
// size, and the journal's sync comes on top of every edit's own. The file grows a chunk of zeros
// at a time, and whoever reads it leaves the zeros out.

#include "platform/PosixJournalStore.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/FileErrorText.h"
#include "core/FileNameText.h"
#include "platform/UniqueFd.h"

namespace vek {

namespace {

constexpr mode_t kPrivateDirectory = S_IRWXU; // 0700
constexpr mode_t kPrivateFile = S_IRUSR | S_IWUSR; // 0600
constexpr mode_t kOthersWrite = S_IWGRP | S_IWOTH;
constexpr mode_t kOthersAny = S_IRWXG | S_IRWXO;
constexpr std::size_t kReadChunk = std::size_t{64} * 1024;
constexpr std::size_t kPaddingChunk = std::size_t{64} * 1024; // zeros added when a record does not fit

constexpr const char* kNoPlace = "there is no place for the journal: neither XDG_STATE_HOME nor HOME is an absolute path";

std::string Problem(const std::string& path, std::string_view reason) { return FileProblem(DecodeFileName(path), reason); }
std::string SystemProblem(const std::string& path, int err) { return Problem(path, std::strerror(err)); }

std::string LinkProblem(const std::string& path) {
  return Problem(path, "is a symbolic link; the journal is not used through it");
}
std::string NotRegularProblem(const std::string& path) {
  return Problem(path, "is not a regular file; the journal is not used");
}

std::string Below(const std::string& directory, std::string_view name) { return directory + "/" + std::string(name); }

int OpenAt(int directory, const char* name, int flags, mode_t mode = 0) {
  int fd = -1;
  do {
    fd = ::openat(directory, name, flags | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

// Refuses what another user owns or can write; takes from the others what they may read.
std::optional<std::string> CheckPrivate(int fd, const struct stat& st, const std::string& path, mode_t privateMode,
                                        bool tighten) {
  if (st.st_uid != ::geteuid()) return Problem(path, "belongs to another user; the journal is not used");
  if ((st.st_mode & kOthersWrite) != 0) {
    return Problem(path, "can be written by other users; the journal is not used (make it private with chmod " +
                             std::string(privateMode == kPrivateDirectory ? "700" : "600") + ")");
  }
  if (tighten && (st.st_mode & kOthersAny) != 0 && ::fchmod(fd, privateMode) != 0) return SystemProblem(path, errno);
  return std::nullopt;
}

struct OpenedDirectory {
  UniqueFd fd;
  struct stat st {};
  std::optional<std::string> problem;
  bool missing = false;
};

// Makes each missing directory on the way to `path`, 0700 as XDG asks.
std::optional<std::string> MakeDirectories(const std::string& path) {
  for (std::size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string prefix = path.substr(0, slash);
    if (!prefix.empty() && ::mkdir(prefix.c_str(), kPrivateDirectory) != 0 && errno != EEXIST) {
      return Problem(prefix, "cannot be made (" + std::string(std::strerror(errno)) + "); the journal is not written");
    }
    if (slash == std::string::npos) return std::nullopt;
  }
}

OpenedDirectory OpenDirectory(const std::string& path, bool create) {
  OpenedDirectory opened;
  opened.fd = UniqueFd(OpenAt(AT_FDCWD, path.c_str(), O_RDONLY | O_DIRECTORY));
  if (!opened.fd.Valid() && errno == ENOENT && create) {
    if (std::optional<std::string> problem = MakeDirectories(path)) {
      opened.problem = std::move(problem);
      return opened;
    }
    opened.fd = UniqueFd(OpenAt(AT_FDCWD, path.c_str(), O_RDONLY | O_DIRECTORY));
  }
  if (!opened.fd.Valid()) {
    const int err = errno;
    opened.missing = err == ENOENT;
    // O_DIRECTORY meets a link before O_NOFOLLOW does, and says ENOTDIR.
    struct stat st {};
    const bool link = err == ELOOP || (err == ENOTDIR && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode));
    opened.problem = link ? LinkProblem(path) : SystemProblem(path, err);
    return opened;
  }
  if (::fstat(opened.fd.Get(), &opened.st) != 0) {
    opened.problem = SystemProblem(path, errno);
  } else {
    opened.problem = CheckPrivate(opened.fd.Get(), opened.st, path, kPrivateDirectory, create);
  }
  return opened;
}

// The directory's lock, held while it lives.
class DirectoryLock {
 public:
  DirectoryLock(int fd, int operation) : m_fd(fd) {
    int result = 0;
    do {
      result = ::flock(fd, operation);
    } while (result != 0 && errno == EINTR);
    m_error = result == 0 ? 0 : errno;
  }
  ~DirectoryLock() {
    if (m_error == 0) ::flock(m_fd, LOCK_UN);
  }
  DirectoryLock(const DirectoryLock&) = delete;
  DirectoryLock& operator=(const DirectoryLock&) = delete;
  int Error() const { return m_error; }

 private:
  int m_fd;
  int m_error = 0;
};

struct OpenedFile {
  UniqueFd fd;
  struct stat st {};
  bool created = false;
  std::optional<std::string> problem;
};

std::optional<std::string> CheckJournalFile(OpenedFile& file, const std::string& path, bool tighten) {
  if (::fstat(file.fd.Get(), &file.st) != 0) return SystemProblem(path, errno);
  if (!S_ISREG(file.st.st_mode)) return NotRegularProblem(path);
  return CheckPrivate(file.fd.Get(), file.st, path, kPrivateFile, tighten);
}

// The current file for appending, made when there is none.
OpenedFile OpenForAppend(int directory, const std::string& path) {
  OpenedFile file;
  constexpr int kAppend = O_RDWR | O_NONBLOCK;
  file.fd = UniqueFd(OpenAt(directory, std::string(kJournalFileName).c_str(), kAppend));
  if (!file.fd.Valid() && errno == ENOENT) {
    file.fd = UniqueFd(OpenAt(directory, std::string(kJournalFileName).c_str(), kAppend | O_CREAT | O_EXCL, kPrivateFile));
    file.created = file.fd.Valid();
  }
  if (!file.fd.Valid()) {
    file.problem = errno == ELOOP    ? LinkProblem(path)
                   : errno == EISDIR ? NotRegularProblem(path)
                                     : SystemProblem(path, errno);
    return file;
  }
  file.problem = CheckJournalFile(file, path, true);
  return file;
}

// Reads `size` bytes from the start, or fewer where the file ends sooner.
bool ReadAll(int fd, std::size_t size, std::string& bytes) {
  bytes.resize(size);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd, bytes.data() + done, std::min(kReadChunk, size - done), static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return true;
}

std::size_t LineCount(std::string_view bytes) {
  return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
}

// Where the records end and the padding begins.
std::size_t ContentEnd(std::string_view bytes) {
  const std::size_t last = bytes.find_last_not_of('\0');
  return last == std::string_view::npos ? 0 : last + 1;
}

bool WriteAllAt(int fd, std::string_view bytes, long long offset) {
  while (!bytes.empty()) {
    const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = ENOSPC;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
    offset += n;
  }
  return true;
}

} // namespace

PosixJournalStore::PosixJournalStore(std::optional<std::string> directory, std::size_t recordsPerFile)
    : m_directory(std::move(directory)), m_recordsPerFile(recordsPerFile) {}

PosixJournalStore::Counted PosixJournalStore::CountedOf(unsigned long long inode, std::string_view bytes) {
  const std::size_t end = ContentEnd(bytes);
  return {true, inode, static_cast<long long>(end), LineCount(bytes), end == 0 || bytes[end - 1] == '\n'};
}

std::optional<std::string> PosixJournalStore::KeepDirectoryOpen() {
  const std::string& path = *m_directory;
  if (m_dir.Valid()) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && st.st_dev == m_dirDevice && st.st_ino == m_dirInode) {
      return CheckPrivate(m_dir.Get(), st, path, kPrivateDirectory, true);
    }
    m_dir.Reset();
    m_file.Reset();
  }
  OpenedDirectory opened = OpenDirectory(path, true);
  if (opened.problem) return opened.problem;
  m_dir = std::move(opened.fd);
  m_dirDevice = opened.st.st_dev;
  m_dirInode = opened.st.st_ino;
  return std::nullopt;
}

std::optional<std::string> PosixJournalStore::KeepFileOpen(const std::string& path) {
  if (m_file.Valid()) {
    struct stat st {};
    const std::string name(kJournalFileName);
    if (::fstatat(m_dir.Get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && st.st_ino == m_fileInode) {
      return std::nullopt;
    }
    m_file.Reset();
  }
  OpenedFile file = OpenForAppend(m_dir.Get(), path);
  if (file.problem) return file.problem;
  m_file = std::move(file.fd);
  m_fileInode = file.st.st_ino;
  m_fileIsNew = file.created;
  return std::nullopt;
}

std::optional<std::string> PosixJournalStore::Append(std::string_view line) {
  if (!m_directory) return std::string(kNoPlace);
  const std::string& directoryPath = *m_directory;
  if (std::optional<std::string> problem = KeepDirectoryOpen()) return problem;
  const DirectoryLock lock(m_dir.Get(), LOCK_EX);
  if (lock.Error() != 0) return SystemProblem(directoryPath, lock.Error());
  const std::string path = Below(directoryPath, kJournalFileName);
  if (std::optional<std::string> problem = KeepFileOpen(path)) return problem;

  // What the file holds: read and counted again only when another run of vek has written to it
  // since (its padding begins later now). A crash in the middle of an append leaves a line without
  // its end, and the next record must not be glued to it.
  struct stat st {};
  if (::fstat(m_file.Get(), &st) != 0) return SystemProblem(path, errno);
  if (std::optional<std::string> problem = CheckPrivate(m_file.Get(), st, path, kPrivateFile, true)) return problem;
  const auto size = static_cast<long long>(st.st_size);
  char next = '\0';
  const bool upToDate = m_counted.known && m_counted.inode == st.st_ino && m_counted.end <= size &&
                        (m_counted.end == size || (::pread(m_file.Get(), &next, 1, m_counted.end) == 1 && next == '\0'));
  if (!upToDate) {
    std::string bytes;
    if (!ReadAll(m_file.Get(), static_cast<std::size_t>(size), bytes)) return SystemProblem(path, errno);
    m_counted = CountedOf(st.st_ino, bytes);
  }

  if (m_counted.records >= m_recordsPerFile) {
    if (::renameat(m_dir.Get(), std::string(kJournalFileName).c_str(), m_dir.Get(),
                   std::string(kPreviousJournalFileName).c_str()) != 0) {
      return SystemProblem(path, errno);
    }
    if (std::optional<std::string> problem = KeepFileOpen(path)) return problem;
    m_counted = {true, m_fileInode, 0, 0, true};
  }

  std::string bytes;
  if (!m_counted.endsALine) bytes.push_back('\n');
  bytes.append(line);
  const std::size_t recordBytes = bytes.size();
  if (m_counted.end + static_cast<long long>(recordBytes) > size) bytes.append(kPaddingChunk, '\0');
  if (!WriteAllAt(m_file.Get(), bytes, m_counted.end) || ::fdatasync(m_file.Get()) != 0) {
    m_counted.known = false;
    return SystemProblem(path, errno);
  }
  // A new file is in the journal only once its name is on the device too.
  if (m_fileIsNew) {
    if (::fsync(m_dir.Get()) != 0) return SystemProblem(directoryPath, errno);
    m_fileIsNew = false;
  }
  m_counted.end += static_cast<long long>(recordBytes);
  m_counted.records += LineCount(bytes);
  m_counted.endsALine = true;
  return std::nullopt;
}

JournalContents PosixJournalStore::Read() {
  JournalContents contents;
  if (!m_directory) {
    contents.problems.emplace_back(kNoPlace);
    return contents;
  }
  const std::string& directoryPath = *m_directory;
  OpenedDirectory directory = OpenDirectory(directoryPath, false);
  if (directory.missing) return contents; // nothing written yet
  if (directory.problem) {
    contents.problems.push_back(std::move(*directory.problem));
    return contents;
  }
  const DirectoryLock lock(directory.fd.Get(), LOCK_SH);

  for (const std::string_view name : {kPreviousJournalFileName, kJournalFileName}) {
    const std::string path = Below(directoryPath, name);
    OpenedFile file;
    file.fd = UniqueFd(OpenAt(directory.fd.Get(), std::string(name).c_str(), O_RDONLY | O_NONBLOCK));
    if (!file.fd.Valid()) {
      if (errno != ENOENT) contents.problems.push_back(errno == ELOOP ? LinkProblem(path) : SystemProblem(path, errno));
      continue;
    }
    if (std::optional<std::string> problem = CheckJournalFile(file, path, false)) {
      contents.problems.push_back(std::move(*problem));
      continue;
    }
    const auto size = static_cast<std::size_t>(file.st.st_size);
    if (size > kJournalMaxFileBytes) {
      contents.problems.push_back(Problem(path, "is larger than any journal vek writes; it was not read"));
      continue;
    }
    JournalText text{path, {}};
    if (!ReadAll(file.fd.Get(), size, text.bytes)) {
      contents.problems.push_back(SystemProblem(path, errno));
      continue;
    }
    if (name == kJournalFileName) {
      m_counted = CountedOf(file.st.st_ino, text.bytes);
    }
    text.bytes.erase(std::remove(text.bytes.begin(), text.bytes.end(), '\0'), text.bytes.end());
    contents.texts.push_back(std::move(text));
  }
  return contents;
}

} // namespace vek
