#pragma once
// One write of vek to a file: which byte, what it held before and what vek made of it.

#include <cstdint>

#include "core/PageGeometry.h"

namespace vek {

struct ByteEdit {
  Offset offset = 0;
  std::uint8_t before = 0;
  std::uint8_t after = 0;
  friend bool operator==(const ByteEdit&, const ByteEdit&) = default;
};

} // namespace vek
