#pragma once
// The three columns of a page as text lines: offsets, bytes as hex-words, bytes as characters.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/PageGeometry.h"

namespace vek {

struct PageText {
  std::vector<std::string> offsetLines; // "%7ld" or "%7lX" of the line's first offset
  std::vector<std::string> hexLines;    // "4142 4344 ..." two upper-case digits a byte, a blank after each pair
  std::vector<std::string> asciiLines;  // one byte a character, control characters as '.'; bytes 0x80-0xFF kept raw
  friend bool operator==(const PageText&, const PageText&) = default;
};

// Always at least one line (an empty page gives one line with only its offset), at most 10.
PageText BuildPageText(std::span<const std::uint8_t> bytes, Offset pageStart, bool hexMode);

// Where the hex and character columns begin in a page line as text: the offset, the gap, the
// hex-words padded to a full line, the gap, the characters.
struct PageLineColumns {
  int hex;
  int ascii;
};
constexpr PageLineColumns ColumnsOfPageLine(int offsetChars) {
  return {offsetChars + kPageColumnGap, offsetChars + kPageColumnGap + kHexLineChars + kPageColumnGap};
}

// "%7ld" / "%7lX": right-aligned in 7 characters, longer numbers are not cut.
std::string FormatOffset(Offset offset, bool hexMode);

// The control characters of the C locale (0x00-0x1F, 0x7F) show as '.'.
bool IsControlByte(std::uint8_t byte);

} // namespace vek
