#include "cli/Dump.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Ansi.h"
#include "core/ClampPage.h"

namespace vek::cli {

namespace {

constexpr char32_t kFirstC1 = 0x80;
constexpr char32_t kLastC1 = 0x9F;
constexpr char kShownForControl = '.';
constexpr std::size_t kChunkPages = 640; // pages read at once: about 128 KiB

std::string TerminalCharacters(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() * 3);
  for (const char c : ansi) {
    const char32_t codePoint = AnsiToCodePoint(static_cast<std::uint8_t>(c));
    if (codePoint >= kFirstC1 && codePoint <= kLastC1) {
      out += kShownForControl;
    } else {
      out += AnsiToUtf8(std::string_view(&c, 1));
    }
  }
  return out;
}

} // namespace

std::string FormatPage(const PageText& page) {
  std::string text;
  for (std::size_t i = 0; i < page.offsetLines.size(); ++i) {
    text += page.offsetLines[i];
    const std::string& hex = page.hexLines[i];
    if (!hex.empty()) {
      text += "  ";
      text += hex;
      text.append(static_cast<std::size_t>(kHexLineChars) - std::min<std::size_t>(hex.size(), kHexLineChars), ' ');
      text += ' ';
      text += TerminalCharacters(page.asciiLines[i]);
    }
    text += '\n';
  }
  return text;
}

DumpStatus DumpPages(const ReadAtFn& readAt, Offset fileSize, const DumpOptions& options,
                     const std::function<void(std::string_view)>& emit) {
  // Pages are read many at a time; a terminal dump of a large file would otherwise be one read
  // per 200 bytes.
  std::vector<std::uint8_t> chunk(kChunkPages * kPageBytes);
  Offset chunkStart = 0;
  std::size_t chunkBytes = 0;

  PageWindow page = ClampPage(options.start, SaturatingAdd(options.start, kPageBytes), fileSize);
  for (Offset shown = 0;;) {
    const auto count = static_cast<std::size_t>(page.count);
    const bool inChunk = page.start >= chunkStart &&
                         page.start - chunkStart + static_cast<Offset>(count) <= static_cast<Offset>(chunkBytes);
    if (!inChunk) {
      chunkStart = page.start;
      chunkBytes = static_cast<std::size_t>(std::min<Offset>(static_cast<Offset>(chunk.size()), fileSize - page.start));
      if (readAt(chunkStart, chunk.data(), chunkBytes) != static_cast<std::int64_t>(chunkBytes)) {
        return DumpStatus::ReadError;
      }
    }
    const std::span<const std::uint8_t> bytes(chunk.data() + (page.start - chunkStart), count);
    emit(FormatPage(BuildPageText(bytes, page.start, options.hexOffsets)));

    ++shown;
    const Offset next = SaturatingAdd(page.start, kPageBytes);
    if ((options.pages && shown >= *options.pages) || next >= fileSize) return DumpStatus::Done;
    page = ClampPage(next, SaturatingAdd(next, kPageBytes), fileSize);
  }
}

} // namespace vek::cli
