#include "core/Ansi.h"

#include <gtest/gtest.h>

#include <string>

namespace vek {
namespace {

TEST(AnsiToCodePoint, AsciiAndLatin1RangesAreIdentity) {
  for (int b = 0x00; b <= 0x7F; ++b) {
    EXPECT_EQ(AnsiToCodePoint(static_cast<std::uint8_t>(b)), static_cast<char32_t>(b)) << b;
  }
  for (int b = 0xA0; b <= 0xFF; ++b) {
    EXPECT_EQ(AnsiToCodePoint(static_cast<std::uint8_t>(b)), static_cast<char32_t>(b)) << b;
  }
}

TEST(AnsiToCodePoint, HighControlRangeFollowsWindows1252) {
  EXPECT_EQ(AnsiToCodePoint(0x80), U'\u20AC'); // euro sign
  EXPECT_EQ(AnsiToCodePoint(0x82), U'\u201A');
  EXPECT_EQ(AnsiToCodePoint(0x83), U'\u0192');
  EXPECT_EQ(AnsiToCodePoint(0x85), U'\u2026');
  EXPECT_EQ(AnsiToCodePoint(0x8A), U'\u0160');
  EXPECT_EQ(AnsiToCodePoint(0x8C), U'\u0152');
  EXPECT_EQ(AnsiToCodePoint(0x8E), U'\u017D');
  EXPECT_EQ(AnsiToCodePoint(0x91), U'\u2018');
  EXPECT_EQ(AnsiToCodePoint(0x94), U'\u201D');
  EXPECT_EQ(AnsiToCodePoint(0x96), U'\u2013');
  EXPECT_EQ(AnsiToCodePoint(0x97), U'\u2014');
  EXPECT_EQ(AnsiToCodePoint(0x99), U'\u2122');
  EXPECT_EQ(AnsiToCodePoint(0x9C), U'\u0153');
  EXPECT_EQ(AnsiToCodePoint(0x9E), U'\u017E');
  EXPECT_EQ(AnsiToCodePoint(0x9F), U'\u0178');
}

TEST(AnsiToCodePoint, UndefinedCodesMapToThemselves) {
  for (const std::uint8_t b : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) {
    EXPECT_EQ(AnsiToCodePoint(b), static_cast<char32_t>(b)) << int{b};
  }
}

TEST(CodePointToAnsi, IsTheInverseForEveryByte) {
  for (int b = 0; b <= 0xFF; ++b) {
    const auto byte = static_cast<std::uint8_t>(b);
    EXPECT_EQ(CodePointToAnsi(AnsiToCodePoint(byte)), byte) << b;
  }
}

TEST(CodePointToAnsi, CharactersOutsideTheSetBecomeQuestionMarks) {
  EXPECT_EQ(CodePointToAnsi(U'\u0080'), '?'); // the euro sign took its byte
  EXPECT_EQ(CodePointToAnsi(U'\u009F'), '?');
  EXPECT_EQ(CodePointToAnsi(U'\u0100'), '?');
  EXPECT_EQ(CodePointToAnsi(U'\u4E2D'), '?');
  EXPECT_EQ(CodePointToAnsi(U'\U0001F600'), '?');
  EXPECT_EQ(CodePointToAnsi(0x110000), '?');
}

TEST(ToUtf8, EncodesEachCodePointInOneToThreeBytes) {
  EXPECT_EQ(ToUtf8(U"Hello"), "Hello");
  EXPECT_EQ(ToUtf8(U""), "");
  EXPECT_EQ(ToUtf8(U"\u20AC"), "\xE2\x82\xAC");      // euro, three bytes
  EXPECT_EQ(ToUtf8(U"\u00E9"), "\xC3\xA9");          // e acute, two bytes
  EXPECT_EQ(ToUtf8(U"a\u0178b"), "a\xC5\xB8" "b");    // Y diaeresis between letters
  EXPECT_EQ(ToUtf8(std::u32string(1, U'\0')), std::string(1, '\0'));
}

} // namespace
} // namespace vek
