#include "core/PageDifferences.h"

#include <algorithm>

namespace vek {

std::bitset<kPageBytes> DifferingBytes(std::span<const std::uint8_t> shown, std::span<const std::uint8_t> other) {
  std::bitset<kPageBytes> differing;
  const std::size_t count = std::min(shown.size(), static_cast<std::size_t>(kPageBytes));
  for (std::size_t i = 0; i < count; ++i) {
    if (i >= other.size() || shown[i] != other[i]) differing.set(i);
  }
  return differing;
}

} // namespace vek
