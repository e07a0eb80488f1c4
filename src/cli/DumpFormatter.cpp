#include "cli/DumpFormatter.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <string>

#include "core/Ansi.h"
#include "core/ByteKind.h"
#include "core/ClampPage.h"
#include "core/PageText.h"

namespace vek::cli {

namespace {

constexpr char kBlank = ' ';

int DecimalDigits(std::uint64_t value) {
  constexpr int kMostDigits = 19; // of a non-negative Offset
  int digits = 1;
  for (std::uint64_t limit = 10; digits < kMostDigits && value >= limit; limit *= 10) ++digits;
  return digits;
}

int HexDigits(std::uint64_t value) {
  constexpr int kBitsPerDigit = 4;
  return value == 0 ? 1 : (std::bit_width(value) + kBitsPerDigit - 1) / kBitsPerDigit;
}

// A file's offsets are never negative, but FormatOffset prints one, so this does the same.
char* WriteNegativeOffset(Offset offset, char* out) {
  const std::string text = FormatOffset(offset, false);
  return std::copy(text.begin(), text.end(), out);
}

} // namespace

DumpFormatter::DumpFormatter(bool color) : m_color(color) {
  for (std::size_t kind = 0; kind < kByteKinds; ++kind) {
    std::copy(kKindColors[kind].begin(), kKindColors[kind].end(), m_colors[kind].begin());
  }
  // Each byte value's piece is read off the page line of that byte alone.
  for (std::size_t value = 0; value < m_chars.size(); ++value) {
    const auto byte = static_cast<std::uint8_t>(value);
    m_kinds[byte] = static_cast<std::uint8_t>(KindOfByte(byte));
    const PageText text = BuildPageText(std::span(&byte, 1), 0, false);
    std::copy_n(text.hexLines.front().begin(), m_hexPairs[byte].size(), m_hexPairs[byte].begin());

    const PageLine line = PageLineText(text, 0, ShownOn::Terminal);
    const std::string utf8 = ToUtf8(std::u32string_view(line.text).substr(line.columns.ascii));
    TerminalChar& terminal = m_chars[byte];
    const std::size_t size = std::min(utf8.size(), kMaxCharBytes); // the bound the buffers are sized by
    std::copy_n(utf8.begin(), size, terminal.utf8);
    terminal.size = static_cast<std::uint8_t>(size);
  }
}

char* DumpFormatter::WriteOffset(Offset offset, bool hexMode, char* out) const {
  if (!hexMode && offset < 0) return WriteNegativeOffset(offset, out);
  // The digits go straight into place behind the blanks: a dump writes an offset for every line.
  auto value = static_cast<std::uint64_t>(offset); // hex shows the bit pattern, as FormatOffset does
  const int length = hexMode ? HexDigits(value) : DecimalDigits(value);
  const int width = std::max(length, kOffsetDigits);
  std::memset(out, kBlank, kOffsetDigits);
  char* const end = out + width;
  if (hexMode) {
    char* digit = end;
    int left = length;
    for (; left >= 2; left -= 2) {
      digit -= 2;
      std::memcpy(digit, m_hexPairs[value & 0xFF].data(), 2);
      value >>= 8;
    }
    if (left == 1) *--digit = m_hexPairs[value][1]; // the top digit alone: value < 16 here
  } else {
    std::to_chars(end - length, end, value);
  }
  return end;
}

char* DumpFormatter::WriteLine(std::span<const std::uint8_t> bytes, char* out) const {
  char* const chars = out + kHexLineChars + kCharsGap;
  const std::size_t count = bytes.size();
  std::size_t i = 0;
  for (; i + 1 < count; i += 2) {
    std::memcpy(out, m_hexPairs[bytes[i]].data(), 2);
    std::memcpy(out + 2, m_hexPairs[bytes[i + 1]].data(), 2);
    out[4] = kBlank;
    out += kHexCellsPerPair;
  }
  if (i < count) {
    std::memcpy(out, m_hexPairs[bytes[i]].data(), 2);
    out += 2;
  }
  // A short line is padded to the width of a full one, then the gap before the characters.
  std::memset(out, kBlank, static_cast<std::size_t>(chars - out));
  out = chars;
  for (const std::uint8_t byte : bytes) {
    std::memcpy(out, &m_chars[byte], kCharCopyBytes);
    out += m_chars[byte].size;
  }
  *out++ = '\n';
  return out;
}

// The colour of `byte`'s kind, when the column does not show it already. The piece is copied
// whether it counts or not: a branch on every byte would cost more than the copy.
inline char* DumpFormatter::Recolor(std::uint8_t byte, std::uint8_t& shownKind, char* out) const {
  const std::uint8_t kind = m_kinds[byte];
  std::memcpy(out, m_colors[kind].data(), kColorCopyBytes);
  out += kind != shownKind ? kColorChars : 0;
  shownKind = kind;
  return out;
}

// WriteLine's text with colours: the same visible characters in the same places.
char* DumpFormatter::WriteColoredLine(std::span<const std::uint8_t> bytes, char* out) const {
  const std::size_t count = bytes.size();
  std::uint8_t shownKind = kNoKind;
  std::size_t i = 0;
  for (; i + 1 < count; i += 2) {
    out = Recolor(bytes[i], shownKind, out);
    std::memcpy(out, m_hexPairs[bytes[i]].data(), 2);
    out = Recolor(bytes[i + 1], shownKind, out + 2);
    std::memcpy(out, m_hexPairs[bytes[i + 1]].data(), 2);
    out[2] = kBlank;
    out += 3;
  }
  if (i < count) {
    out = Recolor(bytes[i], shownKind, out);
    std::memcpy(out, m_hexPairs[bytes[i]].data(), 2);
    out += 2;
  }
  out = std::copy(kColorReset.begin(), kColorReset.end(), out);
  // The blanks a short line lacks, then the gap: two digits a byte and a blank after each pair.
  const std::size_t padding = static_cast<std::size_t>(kHexLineChars + kCharsGap) - (2 * count + count / 2);
  std::memset(out, kBlank, padding);
  out += padding;
  shownKind = kNoKind;
  for (const std::uint8_t byte : bytes) {
    out = Recolor(byte, shownKind, out);
    std::memcpy(out, &m_chars[byte], kCharCopyBytes);
    out += m_chars[byte].size;
  }
  out = std::copy(kColorReset.begin(), kColorReset.end(), out);
  *out++ = '\n';
  return out;
}

char* DumpFormatter::WritePage(std::span<const std::uint8_t> bytes, Offset pageStart, bool hexMode, char* out) const {
  const std::size_t count = std::min<std::size_t>(bytes.size(), kPageBytes);
  if (count == 0) {
    out = WriteOffset(pageStart, hexMode, out);
    *out++ = '\n';
    return out;
  }
  for (std::size_t at = 0; at < count; at += kBytesPerLine) {
    out = WriteOffset(SaturatingAdd(pageStart, static_cast<Offset>(at)), hexMode, out);
    std::memset(out, kBlank, kOffsetGap);
    out += kOffsetGap;
    const auto line = bytes.subspan(at, std::min<std::size_t>(kBytesPerLine, count - at));
    out = m_color ? WriteColoredLine(line, out) : WriteLine(line, out);
  }
  return out;
}

} // namespace vek::cli
