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

// A page line as one text, for those who read the page as text (a screen reader, a terminal): the
// offset, kOffsetGap blanks, the hex-words padded to a full line (a full line ends in the blank
// after its last pair), kCharsGap blank, the characters. The window paints the same three texts,
// each column in a frame of its own (CellGeometry.h).
inline constexpr int kOffsetGap = 2;
inline constexpr int kCharsGap = 1;
struct PageLineColumns {
  int hex;   // where the hex-words begin
  int ascii; // where the characters begin
};
constexpr PageLineColumns ColumnsOfPageLine(int offsetChars) {
  return {offsetChars + kOffsetGap, offsetChars + kOffsetGap + kHexLineChars + kCharsGap};
}

// Where a byte's character is shown. Both show control bytes as '.' and the others as the ANSI
// (Windows-1252) set has them, and differ in two: the screen draws a soft hyphen (0xAD) as a hyphen,
// since a font draws it as nothing unless a line breaks there; a terminal shows the five codes the
// set leaves undefined as '.', since as code points they are C1 controls that can start an escape
// sequence.
enum class ShownOn { Screen, Terminal };
char32_t ShownCharacter(std::uint8_t byte, ShownOn target);

// Page line `line` of `text` as one text, its characters as `target` shows them, and where its
// columns begin in it; a line without bytes (the page of an empty file) is its offset alone.
struct PageLine {
  std::u32string text;
  PageLineColumns columns;
};
PageLine PageLineText(const PageText& text, std::size_t line, ShownOn target);

// "%7ld" / "%7lX": right-aligned in 7 characters, longer numbers are not cut.
std::string FormatOffset(Offset offset, bool hexMode);

// The control characters of the C locale (0x00-0x1F, 0x7F) show as '.'.
bool IsControlByte(std::uint8_t byte);

} // namespace vek
