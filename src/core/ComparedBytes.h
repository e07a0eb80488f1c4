#pragma once
// The other file's bytes at the offsets of the page on screen, for the marks and the spoken note of
// a compare side by side: one positioned read of at most a page, at the page's own offsets.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/File.h"
#include "core/PageGeometry.h"

namespace vek {

class FileSession;

struct ComparedBytes {
  Offset start = 0; // the page's start, where the read began
  std::array<std::uint8_t, kPageBytes> bytes{};
  std::size_t count = 0; // what the other file has there: fewer than the page where it ends first

  std::span<const std::uint8_t> Bytes() const { return {bytes.data(), count}; }
  // The other file's byte at `offset` of the page; none where the other file ends before it.
  std::optional<std::uint8_t> At(Offset offset) const {
    if (offset < start || offset >= start + static_cast<Offset>(count)) return std::nullopt;
    return bytes[static_cast<std::size_t>(offset - start)];
  }
};

// The bytes of the file at `otherPath` at the offsets of `session`'s page on screen. No length is
// measured: a read short of the page tells where the other file ends. A failure to open or read it
// is the result's error.
FileResult<ComparedBytes> ReadComparedBytes(FileSystem& files, const std::string& otherPath, const FileSession& session);

} // namespace vek
