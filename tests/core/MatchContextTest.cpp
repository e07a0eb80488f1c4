// The bytes a Find All row shows around an occurrence: where they start, their hex and text, and
// where the occurrence lies in each.
#include "core/MatchContext.h"

#include <gtest/gtest.h>

#include <vector>

namespace vek {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(MatchContext, StartsAFewBytesBeforeTheOccurrenceWhereTheFileHasThem) {
  const struct {
    Offset match;
    Offset start;
  } cases[] = {{0, 0}, {3, 0}, {4, 0}, {5, 1}, {1000, 996}, {Offset{5} << 32, (Offset{5} << 32) - 4}};
  for (const auto& c : cases) EXPECT_EQ(ContextStart(c.match), c.start) << c.match;
}

TEST(MatchContext, ShowsTheBytesAsHexAndTextAndWhereTheOccurrenceLiesInEach) {
  const struct {
    const char* name;
    Bytes bytes;
    Offset start;
    Offset match;
    int length;
    std::string hex;
    std::string text;
    TextSpan hexSpan;
    TextSpan textSpan;
  } cases[] = {
      {"in the middle", {'x', 'y', 'z', 'w', 'A', 'B', 'q'}, 96, 100, 2, "78 79 7A 77 41 42 71", "xyzwABq", {12, 5}, {4, 2}},
      {"at the file's start", {'A', 'B', 'c'}, 0, 0, 2, "41 42 63", "ABc", {0, 5}, {0, 2}},
      {"one byte", {0x00, 0xFF}, 0, 1, 1, "00 FF", ".\xC3\xBF", {3, 2}, {1, 1}},
      {"the file ends inside it", {'a', 'b', 'c', 'd', 'e'}, 10, 14, 3, "61 62 63 64 65", "abcde", {12, 2}, {4, 1}},
      {"longer than the bytes shown", Bytes(16, 'L'), 0, 4, 100, "4C 4C 4C 4C 4C 4C 4C 4C 4C 4C 4C 4C 4C 4C 4C 4C",
       "LLLLLLLLLLLLLLLL", {12, 35}, {4, 12}},
      {"nothing could be read", {}, 96, 100, 3, "", "", {0, 0}, {0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const MatchContext context = DescribeMatch(c.bytes, c.start, c.match, c.length);
    EXPECT_EQ(context.hex, c.hex);
    EXPECT_EQ(context.text, c.text);
    EXPECT_EQ(HexSpanOf(context), c.hexSpan);
    EXPECT_EQ(TextSpanOf(context), c.textSpan);
  }
}

} // namespace
} // namespace vek
