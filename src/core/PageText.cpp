#include "core/PageText.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

#include "core/Ansi.h"
#include "core/ClampPage.h"
#include "core/HexDigits.h"

namespace vek {

std::string FormatOffset(Offset offset, bool hexMode) {
  char text[32];
  if (hexMode) {
    // Hex shows the bit pattern, so an (impossible) negative offset prints rather than misbehaves.
    std::snprintf(text, sizeof text, "%*" PRIX64, kOffsetDigits, static_cast<std::uint64_t>(offset));
  } else {
    std::snprintf(text, sizeof text, "%*" PRId64, kOffsetDigits, offset);
  }
  return text;
}

bool IsControlByte(std::uint8_t byte) {
  return byte < 0x20 || byte == 0x7F;
}

PageText BuildPageText(std::span<const std::uint8_t> bytes, Offset pageStart, bool hexMode) {
  // The page buffer never holds more than one page; anything beyond it has no line to go to.
  const std::size_t count = std::min<std::size_t>(bytes.size(), kPageBytes);

  PageText page;
  std::string hex;
  std::string ascii;
  auto closeLine = [&] {
    const Offset lineStart =
        SaturatingAdd(pageStart, static_cast<Offset>(page.hexLines.size()) * kBytesPerLine);
    page.offsetLines.push_back(FormatOffset(lineStart, hexMode));
    page.hexLines.push_back(std::move(hex));
    page.asciiLines.push_back(std::move(ascii));
    hex.clear();
    ascii.clear();
  };

  for (std::size_t i = 0; i < count; ++i) {
    if (i > 0 && i % kBytesPerLine == 0) {
      closeLine();
    }
    const std::uint8_t byte = bytes[i];
    AppendHexPair(hex, byte);
    ascii += IsControlByte(byte) ? '.' : static_cast<char>(byte);
    if (i % 2 == 1) {
      hex += ' ';
    }
  }
  // Even an empty page gets its line, so the offset column always names the page start.
  closeLine();
  return page;
}

char32_t ShownCharacter(std::uint8_t byte, ShownOn target) {
  constexpr char32_t kSoftHyphen = 0x00AD;
  constexpr char32_t kFirstC1 = 0x80;
  constexpr char32_t kLastC1 = 0x9F;
  if (IsControlByte(byte)) return U'.';
  const char32_t code = AnsiToCodePoint(byte);
  if (target == ShownOn::Screen && code == kSoftHyphen) return U'-';
  if (target == ShownOn::Terminal && code >= kFirstC1 && code <= kLastC1) return U'.';
  return code;
}

PageLine PageLineText(const PageText& text, std::size_t line, ShownOn target) {
  const std::string& offset = text.offsetLines[line];
  PageLine out{{offset.begin(), offset.end()}, ColumnsOfPageLine(static_cast<int>(offset.size()))};
  if (text.hexLines[line].empty()) return out; // the page of an empty file: its offset alone
  out.text.resize(static_cast<std::size_t>(out.columns.hex), U' ');
  out.text.append(text.hexLines[line].begin(), text.hexLines[line].end());
  out.text.resize(static_cast<std::size_t>(out.columns.ascii), U' ');
  for (const char byte : text.asciiLines[line]) out.text += ShownCharacter(static_cast<std::uint8_t>(byte), target);
  return out;
}

} // namespace vek
