#include "cli/Dump.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "cli/DumpFormatter.h"
#include "core/ClampPage.h"
#include "core/PageState.h"

namespace vek::cli {

namespace {

constexpr auto kPage = static_cast<std::size_t>(kPageBytes);
constexpr std::size_t kChunkPages = 640;               // pages read at once: about 128 KiB
constexpr std::size_t kEmitChars = std::size_t{1} << 20; // text gathered before `emit`: few, large writes

// The dump's text, gathered in a buffer that stays this size whatever the file's, and handed to
// `emit` in large pieces.
class DumpText {
 public:
  DumpText(const std::function<void(std::string_view)>& emit, const DumpOptions& options)
      : m_emit(emit),
        m_hexOffsets(options.hexOffsets),
        m_formatter(options.color),
        m_text(kEmitChars + DumpFormatter::kMaxPageChars),
        m_end(m_text.data()) {}

  void Page(std::span<const std::uint8_t> bytes, Offset pageStart) {
    m_end = m_formatter.WritePage(bytes, pageStart, m_hexOffsets, m_end);
    if (static_cast<std::size_t>(m_end - m_text.data()) >= kEmitChars) Flush();
  }

  // Hands over what was gathered; the dump calls it before it returns, also after a failure.
  void Flush() {
    if (m_end != m_text.data()) m_emit(std::string_view(m_text.data(), static_cast<std::size_t>(m_end - m_text.data())));
    m_end = m_text.data();
  }

 private:
  const std::function<void(std::string_view)>& m_emit;
  const bool m_hexOffsets;
  const DumpFormatter m_formatter;
  std::vector<char> m_text;
  char* m_end;
};

} // namespace

DumpStatus DumpPages(const ReadAtFn& readAt, Offset fileSize, const DumpOptions& options,
                     const std::function<void(std::string_view)>& emit) {
  // Pages are read many at a time, into a buffer that stays this size whatever the file's.
  std::vector<std::uint8_t> chunk(kChunkPages * kPageBytes);
  Offset chunkStart = 0;
  std::size_t chunkBytes = 0;
  DumpText text(emit, options);

  // The pages the window shows from this start on, Next after Next.
  PageState page = PageState{}.StartAt(options.start).Measured(fileSize);
  for (Offset shown = 0;;) {
    const auto count = static_cast<std::size_t>(page.count);
    const bool inChunk = page.start >= chunkStart &&
                         page.start - chunkStart + static_cast<Offset>(count) <= static_cast<Offset>(chunkBytes);
    if (!inChunk) {
      chunkStart = page.start;
      chunkBytes = static_cast<std::size_t>(std::min<Offset>(static_cast<Offset>(chunk.size()), fileSize - page.start));
      if (readAt(chunkStart, chunk.data(), chunkBytes) != static_cast<std::int64_t>(chunkBytes)) {
        text.Flush();
        return DumpStatus::ReadError;
      }
    }
    text.Page(std::span<const std::uint8_t>(chunk.data() + (page.start - chunkStart), count), page.start);

    ++shown;
    const PageState next = page.Next();
    if ((options.pages && shown >= *options.pages) || next.start >= fileSize) {
      text.Flush();
      return DumpStatus::Done;
    }
    page = next.Measured(fileSize);
  }
}

DumpStatus DumpStream(const ReadNextFn& readNext, const DumpOptions& options,
                      const std::function<void(std::string_view)>& emit) {
  std::vector<std::uint8_t> chunk(kChunkPages * kPageBytes);
  DumpText text(emit, options);

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
      text.Flush();
      return DumpStatus::ReadError;
    }
    const auto got = static_cast<std::size_t>(read);
    // The empty file's page, when the stream held nothing at all.
    const bool emptyStream = got == 0 && shown == 0 && options.start == 0;
    for (std::size_t at = 0; at < got || emptyStream; at += kPage) {
      text.Page(std::span<const std::uint8_t>(chunk.data() + at, std::min(kPage, got - at)), pageStart);
      pageStart = SaturatingAdd(pageStart, kPageBytes);
      ++shown;
      if (emptyStream) break;
    }
    if (got < size || (options.pages && shown >= *options.pages)) {
      text.Flush();
      return DumpStatus::Done;
    }
  }
}

} // namespace vek::cli
