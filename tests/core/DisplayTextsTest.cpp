#include "core/DisplayTexts.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

TEST(FormatStartPos, FollowsTheRadix) {
  EXPECT_EQ(FormatStartPos(850, false), "850");
  EXPECT_EQ(FormatStartPos(850, true), "352");
  EXPECT_EQ(FormatStartPos(0, true), "0");
  EXPECT_EQ(FormatStartPos(0xABCDEF, true), "ABCDEF");
  EXPECT_EQ(FormatStartPos(std::int64_t{1} << 32, false), "4294967296");
  EXPECT_EQ(FormatStartPos(std::int64_t{1} << 32, true), "100000000");
}

TEST(FormatFileSize, NumberAboveTheWordBytes) {
  EXPECT_EQ(FormatFileSize(1050, true), "0x41A\r\nBytes");
  EXPECT_EQ(FormatFileSize(1050, false), "1050\r\nBytes");
  EXPECT_EQ(FormatFileSize(0, true), "0x0\r\nBytes");
  EXPECT_EQ(FormatFileSize(0, false), "0\r\nBytes");
  EXPECT_EQ(FormatFileSize(std::int64_t{5} << 30, false), "5368709120\r\nBytes");
}

TEST(FormatPositionLine, OffsetAndValueInTheRadix) {
  EXPECT_EQ(FormatPositionLine(413, 10, false), "Byte 413 = 10");
  EXPECT_EQ(FormatPositionLine(413, 10, true), "Byte 19D = A");
  EXPECT_EQ(FormatPositionLine(0, 255, false), "Byte 0 = 255");
  EXPECT_EQ(FormatPositionLine(0, 255, true), "Byte 0 = FF");
  EXPECT_EQ(FormatPositionLine(std::int64_t{3} << 32, 0, true), "Byte 300000000 = 0");
}

} // namespace
} // namespace vek
