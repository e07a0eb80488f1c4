#include "cli/Dump.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "cli/DumpFormatter.h"
#include "core/ClampPage.h"

namespace vek::cli {

namespace {

constexpr std::size_t kChunkPages = 640;               // pages read at once: about 128 KiB
constexpr std::size_t kEmitChars = std::size_t{1} << 20; // text gathered before `emit`: few, large writes

} // namespace

DumpStatus DumpPages(const ReadAtFn& readAt, Offset fileSize, const DumpOptions& options,
                     const std::function<void(std::string_view)>& emit) {
  const DumpFormatter formatter;
  // Both buffers stay this size whatever the file's: pages are read many at a time, and their text
  // leaves in large pieces.
  std::vector<std::uint8_t> chunk(kChunkPages * kPageBytes);
  Offset chunkStart = 0;
  std::size_t chunkBytes = 0;
  std::vector<char> text(kEmitChars + DumpFormatter::kMaxPageChars);
  char* textEnd = text.data();
  const auto emitText = [&] {
    if (textEnd != text.data()) emit(std::string_view(text.data(), static_cast<std::size_t>(textEnd - text.data())));
    textEnd = text.data();
  };

  PageWindow page = ClampPage(options.start, SaturatingAdd(options.start, kPageBytes), fileSize);
  for (Offset shown = 0;;) {
    const auto count = static_cast<std::size_t>(page.count);
    const bool inChunk = page.start >= chunkStart &&
                         page.start - chunkStart + static_cast<Offset>(count) <= static_cast<Offset>(chunkBytes);
    if (!inChunk) {
      chunkStart = page.start;
      chunkBytes = static_cast<std::size_t>(std::min<Offset>(static_cast<Offset>(chunk.size()), fileSize - page.start));
      if (readAt(chunkStart, chunk.data(), chunkBytes) != static_cast<std::int64_t>(chunkBytes)) {
        emitText();
        return DumpStatus::ReadError;
      }
    }
    const std::span<const std::uint8_t> bytes(chunk.data() + (page.start - chunkStart), count);
    textEnd = formatter.WritePage(bytes, page.start, options.hexOffsets, textEnd);
    if (static_cast<std::size_t>(textEnd - text.data()) >= kEmitChars) emitText();

    ++shown;
    const Offset next = SaturatingAdd(page.start, kPageBytes);
    if ((options.pages && shown >= *options.pages) || next >= fileSize) {
      emitText();
      return DumpStatus::Done;
    }
    page = ClampPage(next, SaturatingAdd(next, kPageBytes), fileSize);
  }
}

} // namespace vek::cli
