#pragma once
// A stretch of a file seen read-only in memory, for the scans that read whole files (the search
// and the compare on every core): they look at the page cache in place instead of copying it out.
// The stretch is unmapped when the object goes. Touching a page that the file no longer has (it was
// truncated meanwhile) raises SIGBUS: touch it only under core/MappedReadGuard.h.

#include <cstdint>
#include <span>

namespace vek {

class FileMapping {
 public:
  virtual ~FileMapping() = default;
  FileMapping(const FileMapping&) = delete;
  FileMapping& operator=(const FileMapping&) = delete;

  // The bytes asked for, from the offset asked for on.
  std::span<const std::uint8_t> Bytes() const { return m_bytes; }

 protected:
  explicit FileMapping(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

 private:
  std::span<const std::uint8_t> m_bytes;
};

} // namespace vek
