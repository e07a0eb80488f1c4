#pragma once
// How much of a Find All the window keeps.

#include <cstddef>

namespace vek {

// Occurrences a Find All lists: their offsets take 8 MB, and the list's rows are read from the file
// only while on screen. Beyond it the count goes on, exact.
inline constexpr std::size_t kMaxListedMatches = 1'000'000;

} // namespace vek
