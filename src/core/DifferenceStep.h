#pragma once
// Where "Next difference" and "Previous difference" go while two files are compared side by side:
// from the selected byte of the view the command came from, to the nearest offset after it (or
// before it) at which the files differ, where both views then select the byte.

#include "core/PageState.h"

namespace vek {

enum class StepDirection { Next, Previous };

// The offset a step compares from: for Next the first offset after the selected byte, for Previous
// the selected byte itself (the last difference before it is wanted). A selection past the end of a
// shorter page stands on the page's last byte, as the keys move it; a page without bytes at its
// start.
Offset StepOrigin(const PageState& page, int selIndex, StepDirection direction);

// The byte a view selects for a difference at `difference`: that byte, or the last byte of a file
// that ends before it (the shorter file's end is a difference of the longer one).
Offset LandingOffset(Offset difference, Offset fileLength);

} // namespace vek
