#include "core/PageText.h"

#include <gtest/gtest.h>

#include <numeric>
#include <set>
#include <string>
#include <vector>

#include "core/Ansi.h"

namespace vek {
namespace {

std::vector<std::uint8_t> Bytes(std::string_view text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

TEST(BuildPageText, FiveBytesMakeOneLineWithBlanksAfterEachPair) {
  const PageText page = BuildPageText(Bytes("Hello"), 0, false);
  EXPECT_EQ(page.offsetLines, std::vector<std::string>{"      0"});
  EXPECT_EQ(page.hexLines, std::vector<std::string>{"4865 6C6C 6F"});
  EXPECT_EQ(page.asciiLines, std::vector<std::string>{"Hello"});
}

TEST(BuildPageText, SecondLineStartsAtByteTwenty) {
  const PageText page = BuildPageText(Bytes("ABCDEFGHIJKLMNOPQRSTU"), 0, false);
  ASSERT_EQ(page.hexLines.size(), 2u);
  EXPECT_EQ(page.hexLines[0], "4142 4344 4546 4748 494A 4B4C 4D4E 4F50 5152 5354 ");
  EXPECT_EQ(page.asciiLines[0], "ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(page.hexLines[1], "55"); // one byte: no trailing blank
  EXPECT_EQ(page.asciiLines[1], "U");
  EXPECT_EQ(page.offsetLines, (std::vector<std::string>{"      0", "     20"}));
}

TEST(BuildPageText, SecondLineOffsetInHex) {
  const PageText page = BuildPageText(Bytes("ABCDEFGHIJKLMNOPQRSTU"), 0, true);
  EXPECT_EQ(page.offsetLines, (std::vector<std::string>{"      0", "     14"}));
}

TEST(BuildPageText, TwentyBytesStayOnOneLine) {
  const PageText page = BuildPageText(Bytes("ABCDEFGHIJKLMNOPQRST"), 400, false);
  EXPECT_EQ(page.offsetLines, std::vector<std::string>{"    400"});
  EXPECT_EQ(page.hexLines.size(), 1u);
}

TEST(BuildPageText, EmptyPageHasOneLineWithOnlyItsOffset) {
  const PageText page = BuildPageText({}, 0, false);
  EXPECT_EQ(page.offsetLines, std::vector<std::string>{"      0"});
  EXPECT_EQ(page.hexLines, std::vector<std::string>{""});
  EXPECT_EQ(page.asciiLines, std::vector<std::string>{""});
}

TEST(BuildPageText, ControlBytesShowAsFullStops) {
  std::vector<std::uint8_t> bytes;
  for (int b = 0x00; b <= 0x1F; ++b) {
    bytes.push_back(static_cast<std::uint8_t>(b));
  }
  bytes.push_back(0x7F);
  bytes.push_back(0x20);
  bytes.push_back(0x7E);
  const PageText page = BuildPageText(bytes, 0, false);
  ASSERT_EQ(page.asciiLines.size(), 2u);
  EXPECT_EQ(page.asciiLines[0], std::string(20, '.'));
  EXPECT_EQ(page.asciiLines[1], std::string(13, '.') + " ~");
  EXPECT_EQ(page.hexLines[1], "1415 1617 1819 1A1B 1C1D 1E1F 7F20 7E");
}

TEST(BuildPageText, HighBytesAreKeptRaw) {
  std::vector<std::uint8_t> bytes;
  for (int b = 0x80; b < 0x80 + 20; ++b) {
    bytes.push_back(static_cast<std::uint8_t>(b));
  }
  bytes.push_back(0xFF);
  const PageText page = BuildPageText(bytes, 0, false);
  ASSERT_EQ(page.asciiLines.size(), 2u);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(static_cast<std::uint8_t>(page.asciiLines[0][i]), 0x80 + i);
  }
  EXPECT_EQ(page.asciiLines[1], std::string(1, '\xFF'));
  EXPECT_EQ(page.hexLines[0].substr(0, 10), "8081 8283 ");
  EXPECT_EQ(page.hexLines[1], "FF");
}

TEST(BuildPageText, FullPageHasTenLinesOfFiftyCharacters) {
  std::vector<std::uint8_t> bytes(kPageBytes);
  std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
  const PageText page = BuildPageText(bytes, 1000, true);
  ASSERT_EQ(page.hexLines.size(), static_cast<std::size_t>(kMaxPageLines));
  ASSERT_EQ(page.asciiLines.size(), page.hexLines.size());
  ASSERT_EQ(page.offsetLines.size(), page.hexLines.size());
  for (std::size_t k = 0; k < page.hexLines.size(); ++k) {
    EXPECT_EQ(page.hexLines[k].size(), static_cast<std::size_t>(kHexLineChars));
    EXPECT_EQ(page.hexLines[k].back(), ' ');
    EXPECT_EQ(page.asciiLines[k].size(), static_cast<std::size_t>(kBytesPerLine));
  }
  EXPECT_EQ(page.offsetLines[0], "    3E8");
  EXPECT_EQ(page.offsetLines[9], "    49C"); // 1000 + 180
  EXPECT_EQ(page.hexLines[9].substr(0, 5), "B4B5 ");
}

TEST(BuildPageText, WideOffsetsAreNotCut) {
  const Offset start = 0x123456789A;
  EXPECT_EQ(BuildPageText(Bytes("x"), start, true).offsetLines[0], "123456789A");
  EXPECT_EQ(BuildPageText(Bytes("x"), start, false).offsetLines[0], "78187493530");
  const PageText twoLines = BuildPageText(std::vector<std::uint8_t>(21, 'x'), 99999990, false);
  EXPECT_EQ(twoLines.offsetLines, (std::vector<std::string>{"99999990", "100000010"}));
}

TEST(BuildPageText, MoreThanOnePageIsCutAtTenLines) {
  const PageText page = BuildPageText(std::vector<std::uint8_t>(kPageBytes + 7, 'a'), 0, false);
  EXPECT_EQ(page.hexLines.size(), static_cast<std::size_t>(kMaxPageLines));
}

TEST(FormatOffset, RightAlignsInSevenCharacters) {
  EXPECT_EQ(FormatOffset(0, false), "      0");
  EXPECT_EQ(FormatOffset(20, true), "     14");
  EXPECT_EQ(FormatOffset(0xABCDEF, true), " ABCDEF");
  EXPECT_EQ(FormatOffset(1234567, false), "1234567");
  EXPECT_EQ(FormatOffset(std::int64_t{1} << 40, false), "1099511627776");
  EXPECT_EQ(FormatOffset(-1, false), "     -1");
  EXPECT_EQ(FormatOffset(-1, true), "FFFFFFFFFFFFFFFF");
}

TEST(IsControlByte, MatchesTheCLocaleControls) {
  for (int b = 0; b <= 0xFF; ++b) {
    const bool expected = b < 0x20 || b == 0x7F;
    EXPECT_EQ(IsControlByte(static_cast<std::uint8_t>(b)), expected) << b;
  }
}

TEST(ShownCharacter, ScreenAndTerminalDifferOnlyInTheSoftHyphenAndTheUndefinedCodes) {
  const std::set<int> undefined = {0x81, 0x8D, 0x8F, 0x90, 0x9D};
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<std::uint8_t>(b);
    const char32_t plain = IsControlByte(byte) ? U'.' : AnsiToCodePoint(byte);
    EXPECT_EQ(ShownCharacter(byte, ShownOn::Screen), b == 0xAD ? U'-' : plain) << b;
    EXPECT_EQ(ShownCharacter(byte, ShownOn::Terminal), undefined.contains(b) ? U'.' : plain) << b;
  }
}

TEST(PageLineText, IsTheOffsetTheHexWordsPaddedToAFullLineAndTheCharacters) {
  const std::vector<std::uint8_t> bytes = {'H', 'i', 0x00, 0xAD, 0x81};
  const PageText text = BuildPageText(bytes, 400, false);
  const PageLine line = PageLineText(text, 0, ShownOn::Screen);
  EXPECT_EQ(line.text, U"    400  4869 00AD 81" + std::u32string(kHexLineChars - 12, U' ') + U" Hi.-\u0081");
  EXPECT_EQ(line.text.substr(static_cast<std::size_t>(line.columns.hex), 4), U"4869");
  EXPECT_EQ(PageLineText(text, 0, ShownOn::Terminal).text.substr(static_cast<std::size_t>(line.columns.ascii)),
            U"Hi.\u00AD.");
  // A long offset moves the columns along; an empty page is its offset alone.
  const PageText far = BuildPageText(std::vector<std::uint8_t>(1, 'a'), Offset{1} << 40, false);
  EXPECT_EQ(PageLineText(far, 0, ShownOn::Screen).text, U"1099511627776  61" + std::u32string(kHexLineChars - 2 + kCharsGap, U' ') + U"a");
  EXPECT_EQ(PageLineText(BuildPageText({}, 0, true), 0, ShownOn::Screen).text, U"      0");
}

} // namespace
} // namespace vek
