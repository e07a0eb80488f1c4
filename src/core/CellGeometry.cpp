#include "core/CellGeometry.h"

#include <algorithm>
#include <cstdint>

#include "core/PageGeometry.h"

namespace vek {

namespace {

// The hex text is kHexLineChars cells wide, so one cell is a fiftieth of the line's width.
constexpr double kHexCellFraction = 1.0 / kHexLineChars;

// Coordinates are worked in 64 bits: frames, widths and points come as ints from anywhere in the
// int range, and their sums and differences must not overflow.
using Coord = std::int64_t;

struct Origin {
  Coord x;
  Coord y;
};

Origin TextOrigin(const FrameRect& frame) {
  return Origin{Coord{frame.left} + kTextInsetX, Coord{frame.top} + kTextInsetY};
}

// Strict on every edge: the origin line and the frame's bottom edge belong to neither area.
bool Inside(Coord x, Coord y, Origin origin, Coord width, Coord bottom) {
  return origin.x < x && x < origin.x + width && origin.y < y && y < bottom;
}

} // namespace

CellRect GridCell(const FrameRect& frame, int line, int column) {
  const Origin origin = TextOrigin(frame);
  return {static_cast<int>(origin.x) + column * kCellWidth, static_cast<int>(origin.y) + line * kLineHeight,
          kCellWidth, kLineHeight};
}

std::optional<GridPosition> GridPositionAt(const FrameRect& frame, int x, int y) {
  const Origin origin = TextOrigin(frame);
  if (x < origin.x || y < origin.y) return std::nullopt;
  return GridPosition{static_cast<int>((y - origin.y) / kLineHeight), static_cast<int>((x - origin.x) / kCellWidth)};
}

int HexColumnOfByte(int inLine) { return inLine / 2 * kHexCellsPerPair + inLine % 2 * 2; }

std::optional<int> ByteOfHexColumn(int column) {
  const int place = column % kHexCellsPerPair;
  if (column < 0 || place == kHexCellsPerPair - 1) return std::nullopt;
  return column / kHexCellsPerPair * 2 + place / 2;
}

CellRect HexByteCell(const FrameRect& hexFrame, int index) {
  CellRect cell = GridCell(hexFrame, index / kBytesPerLine, HexColumnOfByte(index % kBytesPerLine));
  cell.width = 2 * kCellWidth;
  return cell;
}

CellRect AsciiByteCell(const FrameRect& asciiFrame, int index) {
  return GridCell(asciiFrame, index / kBytesPerLine, index % kBytesPerLine);
}

HitResult HitTestByte(int x, int y, const HitGeometry& geometry, int pageBytes) {
  // Without a byte on the page every index would point outside the buffer.
  if (pageBytes <= 0) {
    return HitResult{};
  }

  Coord index = 0;
  const Origin hexOrigin = TextOrigin(geometry.hexFrame);
  const Origin asciiOrigin = TextOrigin(geometry.asciiFrame);
  if (Inside(x, y, hexOrigin, geometry.hexWidth, geometry.hexFrame.bottom)) {
    // x - origin < width, so the cell lies in 0..kHexLineChars whatever the width.
    const double cellWidth = geometry.hexWidth * kHexCellFraction;
    const auto cell = static_cast<Coord>(static_cast<double>(x - hexOrigin.x) / cellWidth);
    const Coord line = (y - hexOrigin.y) / kLineHeight;
    const std::optional<int> byte = ByteOfHexColumn(static_cast<int>(cell));
    // The blank after a pair: a hit that keeps the current selection.
    if (!byte) return HitResult{true, std::nullopt};
    index = line * kBytesPerLine + *byte;
  } else if (Inside(x, y, asciiOrigin, geometry.asciiWidth, geometry.asciiFrame.bottom)) {
    const Coord cellWidth = geometry.asciiWidth / kBytesPerLine;
    if (cellWidth <= 0) {
      return HitResult{}; // a line narrower than one cell per byte has no columns to hit
    }
    const Coord column = (x - asciiOrigin.x) / cellWidth;
    const Coord line = (y - asciiOrigin.y) / kLineHeight;
    index = line * kBytesPerLine + column;
  } else {
    return HitResult{};
  }
  return HitResult{true, static_cast<int>(std::min<Coord>(index, pageBytes - 1))};
}

} // namespace vek
