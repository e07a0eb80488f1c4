#pragma once
// The selected bytes as text for the clipboard, and their bytes read from the file.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/ByteRange.h"
#include "core/File.h"
#include "core/Message.h"
#include "core/Search.h"

namespace vek {

// The most Copy takes: 16 MiB give 48 MiB of hex pairs, which a clipboard still hands over.
inline constexpr Offset kMaxCopyBytes = Offset{16} << 20;

enum class CopyFormat {
  HexPairs, // "9D 82 41"
  Text,     // the characters the page shows, as UTF-8
  CArray,   // "unsigned char bytes[3] = {\n    0x9D, 0x82, 0x41,\n};\n", twelve bytes a line
};
std::string FormatCopy(std::span<const std::uint8_t> bytes, CopyFormat format);

struct RangeBytes {
  std::vector<std::uint8_t> bytes;
  std::optional<Message> failure; // the range is too large, or the file could not be read
  bool cancelled = false;
};

// The bytes of `range` of the file at `path`, read a mebibyte at a time with `progress` (the offset
// read up to; false cancels) between the pieces. A range larger than kMaxCopyBytes is refused
// before anything is read.
RangeBytes ReadRange(FileSystem& files, const std::string& path, const ByteRange& range, const ProgressFn& progress);

} // namespace vek
