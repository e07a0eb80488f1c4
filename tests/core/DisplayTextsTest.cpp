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

TEST(OffsetText, DecimalOrHexWithItsPrefixAndASign) {
  const struct {
    Offset offset;
    bool hexMode;
    const char* text;
  } cases[] = {
      {413, false, "413"},
      {413, true, "0x19D"},
      {0, false, "0"},
      {0, true, "0x0"},
      {-87, false, "-87"},
      {-87, true, "-0x57"},
      {std::int64_t{5} << 30, true, "0x140000000"},
      {INT64_MAX, false, "9223372036854775807"},
      {INT64_MIN, false, "-9223372036854775808"},
      {INT64_MIN, true, "-0x8000000000000000"},
  };
  for (const auto& c : cases) EXPECT_EQ(OffsetText(c.offset, c.hexMode), c.text) << c.offset << " hex " << c.hexMode;
}

} // namespace
} // namespace vek
