#include "core/Ansi.h"

#include <array>

namespace vek {

namespace {

constexpr std::uint8_t kTableFirst = 0x80;
constexpr std::uint8_t kTableLast = 0x9F;

// Windows-1252 for 0x80-0x9F; the codes it leaves undefined keep their own value.
constexpr std::array<char32_t, kTableLast - kTableFirst + 1> kHighControls = {
    U'\u20AC', U'\u0081', U'\u201A', U'\u0192', U'\u201E', U'\u2026', U'\u2020', U'\u2021',
    U'\u02C6', U'\u2030', U'\u0160', U'\u2039', U'\u0152', U'\u008D', U'\u017D', U'\u008F',
    U'\u0090', U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014',
    U'\u02DC', U'\u2122', U'\u0161', U'\u203A', U'\u0153', U'\u009D', U'\u017E', U'\u0178',
};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

} // namespace

char32_t AnsiToCodePoint(std::uint8_t byte) {
  if (byte >= kTableFirst && byte <= kTableLast) {
    return kHighControls[byte - kTableFirst];
  }
  return byte;
}

std::uint8_t CodePointToAnsi(char32_t codePoint) {
  const bool latin1Outside = codePoint < kTableFirst || (codePoint > kTableLast && codePoint <= 0xFF);
  if (latin1Outside) {
    return static_cast<std::uint8_t>(codePoint);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == codePoint) {
      return static_cast<std::uint8_t>(kTableFirst + i);
    }
  }
  return '?';
}

std::string ToUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char32_t c : text) AppendUtf8(out, c);
  return out;
}

} // namespace vek
