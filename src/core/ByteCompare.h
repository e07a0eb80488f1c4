#pragma once
// Finding where two buffers in memory differ, fast: glibc's memcmp (vectorised) passes over equal
// stretches at the speed of memory, and only the stretch that holds a difference is looked at
// word by word.

#include <cstddef>
#include <cstdint>

namespace vek {

// The smallest i in [at, count) with a[i] != b[i], or count when there is none.
std::size_t FindDifference(const std::uint8_t* a, const std::uint8_t* b, std::size_t at, std::size_t count);

} // namespace vek
