#pragma once
// The page: how many bytes one screen shows and how they are laid out in pixels. Painting and the
// hit test both rest on these numbers, so they live here and nowhere else.

#include <cstdint>

namespace vek {

// File offsets and lengths are 64-bit throughout, so files of 2 GiB and more page like small ones.
using Offset = std::int64_t;

inline constexpr int kPageBytes = 200;                           // bytes per page, and the buffer size
inline constexpr int kBytesPerLine = 20;                         // bytes per page line
inline constexpr int kMaxPageLines = kPageBytes / kBytesPerLine; // 10
inline constexpr int kCellWidth = 7;                             // pixels per character of the page font
inline constexpr int kLineHeight = 15;                           // pixels from one page line to the next
inline constexpr int kHexCellsPerPair = 5;                       // "4142 ": two bytes and a blank
inline constexpr int kHexLineChars = kBytesPerLine / 2 * kHexCellsPerPair; // 50
inline constexpr int kHexLineWidth = kHexLineChars * kCellWidth;           // 350
inline constexpr int kAsciiLineWidth = kBytesPerLine * kCellWidth;         // 140
inline constexpr int kTextInsetX = 5; // page text origin: right of a column frame's left edge
inline constexpr int kTextInsetY = 8; // and below its top edge
inline constexpr int kOffsetDigits = 7; // offsets are right-aligned in this many characters

} // namespace vek
