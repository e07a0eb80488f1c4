#pragma once
// The page grid both ways, pure arithmetic on the column frames: which byte lies under a point of
// the view (the hit test), and in which cells each byte and each character is painted. Painting,
// the accessible text and the hit test all rest on these, so they cannot disagree.

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

// A cell of the page grid, in the view's pixels.
struct CellRect {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const CellRect&, const CellRect&) = default;
};

// Cell `column` of page line `line` of a column whose frame is `frame`: every character is painted
// in a cell of its own, kCellWidth wide and kLineHeight high, from the frame's text origin on.
CellRect GridCell(const FrameRect& frame, int line, int column);

// The grid cell under a point of a column, or none above or left of its text origin.
struct GridPosition {
  int line = 0, column = 0;
};
std::optional<GridPosition> GridPositionAt(const FrameRect& frame, int x, int y);

// Where byte `inLine` (0..kBytesPerLine - 1) of a line begins in its hex text: "4142 4344 ...".
int HexColumnOfByte(int inLine);
// The byte of a line whose hex digit stands in `column` of its hex text; none for the blank after a pair.
std::optional<int> ByteOfHexColumn(int column);

// The cells of page byte `index`: its two hex digits, and its character.
CellRect HexByteCell(const FrameRect& hexFrame, int index);
CellRect AsciiByteCell(const FrameRect& asciiFrame, int index);

// The hex area is tried first, then the character area; every edge comparison is strict. An index
// past the page selects its last byte. A page with no bytes has nothing to hit: always a miss.
HitResult HitTestByte(int x, int y, const HitGeometry& geometry, int pageBytes);

} // namespace vek
