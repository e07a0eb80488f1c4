#pragma once
// One page of the dump as terminal text, written straight into the caller's buffer. A dump of a
// large file is millions of lines, so each line is put together from pieces looked up per byte:
// the pieces come once from the page text and the page line (PageText.h), which keeps those rules
// in one place.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "cli/DumpColors.h"
#include "core/PageGeometry.h"
#include "core/PageText.h"

namespace vek::cli {

class DumpFormatter {
 public:
  static constexpr std::size_t kMaxOffsetChars = 20; // "-9223372036854775808"
  static constexpr std::size_t kMaxCharBytes = 3;    // every Windows-1252 character is below U+10000
  static constexpr std::size_t kCharCopyBytes = 4;   // a character is copied as one 4-byte piece
  static constexpr std::size_t kColorCopyBytes = 8;  // and a colour as one 8-byte piece
  static_assert(kColorCopyBytes >= kColorChars);
  // The most one line writes: without colour; with a colour before every byte of both columns and
  // a reset after each column.
  static constexpr std::size_t kMaxPlainLineChars =
      kMaxOffsetChars + kOffsetGap + kHexLineChars + kCharsGap + kBytesPerLine * kMaxCharBytes + 1;
  static constexpr std::size_t kMaxColoredLineChars =
      kMaxPlainLineChars + 2 * (kBytesPerLine * kColorChars + kColorReset.size());
  // The most one page writes, plus the bytes the last piece's copy may reach past its end.
  static constexpr std::size_t kMaxPageChars = kMaxPageLines * kMaxColoredLineChars + kColorCopyBytes;

  // With `color`, each byte's hex pair and character are shown in the colour of its kind
  // (DumpColors.h); a colour is written where it changes, and each column ends with a reset.
  // Without it, the text holds no escape sequence at all.
  explicit DumpFormatter(bool color = false);

  // The page that starts at `pageStart` and holds `bytes` (no more than a page of them is shown),
  // each line as PageLineText lays it out for a terminal, in UTF-8. The page of an empty file is its
  // offset alone.
  //
  // Writes at `out`, which has room for kMaxPageChars, and returns the end of the text.
  char* WritePage(std::span<const std::uint8_t> bytes, Offset pageStart, bool hexMode, char* out) const;

 private:
  // A character's UTF-8, copied as 4 bytes at once; only `size` of them count.
  struct TerminalChar {
    char utf8[kMaxCharBytes];
    std::uint8_t size;
  };
  static_assert(sizeof(TerminalChar) == kCharCopyBytes);

  static constexpr std::uint8_t kNoKind = 0xFF; // before a column's first byte: no colour shown yet

  char* WriteOffset(Offset offset, bool hexMode, char* out) const;
  char* WriteLine(std::span<const std::uint8_t> bytes, char* out) const;
  char* WriteColoredLine(std::span<const std::uint8_t> bytes, char* out) const;
  char* Recolor(std::uint8_t byte, std::uint8_t& shownKind, char* out) const;

  // The tables where they stood before colour came, at the start: measured, the plain dump ran
  // 7 % slower with them on cache-line boundaries (alignas(64)) and as much with a flag before them.
  std::array<std::array<char, 2>, 256> m_hexPairs{};
  std::array<TerminalChar, 256> m_chars{};
  std::array<std::uint8_t, 256> m_kinds{};
  std::array<std::array<char, kColorCopyBytes>, kByteKinds> m_colors{};
  const bool m_color;
};

} // namespace vek::cli
