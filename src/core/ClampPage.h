#pragma once
// Brings a wanted page window into the file: the rule every page read applies before it reads.

#include "core/PageGeometry.h"

namespace vek {

struct PageWindow {
  Offset start = 0; // first byte of the page
  Offset end = 0;   // one past the last byte wanted, cut at the file size
  int count = 0;    // bytes to read, 0..kPageBytes
  friend bool operator==(const PageWindow&, const PageWindow&) = default;
};

// Clamps in this order, each step using the values of the one before:
//   start < 0 -> 0; start >= size -> size - 200 when that is positive, else 0;
//   end <= start -> start + 200 when that is below size, else size; end >= size -> size;
//   count = end - start, at most 200.
// Sums never overflow: a start near the largest offset still gives the file's last page.
PageWindow ClampPage(Offset start, Offset end, Offset size);

// start + delta, held at the limits of Offset instead of overflowing.
Offset SaturatingAdd(Offset start, Offset delta);

} // namespace vek
