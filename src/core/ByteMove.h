#pragma once
// Moving the selected byte from the keyboard. The selection is a byte of the file: a move that
// leaves the page turns it as the page buttons do (from the page on screen), and the byte is then
// selected on the new page.

#include <optional>

#include "core/PageState.h"

namespace vek {

enum class ByteMove {
  Left,      // one byte back
  Right,     // one byte on
  Up,        // one line (kBytesPerLine bytes) back
  Down,      // one line on
  LineStart, // the first byte of its page line
  LineEnd,   // the last byte of its page line
};

struct MovePlan {
  Offset target = 0;             // the byte to select
  std::optional<PageState> turn; // the page to read first, when the byte is not on this one
};

// Where a move of the selected page byte `selIndex` goes; none when there is no byte to move to
// (before the file's first byte, past its last, or a page without bytes). A selection past the
// end of a shorter page moves from the page's last byte.
std::optional<MovePlan> PlanByteMove(const PageState& page, int selIndex, ByteMove move);

// The page index of file offset `target` on the page read, or its nearest byte should the file
// have changed in between; none on a page without bytes.
std::optional<int> IndexOnPage(const PageState& page, Offset target);

} // namespace vek
