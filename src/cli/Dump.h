#pragma once
// The file's pages as terminal text, each page's lines exactly the view's page text.

#include <functional>
#include <optional>
#include <string_view>

#include "core/PageGeometry.h"
#include "core/Search.h"

namespace vek::cli {

struct DumpOptions {
  Offset start = 0;           // brought into the file with ClampPage, as the Start field is
  bool hexOffsets = false;    // offsets as the view prints them in hex mode
  std::optional<Offset> pages; // at most this many pages; all that remain when absent
};

enum class DumpStatus { Done, ReadError };

// Pages from the one at `options.start` (clamped as the view clamps a page) to the end of the file,
// or `options.pages` of them, as DumpFormatter::WritePage lays them out. The text is handed to
// `emit` in pieces of about a mebibyte, each ending at the end of a page. A read that fails or comes
// back short stops with ReadError after the text of the pages before it.
DumpStatus DumpPages(const ReadAtFn& readAt, Offset fileSize, const DumpOptions& options,
                     const std::function<void(std::string_view)>& emit);

} // namespace vek::cli
