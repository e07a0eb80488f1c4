#pragma once
// Which byte of the page lies under a point of the view: pure arithmetic on the column frames.

#include <optional>

namespace vek {

// A rectangle in the view's client pixels; right and bottom are the edges' coordinates.
struct FrameRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct HitGeometry {
  FrameRect hexFrame;   // frame of the hex column
  FrameRect asciiFrame; // frame of the character column
  int hexWidth = 0;     // 0 until the first paint that drew a line, then kHexLineWidth
  int asciiWidth = 0;   // 0 until then, then kAsciiLineWidth
};

struct HitResult {
  bool hit = false;         // the point lies in the hex or the character area
  std::optional<int> index; // the byte selected; empty on a miss and on the blank after a hex pair
};

// The hex area is tried first, then the character area; every edge comparison is strict. An index
// past the page selects its last byte. A page with no bytes has nothing to hit: always a miss.
HitResult HitTestByte(int x, int y, const HitGeometry& geometry, int pageBytes);

} // namespace vek
