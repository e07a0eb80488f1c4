#pragma once
// The file's pages as terminal text, each built exactly as the view builds its page.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/PageGeometry.h"
#include "core/PageText.h"
#include "core/Search.h"

namespace vek::cli {

struct DumpOptions {
  Offset start = 0;           // brought into the file with ClampPage, as the Start field is
  bool hexOffsets = false;    // offsets as the view prints them in hex mode
  std::optional<Offset> pages; // at most this many pages; all that remain when absent
};

enum class DumpStatus { Done, ReadError };

// One line per page line: the offset, two blanks, the hex-words padded to the width of a full line,
// a blank, the characters as UTF-8. The page of an empty file is its offset alone.
//
// The characters are the view's (control bytes as '.', 0x80-0xFF as Windows-1252), except the five
// codes Windows-1252 leaves undefined: the view shows them as whatever the font draws, but on a
// terminal their code points are C1 controls that can start an escape sequence, so they print as '.'.
std::string FormatPage(const PageText& page);

// Pages from the one at `options.start` (clamped as the view clamps a page) to the end of the file,
// or `options.pages` of them, each handed to `emit` as FormatPage text. A read that fails or comes
// back short stops with ReadError after the pages already emitted.
DumpStatus DumpPages(const ReadAtFn& readAt, Offset fileSize, const DumpOptions& options,
                     const std::function<void(std::string_view)>& emit);

} // namespace vek::cli
