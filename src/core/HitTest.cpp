#include "core/HitTest.h"

#include <algorithm>

#include "core/PageGeometry.h"

namespace vek {

namespace {

// The hex text is kHexLineChars cells wide, so one cell is a fiftieth of the line's width.
constexpr double kHexCellFraction = 1.0 / kHexLineChars;

struct Origin {
  int x;
  int y;
};

Origin TextOrigin(const FrameRect& frame) {
  return Origin{frame.left + kTextInsetX, frame.top + kTextInsetY};
}

// Strict on every edge: the origin line and the frame's bottom edge belong to neither area.
bool Inside(int x, int y, Origin origin, int width, int bottom) {
  return origin.x < x && x < origin.x + width && origin.y < y && y < bottom;
}

} // namespace

HitResult HitTestByte(int x, int y, const HitGeometry& geometry, int pageBytes) {
  // Without a byte on the page every index would point outside the buffer.
  if (pageBytes <= 0) {
    return HitResult{};
  }

  int index = 0;
  const Origin hexOrigin = TextOrigin(geometry.hexFrame);
  const Origin asciiOrigin = TextOrigin(geometry.asciiFrame);
  if (Inside(x, y, hexOrigin, geometry.hexWidth, geometry.hexFrame.bottom)) {
    const double cellWidth = geometry.hexWidth * kHexCellFraction;
    const int cell = static_cast<int>((x - hexOrigin.x) / cellWidth);
    const int line = (y - hexOrigin.y) / kLineHeight;
    const int group = cell / kHexCellsPerPair;
    const int place = cell % kHexCellsPerPair;
    if (place == kHexCellsPerPair - 1) {
      // The blank after a pair: a hit that keeps the current selection.
      return HitResult{true, std::nullopt};
    }
    const int half = place / 2;
    index = line * kBytesPerLine + group * 2 + half;
  } else if (Inside(x, y, asciiOrigin, geometry.asciiWidth, geometry.asciiFrame.bottom)) {
    const int cellWidth = geometry.asciiWidth / kBytesPerLine;
    if (cellWidth <= 0) {
      return HitResult{}; // a line narrower than one cell per byte has no columns to hit
    }
    const int column = (x - asciiOrigin.x) / cellWidth;
    const int line = (y - asciiOrigin.y) / kLineHeight;
    index = line * kBytesPerLine + column;
  } else {
    return HitResult{};
  }
  return HitResult{true, std::min(index, pageBytes - 1)};
}

} // namespace vek
