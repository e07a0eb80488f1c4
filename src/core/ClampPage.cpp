#include "core/ClampPage.h"

#include <algorithm>
#include <limits>

namespace vek {

Offset SaturatingAdd(Offset start, Offset delta) {
  Offset sum = 0;
  if (!__builtin_add_overflow(start, delta, &sum)) {
    return sum;
  }
  return delta > 0 ? std::numeric_limits<Offset>::max() : std::numeric_limits<Offset>::min();
}

PageWindow ClampPage(Offset start, Offset end, Offset size) {
  // A length below zero cannot come from a file; treating it as empty keeps the window ordered.
  size = std::max<Offset>(size, 0);

  if (start < 0) {
    start = 0;
  }
  if (start >= size) {
    // Past the end: show the file's last page rather than an empty one.
    start = size - kPageBytes > 0 ? size - kPageBytes : 0;
  }
  if (end <= start) {
    const Offset pageEnd = SaturatingAdd(start, kPageBytes);
    end = pageEnd < size ? pageEnd : size;
  }
  if (end >= size) {
    end = size;
  }
  const Offset span = end - start; // 0 <= start <= end <= size here, so no overflow
  const int count = span < kPageBytes ? static_cast<int>(span) : kPageBytes;
  return PageWindow{start, end, count};
}

} // namespace vek
