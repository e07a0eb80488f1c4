#include "core/CellGeometry.h"

#include <gtest/gtest.h>

#include "core/PageGeometry.h"

namespace vek {
namespace {

// Frames as the form places them; only left, top and bottom matter to the test.
constexpr FrameRect kHexFrame{90, 80, 478, 244};
constexpr FrameRect kAsciiFrame{486, 80, 660, 244};
constexpr int kHexX = kHexFrame.left + kTextInsetX;
constexpr int kHexY = kHexFrame.top + kTextInsetY;
constexpr int kAsciiX = kAsciiFrame.left + kTextInsetX;
constexpr int kAsciiY = kAsciiFrame.top + kTextInsetY;

HitGeometry Painted() {
  return HitGeometry{kHexFrame, kAsciiFrame, kHexLineWidth, kAsciiLineWidth};
}

HitResult Hit(int x, int y, int pageBytes = kPageBytes) {
  return HitTestByte(x, y, Painted(), pageBytes);
}

void ExpectByte(const HitResult& r, int index) {
  EXPECT_TRUE(r.hit);
  ASSERT_TRUE(r.index.has_value());
  EXPECT_EQ(*r.index, index);
}

void ExpectMiss(const HitResult& r) {
  EXPECT_FALSE(r.hit);
  EXPECT_FALSE(r.index.has_value());
}

void ExpectBlank(const HitResult& r) {
  EXPECT_TRUE(r.hit);
  EXPECT_FALSE(r.index.has_value());
}

TEST(HitTestHex, CellsOfTheFirstPair) {
  for (int dx = 1; dx <= 13; ++dx) {
    SCOPED_TRACE(dx);
    ExpectByte(Hit(kHexX + dx, kHexY + 1), 0);
  }
  for (int dx = 14; dx <= 27; ++dx) {
    SCOPED_TRACE(dx);
    ExpectByte(Hit(kHexX + dx, kHexY + 1), 1);
  }
  for (int dx = 28; dx <= 34; ++dx) {
    SCOPED_TRACE(dx);
    ExpectBlank(Hit(kHexX + dx, kHexY + 1));
  }
  ExpectByte(Hit(kHexX + 35, kHexY + 1), 2);
}

TEST(HitTestHex, LastPairOfALine) {
  ExpectByte(Hit(kHexX + 45 * kCellWidth, kHexY + 1), 18);
  ExpectByte(Hit(kHexX + 47 * kCellWidth, kHexY + 1), 19);
  ExpectBlank(Hit(kHexX + kHexLineWidth - 1, kHexY + 1));
}

TEST(HitTestHex, EdgesAreStrict) {
  ExpectMiss(Hit(kHexX, kHexY + 1));
  ExpectMiss(Hit(kHexX + 1, kHexY));
  ExpectMiss(Hit(kHexX + 1, kHexFrame.bottom));
  ExpectByte(Hit(kHexX + 1, kHexFrame.bottom - 1), kPageBytes - 1); // below the tenth line: cut
  ExpectMiss(Hit(kHexX + kHexLineWidth, kHexY + 1)); // between the columns
}

TEST(HitTestHex, LinesAreFifteenPixelsHigh) {
  ExpectByte(Hit(kHexX + 1, kHexY + 14), 0);
  ExpectByte(Hit(kHexX + 1, kHexY + 15), 20);
  ExpectByte(Hit(kHexX + 35, kHexY + 15 * 9 + 1), 182);
}

TEST(HitTestAscii, ColumnsAreSevenPixelsWide) {
  for (int dx = 1; dx <= 6; ++dx) {
    ExpectByte(Hit(kAsciiX + dx, kAsciiY + 1), 0);
  }
  ExpectByte(Hit(kAsciiX + 7, kAsciiY + 1), 1);
  for (int dx = 133; dx <= 139; ++dx) {
    ExpectByte(Hit(kAsciiX + dx, kAsciiY + 1), 19);
  }
  ExpectMiss(Hit(kAsciiX + 140, kAsciiY + 1));
  ExpectMiss(Hit(kAsciiX, kAsciiY + 1));
  ExpectMiss(Hit(kAsciiX + 1, kAsciiY));
  ExpectMiss(Hit(kAsciiX + 1, kAsciiFrame.bottom));
}

TEST(HitTestAscii, LinesAreFifteenPixelsHigh) {
  ExpectByte(Hit(kAsciiX + 1, kAsciiY + 14), 0);
  ExpectByte(Hit(kAsciiX + 1, kAsciiY + 15), 20);
  ExpectByte(Hit(kAsciiX + 8, kAsciiY + 31), 41);
}

TEST(HitTestShortPage, PointsPastTheLastByteSelectIt) {
  constexpr int kBytes = 7;
  ExpectByte(Hit(kAsciiX + 1 + 6 * kCellWidth, kAsciiY + 1, kBytes), 6);
  ExpectByte(Hit(kAsciiX + 1 + 12 * kCellWidth, kAsciiY + 1, kBytes), 6);
  ExpectByte(Hit(kAsciiX + 1, kAsciiY + 16, kBytes), 6);
  ExpectByte(Hit(kHexX + 16 * kCellWidth, kHexY + 1, kBytes), 6);
  ExpectByte(Hit(kHexX + 17 * kCellWidth, kHexY + 1, kBytes), 6); // where byte 7 would be
  ExpectByte(Hit(kHexX + 1, kHexY + 100, kBytes), 6);
  ExpectByte(Hit(kHexX + 1, kHexY + 1, kBytes), 0);
  ExpectBlank(Hit(kHexX + 4 * kCellWidth + 1, kHexY + 100, kBytes));
}

TEST(HitTestEmptyPage, EveryPointMisses) {
  ExpectMiss(Hit(kHexX + 1, kHexY + 1, 0));
  ExpectMiss(Hit(kHexX + 30, kHexY + 1, 0)); // even the blank between pairs
  ExpectMiss(Hit(kAsciiX + 1, kAsciiY + 1, 0));
  ExpectMiss(Hit(kAsciiX + 1, kAsciiY + 1, -1));
}

TEST(HitTestBeforePaint, ZeroWidthsMissEverywhere) {
  const HitGeometry unpainted{kHexFrame, kAsciiFrame, 0, 0};
  ExpectMiss(HitTestByte(kHexX + 1, kHexY + 1, unpainted, kPageBytes));
  ExpectMiss(HitTestByte(kAsciiX + 1, kAsciiY + 1, unpainted, kPageBytes));
}

TEST(HitTestAscii, LineNarrowerThanACellPerByteMisses) {
  const HitGeometry narrow{kHexFrame, kAsciiFrame, kHexLineWidth, kBytesPerLine - 1};
  ExpectMiss(HitTestByte(kAsciiX + 1, kAsciiY + 1, narrow, kPageBytes));
}

TEST(HitTestOverlap, HexAreaIsTriedFirst) {
  // Both text areas start at the same place: the hex reading wins.
  const HitGeometry overlap{kHexFrame, kHexFrame, kHexLineWidth, kAsciiLineWidth};
  ExpectByte(HitTestByte(kHexX + 15, kHexY + 1, overlap, kPageBytes), 1);
  ExpectBlank(HitTestByte(kHexX + 30, kHexY + 1, overlap, kPageBytes));
}

// The inverse of the hit test: every cell a byte is painted in hits that byte, in both columns,
// at both of its hex digits, and the grid position of a cell is the cell.
TEST(CellGeometry, EveryByteCellHitsItsOwnByte) {
  for (int index = 0; index < kPageBytes; ++index) {
    SCOPED_TRACE(index);
    const CellRect hex = HexByteCell(kHexFrame, index);
    EXPECT_EQ(hex.width, 2 * kCellWidth);
    ExpectByte(Hit(hex.left + 1, hex.top + 1), index);
    ExpectByte(Hit(hex.left + hex.width - 1, hex.top + hex.height - 1), index);
    const CellRect ascii = AsciiByteCell(kAsciiFrame, index);
    ExpectByte(Hit(ascii.left + ascii.width / 2, ascii.top + ascii.height / 2), index);
    const std::optional<GridPosition> at = GridPositionAt(kAsciiFrame, ascii.left, ascii.top + ascii.height - 1);
    ASSERT_TRUE(at.has_value());
    EXPECT_EQ(GridCell(kAsciiFrame, at->line, at->column), ascii);
  }
  EXPECT_FALSE(GridPositionAt(kHexFrame, kHexX - 1, kHexY).has_value());
  EXPECT_FALSE(GridPositionAt(kHexFrame, kHexX, kHexY - 1).has_value());
  // Both hex digits of each byte of a line name that byte; the blank after a pair names none.
  for (int column = 0; column < kHexLineChars; ++column) {
    const std::optional<int> byte = ByteOfHexColumn(column);
    if (column % kHexCellsPerPair == kHexCellsPerPair - 1) {
      EXPECT_FALSE(byte) << column;
    } else {
      ASSERT_TRUE(byte) << column;
      EXPECT_EQ(HexColumnOfByte(*byte), column - column % kHexCellsPerPair % 2) << column;
    }
  }
}

} // namespace
} // namespace vek
