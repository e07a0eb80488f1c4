#pragma once
// The line under a Find All list: how many occurrences there are (so far, or in all), whether the
// list holds all of them, and how a search that did not finish ended.

#include <string>

#include "core/FindAllState.h"

namespace vek {

// Offsets in it are in the radix shown (`hexMode`).
std::string FindAllStatusText(const FindAllState& state, bool hexMode);

} // namespace vek
