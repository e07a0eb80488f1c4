// Inputs the fuzz targets (fuzz/) found to break the core, kept so that they never come back.

#include <climits>

#include <gtest/gtest.h>

#include "core/CellGeometry.h"
#include "core/PageGeometry.h"

namespace vek {
namespace {

constexpr FrameRect kHexFrame{90, 80, 478, 244};
constexpr FrameRect kAsciiFrame{486, 80, 660, 244};

// Frames and widths come from the widget layer as ints; near the ends of the int range the text
// origin, the right edge and the point's distance from the origin do not fit an int.
TEST(FuzzFoundHitTest, ATextOriginPastTheLargestIntIsNotWrappedToTheLeftEdge) {
  const HitGeometry geometry{FrameRect{INT_MAX, 0, INT_MAX, 1000}, FrameRect{INT_MAX, 0, INT_MAX, 1000},
                             kHexLineWidth, kAsciiLineWidth};
  for (const int x : {INT_MIN, INT_MIN + 100, INT_MIN + 300, 0, INT_MAX}) {
    SCOPED_TRACE(x);
    const HitResult result = HitTestByte(x, 20, geometry, kPageBytes);
    EXPECT_FALSE(result.hit);
    EXPECT_FALSE(result.index.has_value());
  }
}

TEST(FuzzFoundHitTest, ALineReachingPastTheLargestIntStillContainsItsPoints) {
  const HitGeometry geometry{FrameRect{0, 0, 0, 100}, kAsciiFrame, INT_MAX, kAsciiLineWidth};
  // The last cell of the widest line is the blank after a pair: a hit that selects nothing.
  const HitResult blank = HitTestByte(INT_MAX - 1, 9, geometry, kPageBytes);
  EXPECT_TRUE(blank.hit);
  EXPECT_FALSE(blank.index.has_value());
  // Its first cell is the first byte.
  const HitResult first = HitTestByte(6, 9, geometry, kPageBytes);
  EXPECT_TRUE(first.hit);
  EXPECT_EQ(first.index, 0);
}

TEST(FuzzFoundHitTest, APointFarBelowInATallFrameSelectsTheLastByte) {
  const HitGeometry hex{FrameRect{0, INT_MIN, 400, INT_MAX}, kAsciiFrame, kHexLineWidth, kAsciiLineWidth};
  const HitResult inHex = HitTestByte(6, INT_MAX - 1, hex, kPageBytes);
  EXPECT_TRUE(inHex.hit);
  EXPECT_EQ(inHex.index, kPageBytes - 1);

  const HitGeometry ascii{kHexFrame, FrameRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 0, INT_MAX};
  const HitResult inAscii = HitTestByte(0, INT_MAX - 1, ascii, 10);
  EXPECT_TRUE(inAscii.hit);
  EXPECT_EQ(inAscii.index, 9);
}

TEST(FuzzFoundHitTest, NegativeWidthsHaveNoArea) {
  for (const int left : {kHexFrame.left, INT_MIN}) {
    const HitGeometry geometry{FrameRect{left, 0, 0, 1000}, FrameRect{left, 0, 0, 1000}, INT_MIN, INT_MIN};
    for (const int x : {left + 10, INT_MIN, INT_MAX}) {
      SCOPED_TRACE(x);
      EXPECT_FALSE(HitTestByte(x, 20, geometry, kPageBytes).hit);
    }
  }
}

TEST(FuzzFoundHitTest, AHugeOrNegativePageSizeNeverGivesAnIndexOutsideThePage) {
  const HitGeometry geometry{kHexFrame, kAsciiFrame, kHexLineWidth, kAsciiLineWidth};
  const int x = kHexFrame.left + kTextInsetX + 1;
  const int y = kHexFrame.top + kTextInsetY + 1;
  EXPECT_FALSE(HitTestByte(x, y, geometry, INT_MIN).hit);
  EXPECT_EQ(HitTestByte(x, y, geometry, INT_MAX).index, 0);
}

} // namespace
} // namespace vek
