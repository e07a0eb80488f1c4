// The hit test for any point, any frames and widths (huge, negative, unpainted) and any page size:
// no undefined arithmetic, an index only on a hit and only inside the page. For the geometry a
// painted view has, the byte under the point is the one the layout puts there.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "core/CellGeometry.h"
#include "core/PageGeometry.h"

namespace {

vek::FrameRect AnyFrame(FuzzedDataProvider& input) {
  vek::FrameRect frame;
  frame.left = input.ConsumeIntegral<int>();
  frame.top = input.ConsumeIntegral<int>();
  frame.right = input.ConsumeIntegral<int>();
  frame.bottom = input.ConsumeIntegral<int>();
  return frame;
}

// A frame somewhere on a screen, at least as tall as the text inset.
vek::FrameRect ScreenFrame(FuzzedDataProvider& input) {
  vek::FrameRect frame;
  frame.left = input.ConsumeIntegralInRange(-4000, 4000);
  frame.top = input.ConsumeIntegralInRange(-4000, 4000);
  frame.right = frame.left + input.ConsumeIntegralInRange(0, 1000);
  frame.bottom = frame.top + input.ConsumeIntegralInRange(0, 400);
  return frame;
}

bool Inside(int x, int y, const vek::FrameRect& frame, int width) {
  const int ox = frame.left + vek::kTextInsetX;
  const int oy = frame.top + vek::kTextInsetY;
  return ox < x && x < ox + width && oy < y && y < frame.bottom;
}

// Where a painted view's layout puts each byte: hex pairs of kHexCellsPerPair cells, then one
// character cell per byte.
vek::HitResult Layout(int x, int y, const vek::HitGeometry& g, int pageBytes) {
  if (pageBytes <= 0) return {};
  int index = 0;
  if (Inside(x, y, g.hexFrame, vek::kHexLineWidth)) {
    const int cell = (x - g.hexFrame.left - vek::kTextInsetX) / vek::kCellWidth;
    const int line = (y - g.hexFrame.top - vek::kTextInsetY) / vek::kLineHeight;
    if (cell % vek::kHexCellsPerPair == vek::kHexCellsPerPair - 1) return {true, std::nullopt};
    index = line * vek::kBytesPerLine + cell / vek::kHexCellsPerPair * 2 + cell % vek::kHexCellsPerPair / 2;
  } else if (Inside(x, y, g.asciiFrame, vek::kAsciiLineWidth)) {
    const int column = (x - g.asciiFrame.left - vek::kTextInsetX) / vek::kCellWidth;
    const int line = (y - g.asciiFrame.top - vek::kTextInsetY) / vek::kLineHeight;
    index = line * vek::kBytesPerLine + column;
  } else {
    return {};
  }
  return {true, std::min(index, pageBytes - 1)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool painted = input.ConsumeBool();
  vek::HitGeometry geometry;
  int x = 0;
  int y = 0;
  int pageBytes = 0;
  if (painted) {
    geometry = vek::HitGeometry{ScreenFrame(input), ScreenFrame(input), vek::kHexLineWidth, vek::kAsciiLineWidth};
    x = input.ConsumeIntegralInRange(-5000, 6000);
    y = input.ConsumeIntegralInRange(-5000, 6000);
    pageBytes = input.ConsumeIntegralInRange(-1, vek::kPageBytes);
  } else {
    geometry.hexFrame = AnyFrame(input);
    geometry.asciiFrame = AnyFrame(input);
    geometry.hexWidth = input.ConsumeIntegral<int>();
    geometry.asciiWidth = input.ConsumeIntegral<int>();
    x = input.ConsumeIntegral<int>();
    y = input.ConsumeIntegral<int>();
    pageBytes = input.ConsumeIntegral<int>();
  }

  const vek::HitResult result = vek::HitTestByte(x, y, geometry, pageBytes);
  if (pageBytes <= 0) FUZZ_CHECK(!result.hit);
  if (!result.hit) FUZZ_CHECK(!result.index.has_value());
  if (result.index) FUZZ_CHECK(0 <= *result.index && *result.index < pageBytes);

  if (painted) {
    const vek::HitResult expected = Layout(x, y, geometry, pageBytes);
    FUZZ_CHECK(result.hit == expected.hit);
    FUZZ_CHECK(result.index == expected.index);
  }
  return 0;
}
