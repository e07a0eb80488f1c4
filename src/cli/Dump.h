#pragma once
// The file's pages as terminal text, each page's lines exactly the view's page text.

#include <functional>
#include <optional>
#include <string_view>

#include "core/PageGeometry.h"
#include "core/Search.h"
#include "core/StreamSearch.h"

namespace vek::cli {

struct DumpOptions {
  Offset start = 0;           // brought into the file with ClampPage, as the Start field is
  bool hexOffsets = false;    // offsets as the view prints them in hex mode
  std::optional<Offset> pages; // at most this many pages; all that remain when absent
  bool color = false;          // each byte in the colour of its kind (DumpFormatter)
};

enum class DumpStatus { Done, ReadError };

// Pages from the one at `options.start` (clamped as the view clamps a page) to the end of the file,
// or `options.pages` of them, as DumpFormatter::WritePage lays them out. The text is handed to
// `emit` in pieces of about a mebibyte, each ending at the end of a page. A read that fails or comes
// back short stops with ReadError after the text of the pages before it.
DumpStatus DumpPages(const ReadAtFn& readAt, Offset fileSize, const DumpOptions& options,
                     const std::function<void(std::string_view)>& emit);

// The same text for a stream, whose size is known only at its end: the pages a file of the same
// bytes shows, from `options.start` on, which is reached by reading and skipping. A start at or
// past the end prints nothing, since there is no size to clamp it to beforehand; an empty stream
// read from its start prints the empty file's page. Memory stays bounded, and with
// `options.pages` only those pages are read, so an endless stream ends too.
DumpStatus DumpStream(const ReadNextFn& readNext, const DumpOptions& options,
                      const std::function<void(std::string_view)>& emit);

} // namespace vek::cli
