#pragma once
// Whether the terminal output is coloured, as grep and the NO_COLOR convention have it: "auto"
// colours a terminal only, and not when the user has said NO_COLOR; a WHEN given on the command
// line ("always", "never") wins over NO_COLOR.

#include "core/CommandLine.h"

namespace vek {

// `noColor` is the value of the environment variable NO_COLOR, null when it is not set; set but
// empty counts as not set.
bool UseColor(ColorWhen when, bool outputIsTerminal, const char* noColor);

} // namespace vek
