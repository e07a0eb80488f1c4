#pragma once
// A file opened for the terminal mode: read only, never blocking, refused when there is nothing
// to page through (directories, FIFOs, sockets), measured as the view measures it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/PageGeometry.h"

namespace vek::cli {

class InputFile {
 public:
  // Empty with `reason` set (a sentence for "vek: PATH: reason") when the file cannot be used.
  static std::optional<InputFile> Open(const std::string& path, std::string& reason);

  InputFile(InputFile&& other) noexcept;
  InputFile& operator=(InputFile&& other) noexcept;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile();

  Offset Size() const { return size_; }

  // Up to `size` bytes at `offset`; short only at the end of the file, -1 on a failure (errno set).
  std::int64_t ReadAt(Offset offset, std::uint8_t* buffer, std::size_t size) const;

 private:
  InputFile(int fd, Offset size) : fd_(fd), size_(size) {}
  int fd_ = -1;
  Offset size_ = 0;
};

// Why a read came back short or failed, for the error line.
std::string ReadFailureReason(std::int64_t got, int savedErrno);

} // namespace vek::cli
