#pragma once
// A stretch of the file's bytes, first to last, both included: what a selection holds.

#include "core/PageGeometry.h"

namespace vek {

struct ByteRange {
  Offset first = 0;
  Offset last = 0;
  Offset Count() const { return last - first + 1; }
  bool Holds(Offset offset) const { return offset >= first && offset <= last; }
  friend bool operator==(const ByteRange&, const ByteRange&) = default;
};

// The range between two bytes, whichever comes first.
constexpr ByteRange Between(Offset a, Offset b) { return a <= b ? ByteRange{a, b} : ByteRange{b, a}; }

} // namespace vek
