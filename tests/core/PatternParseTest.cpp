#include "core/PatternParse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/SearchLimits.h"

namespace vek {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Parsed(std::string_view text, PatternMode mode) {
  const ParsedPattern parsed = ParsePattern(text, mode); // the span below points into it
  const std::span<const std::uint8_t> bytes = parsed.pattern.Bytes();
  return Bytes(bytes.begin(), bytes.end());
}
Bytes Hex(std::string_view text) { return Parsed(text, PatternMode::Hex); }
Bytes Ascii(std::string_view text) { return Parsed(text, PatternMode::Ascii); }

TEST(ParsePatternAscii, EachCharacterIsOneByte) {
  EXPECT_EQ(Ascii("Hello"), (Bytes{0x48, 0x65, 0x6C, 0x6C, 0x6F}));
  EXPECT_EQ(Ascii(" a"), (Bytes{0x20, 0x61}));
  EXPECT_EQ(Ascii("a\tB"), (Bytes{'a', '\t', 'B'})); // no folding, no escapes
  EXPECT_EQ(Ascii("\\x41"), (Bytes{'\\', 'x', '4', '1'}));
  EXPECT_EQ(Ascii("\x80\xFF"), (Bytes{0x80, 0xFF}));
  EXPECT_EQ(Ascii(""), Bytes{});
}

TEST(ParsePatternAscii, KeepsTheFirstMaximumCharacters) {
  std::string text;
  for (int i = 0; i < 300; ++i) {
    text += static_cast<char>('a' + i % 26);
  }
  const Bytes pattern = Ascii(text);
  ASSERT_EQ(pattern.size(), static_cast<std::size_t>(kMaxPatternBytes));
  EXPECT_EQ(pattern, Bytes(text.begin(), text.begin() + kMaxPatternBytes));
}

TEST(ParsePatternHex, PairsOfDigits) {
  EXPECT_EQ(Hex("48 65 6c"), (Bytes{0x48, 0x65, 0x6C}));
  EXPECT_EQ(Hex("48656C"), (Bytes{0x48, 0x65, 0x6C}));
  EXPECT_EQ(Hex("00ff7F"), (Bytes{0x00, 0xFF, 0x7F}));
}

TEST(ParsePatternHex, BlanksAreRemovedBeforeThePairsAreCut) {
  EXPECT_EQ(Hex("4 8"), Bytes{0x48});
  EXPECT_EQ(Hex("  4  8  6 5 "), (Bytes{0x48, 0x65}));
  EXPECT_EQ(Hex("     "), Bytes{});
}

TEST(ParsePatternHex, LastUnpairedCharacterIsDropped) {
  EXPECT_EQ(Hex("486"), Bytes{0x48});
  EXPECT_EQ(Hex("F"), Bytes{});
  EXPECT_EQ(Hex(""), Bytes{});
}

TEST(ParsePatternHex, EitherCase) {
  EXPECT_EQ(Hex("ff"), Bytes{0xFF});
  EXPECT_EQ(Hex("FF"), Bytes{0xFF});
  EXPECT_EQ(Hex("fF"), Bytes{0xFF});
}

TEST(ParsePatternHex, APairIsReadAsANumberOnItsOwn) {
  EXPECT_EQ(Hex("4g"), Bytes{0x04});
  EXPECT_EQ(Hex("0g"), Bytes{0x00});
  EXPECT_EQ(Hex("+7"), Bytes{0x07});
  EXPECT_EQ(Hex("-7"), Bytes{0x00}); // negative numbers clamp to 0
  EXPECT_EQ(Hex("-f"), Bytes{0x00});
  EXPECT_EQ(Hex("\t4"), Bytes{0x04}); // one leading white space is skipped
}

TEST(ParsePatternHex, TabIsNotRemoved) {
  // "4\t8": the tab stays, so the pairs are "4\t" and a dropped "8".
  EXPECT_EQ(Hex("4\t8"), Bytes{0x04});
  EXPECT_EQ(Hex("4\t86"), (Bytes{0x04, 0x86}));
}

TEST(ParsePatternHex, PairWithoutANumberRepeatsThePreviousByte) {
  EXPECT_EQ(Hex("zz"), Bytes{0x00}); // nothing before it
  EXPECT_EQ(Hex("41zz"), (Bytes{0x41, 0x41}));
  EXPECT_EQ(Hex("410x"), (Bytes{0x41, 0x41})); // a prefix without a digit is no number
  EXPECT_EQ(Hex("420X"), (Bytes{0x42, 0x42}));
  EXPECT_EQ(Hex("41zz42"), (Bytes{0x41, 0x41, 0x42}));
  EXPECT_EQ(Hex("-7zz"), (Bytes{0x00, 0x00})); // the clamped value is what repeats
  EXPECT_EQ(Hex("41+z\t\t"), (Bytes{0x41, 0x41, 0x41}));
  EXPECT_EQ(Hex("x1"), Bytes{0x00});
}

TEST(ParsePatternHex, MaximumTextGivesMaximumPattern) {
  std::string text;
  for (int i = 0; i < kMaxPatternChars / 2; ++i) {
    static constexpr char kDigits[] = "0123456789abcdef";
    text += kDigits[(i >> 4) & 0xF];
    text += kDigits[i & 0xF];
  }
  const Bytes pattern = Hex(text);
  ASSERT_EQ(pattern.size(), static_cast<std::size_t>(kMaxPatternBytes));
  for (int i = 0; i < kMaxPatternBytes; ++i) {
    EXPECT_EQ(pattern[i], i) << i;
  }
}

TEST(ParsePatternHex, LongerTextIsCutAtTheMaximum) {
  EXPECT_EQ(Hex(std::string(kMaxPatternChars + 10, 'a')).size(), static_cast<std::size_t>(kMaxPatternBytes));
}

TEST(ParsePattern, SaysWhyATextIsNotExactlyThePatternItGives) {
  const struct {
    std::string text;
    PatternMode mode;
    PatternProblem problem;
    std::string pair;
  } cases[] = {
      {"Hello", PatternMode::Ascii, PatternProblem::None, ""},
      {"", PatternMode::Ascii, PatternProblem::Empty, ""},
      {std::string(kMaxPatternBytes + 1, 'a'), PatternMode::Ascii, PatternProblem::TooLong, ""},
      {"4D 5A", PatternMode::Hex, PatternProblem::None, ""},
      {"4D 5A 9", PatternMode::Hex, PatternProblem::UnpairedDigit, ""},
      {"7", PatternMode::Hex, PatternProblem::Empty, ""},
      {"", PatternMode::Hex, PatternProblem::NoHexDigit, ""},
      {"zz", PatternMode::Hex, PatternProblem::NoHexDigit, ""},
      {"41zz42", PatternMode::Hex, PatternProblem::NotAHexPair, "zz"},
      {"4g", PatternMode::Hex, PatternProblem::NotAHexPair, "4g"},
      {"+7", PatternMode::Hex, PatternProblem::NotAHexPair, "+7"},
      {"4\t86", PatternMode::Hex, PatternProblem::NotAHexPair, "4\t"},
      {std::string(2 * kMaxPatternBytes + 2, '6'), PatternMode::Hex, PatternProblem::TooLong, ""},
  };
  for (const auto& c : cases) {
    const ParsedPattern parsed = ParsePattern(c.text, c.mode);
    EXPECT_EQ(parsed.problem, c.problem) << c.text;
    EXPECT_EQ(parsed.pair, c.pair) << c.text;
  }
}

} // namespace
} // namespace vek
