#include "cli/Dump.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "cli/DumpFormatter.h"
#include "core/ClampPage.h"

namespace vek::cli {

namespace {

constexpr auto kPage = static_cast<std::size_t>(kPageBytes);
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

DumpStatus DumpStream(const ReadNextFn& readNext, const DumpOptions& options,
                      const std::function<void(std::string_view)>& emit) {
  const DumpFormatter formatter;
  std::vector<std::uint8_t> chunk(kChunkPages * kPageBytes);
  std::vector<char> text(kEmitChars + DumpFormatter::kMaxPageChars);
  char* textEnd = text.data();
  const auto emitText = [&] {
    if (textEnd != text.data()) emit(std::string_view(text.data(), static_cast<std::size_t>(textEnd - text.data())));
    textEnd = text.data();
  };

  for (Offset skipped = 0; skipped < options.start;) {
    const auto size = static_cast<std::size_t>(std::min<Offset>(options.start - skipped, static_cast<Offset>(chunk.size())));
    const std::int64_t read = readNext(chunk.data(), size);
    if (read < 0) return DumpStatus::ReadError;
    if (static_cast<std::size_t>(read) < size) return DumpStatus::Done;
    skipped += read;
  }
  Offset pageStart = options.start;
  for (Offset shown = 0;;) {
    // No more than the pages still wanted: reading further could wait on a slow writer for nothing.
    Offset wanted = static_cast<Offset>(kChunkPages);
    if (options.pages) wanted = std::min(wanted, *options.pages - shown);
    const auto size = static_cast<std::size_t>(wanted) * kPage;
    const std::int64_t read = readNext(chunk.data(), size);
    if (read < 0) {
      emitText();
      return DumpStatus::ReadError;
    }
    const auto got = static_cast<std::size_t>(read);
    // The empty file's page, when the stream held nothing at all.
    const bool emptyStream = got == 0 && shown == 0 && options.start == 0;
    for (std::size_t at = 0; at < got || emptyStream; at += kPage) {
      const std::span<const std::uint8_t> bytes(chunk.data() + at, std::min(kPage, got - at));
      textEnd = formatter.WritePage(bytes, pageStart, options.hexOffsets, textEnd);
      if (static_cast<std::size_t>(textEnd - text.data()) >= kEmitChars) emitText();
      pageStart = SaturatingAdd(pageStart, kPageBytes);
      ++shown;
      if (emptyStream) break;
    }
    if (got < size || (options.pages && shown >= *options.pages)) {
      emitText();
      return DumpStatus::Done;
    }
  }
}

} // namespace vek::cli
