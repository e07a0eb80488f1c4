#pragma once
// Which bytes of the page on screen differ from another file's bytes at the same offsets, while two
// files are compared side by side.

#include <bitset>
#include <cstdint>
#include <span>

#include "core/PageGeometry.h"

namespace vek {

struct PageDifferences {
  Offset start = 0;              // where the page they were found for was read from
  std::bitset<kPageBytes> bytes; // by page index
};

// `shown` are the page's bytes and `other` the other file's at the same offsets, fewer where the
// other file ends within the page. A byte differs where the two values differ, and where the other
// file has no byte at its offset: that part of the file has nothing to match.
std::bitset<kPageBytes> DifferingBytes(std::span<const std::uint8_t> shown, std::span<const std::uint8_t> other);

} // namespace vek
