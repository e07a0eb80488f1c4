#include "cli/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace vek::cli {

std::optional<InputFile> InputFile::Open(const std::string& path, std::string& reason) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer. Reads of the files we keep are not
  // affected by it (regular files and devices ignore it), so it stays set.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) {
    reason = std::strerror(errno);
    return std::nullopt;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    reason = std::strerror(errno);
    ::close(fd);
    return std::nullopt;
  }
  if (S_ISDIR(st.st_mode)) reason = std::strerror(EISDIR);
  if (S_ISFIFO(st.st_mode)) reason = "is a FIFO, not a file with pages";
  if (S_ISSOCK(st.st_mode)) reason = "is a socket, not a file with pages";
  if (!reason.empty()) {
    ::close(fd);
    return std::nullopt;
  }
  // The view's rule: the length is where the end lies, which also measures block devices (and
  // gives 0 for /dev/null and /dev/zero).
  const off_t end = ::lseek(fd, 0, SEEK_END);
  if (end < 0) {
    reason = std::strerror(errno);
    ::close(fd);
    return std::nullopt;
  }
  return InputFile(fd, static_cast<Offset>(end));
}

InputFile::InputFile(InputFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), size_(other.size_) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    size_ = other.size_;
  }
  return *this;
}

InputFile::~InputFile() {
  if (fd_ >= 0) ::close(fd_);
}

std::int64_t InputFile::ReadAt(Offset offset, std::uint8_t* buffer, std::size_t size) const {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = ::pread(fd_, buffer + done, size - done, static_cast<off_t>(offset) + static_cast<off_t>(done));
    if (got < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  return static_cast<std::int64_t>(done);
}

std::string ReadFailureReason(std::int64_t got, int savedErrno) {
  if (got < 0) return std::strerror(savedErrno);
  return "the file shrank while it was read";
}

} // namespace vek::cli
