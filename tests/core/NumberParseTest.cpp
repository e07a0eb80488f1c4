#include "core/NumberParse.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

namespace vek {
namespace {

constexpr std::int64_t kI64Max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kI64Min = std::numeric_limits<std::int64_t>::min();
constexpr std::int32_t kI32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kI32Min = std::numeric_limits<std::int32_t>::min();

// Test names carry the text, so control and high bytes are shown as escapes.
std::string Printable(const char* text) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (const char* p = text; *p != '\0'; ++p) {
    const auto c = static_cast<unsigned char>(*p);
    if (c < 0x20 || c >= 0x7F) {
      out += "\\x";
      out += kDigits[c >> 4];
      out += kDigits[c & 0xF];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

// The Edit Byte dialog: a typed value read in the dialog's radix, then its low byte written.
struct EditValueCase {
  int base;
  const char* text;
  std::int32_t value;
  std::uint8_t lowByte;
};

void PrintTo(const EditValueCase& c, std::ostream* os) {
  *os << "base " << c.base << " '" << Printable(c.text) << "'";
}

class EditByteValue : public ::testing::TestWithParam<EditValueCase> {};

TEST_P(EditByteValue, ReadsTheValueAndItsLowByte) {
  const EditValueCase& c = GetParam();
  const std::int32_t value = StrToLong32(c.text, c.base);
  EXPECT_EQ(value, c.value) << "base " << c.base << " text '" << c.text << "'";
  EXPECT_EQ(static_cast<std::uint8_t>(value & 0xFF), c.lowByte);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EditByteValue,
    ::testing::Values(EditValueCase{16, "41", 65, 0x41}, EditValueCase{16, "0x41", 65, 0x41},
                      EditValueCase{16, "0X41", 65, 0x41}, EditValueCase{16, "1FF", 511, 0xFF},
                      EditValueCase{16, "300", 768, 0x00}, EditValueCase{10, "300", 300, 0x2C},
                      EditValueCase{10, "-1", -1, 0xFF}, EditValueCase{10, "12ab", 12, 0x0C},
                      EditValueCase{10, "abc", 0, 0x00}, EditValueCase{10, "", 0, 0x00},
                      EditValueCase{16, "", 0, 0x00},
                      EditValueCase{10, "99999999999999999999", kI32Max, 0xFF},
                      EditValueCase{10, "2147483648", kI32Max, 0xFF},
                      EditValueCase{10, "2147483647", kI32Max, 0xFF},
                      EditValueCase{10, "-2147483648", kI32Min, 0x00},
                      EditValueCase{10, "-2147483649", kI32Min, 0x00},
                      EditValueCase{10, "-99999999999999999999", kI32Min, 0x00},
                      EditValueCase{16, "ffffffffff", kI32Max, 0xFF},
                      EditValueCase{16, "-0x80000001", kI32Min, 0x00}));

struct StrToOffsetCase {
  const char* text;
  int base;
  std::int64_t value;
};

void PrintTo(const StrToOffsetCase& c, std::ostream* os) {
  *os << "base " << c.base << " '" << Printable(c.text) << "'";
}

class StrToOffsetRules : public ::testing::TestWithParam<StrToOffsetCase> {};

TEST_P(StrToOffsetRules, FollowsTheCLibraryRule) {
  const StrToOffsetCase& c = GetParam();
  EXPECT_EQ(StrToOffset(c.text, c.base), c.value) << "base " << c.base << " text '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Table, StrToOffsetRules,
    ::testing::Values(
        StrToOffsetCase{"300", 10, 300}, StrToOffsetCase{"300", 16, 0x300},
        StrToOffsetCase{"  \t\n\v\f\r42", 10, 42}, StrToOffsetCase{"+42", 10, 42},
        StrToOffsetCase{"-42", 10, -42}, StrToOffsetCase{"- 42", 10, 0}, StrToOffsetCase{"+-1", 10, 0},
        StrToOffsetCase{"4 2", 10, 4}, StrToOffsetCase{"", 10, 0}, StrToOffsetCase{"   ", 16, 0},
        StrToOffsetCase{"0x", 16, 0}, StrToOffsetCase{"0xg", 16, 0}, StrToOffsetCase{"0x1f", 16, 31},
        StrToOffsetCase{"-0x10", 16, -16}, StrToOffsetCase{"0x10", 10, 0}, StrToOffsetCase{"aBcD", 16, 0xABCD},
        StrToOffsetCase{"12ab", 10, 12}, StrToOffsetCase{"4294967296", 10, std::int64_t{1} << 32},
        StrToOffsetCase{"9223372036854775807", 10, kI64Max},
        StrToOffsetCase{"9223372036854775808", 10, kI64Max},
        StrToOffsetCase{"-9223372036854775808", 10, kI64Min},
        StrToOffsetCase{"-9223372036854775809", 10, kI64Min},
        StrToOffsetCase{"7FFFFFFFFFFFFFFF", 16, kI64Max}, StrToOffsetCase{"8000000000000000", 16, kI64Max},
        StrToOffsetCase{"-8000000000000000", 16, kI64Min},
        StrToOffsetCase{"123456789012345678901234567890", 10, kI64Max},
        StrToOffsetCase{"\xB9" "1", 10, 0}));  // a high byte is no white space or digit

TEST(AtoI32, ReadsDecimalWithWrapAround) {
  EXPECT_EQ(AtoI32("255"), 255);
  EXPECT_EQ(AtoI32("  -12x"), -12);
  EXPECT_EQ(AtoI32("+7"), 7);
  EXPECT_EQ(AtoI32(""), 0);
  EXPECT_EQ(AtoI32("ff"), 0);
  EXPECT_EQ(AtoI32("2147483647"), kI32Max);
  EXPECT_EQ(AtoI32("2147483648"), kI32Min);
  EXPECT_EQ(AtoI32("4294967295"), -1);
  EXPECT_EQ(AtoI32("4294967296"), 0);
  EXPECT_EQ(AtoI32("4294967297"), 1);
  EXPECT_EQ(AtoI32("-4294967297"), -1);
}

TEST(ScanHex32, ReadsHexDigits) {
  EXPECT_EQ(ScanHex32("ff"), 255);
  EXPECT_EQ(ScanHex32("FF"), 255);
  EXPECT_EQ(ScanHex32("0"), 0);
  EXPECT_EQ(ScanHex32("0x1F"), 31);
  EXPECT_EQ(ScanHex32("0X1f"), 31);
  EXPECT_EQ(ScanHex32("  \t1g"), 1);
  EXPECT_EQ(ScanHex32("0g"), 0);
  EXPECT_EQ(ScanHex32("+7"), 7);
  EXPECT_EQ(ScanHex32("-7"), -7);
  EXPECT_EQ(ScanHex32("-0x10"), -16);
  EXPECT_EQ(ScanHex32("7fffffff"), kI32Max);
  EXPECT_EQ(ScanHex32("80000000"), kI32Min);
  EXPECT_EQ(ScanHex32("ffffffff"), -1);
}

TEST(ScanHex32, OnlyTheLastEightDigitsCount) {
  EXPECT_EQ(ScanHex32("1ffffffff"), -1);
  EXPECT_EQ(ScanHex32("123456789"), 0x23456789);
  EXPECT_EQ(ScanHex32("abcdef0123456789"), 0x23456789);
}

TEST(ScanHex32, GivesNothingWhenNoDigitCanBeTaken) {
  for (const char* text : {"", "   ", "z", "g1", "+", "-", "+z", "0x", "0X", "0xg", "-0x", " - 1", "x1"}) {
    EXPECT_EQ(ScanHex32(text), std::nullopt) << "'" << text << "'";
  }
}

TEST(Format32, HexIsLowerCaseTwosComplement) {
  EXPECT_EQ(FormatHex32(0), "0");
  EXPECT_EQ(FormatHex32(255), "ff");
  EXPECT_EQ(FormatHex32(16), "10");
  EXPECT_EQ(FormatHex32(-1), "ffffffff");
  EXPECT_EQ(FormatHex32(kI32Min), "80000000");
  EXPECT_EQ(FormatHex32(0x0ABCDEF0), "abcdef0");
}

TEST(Format32, DecimalIsSigned) {
  EXPECT_EQ(FormatDecimal32(0), "0");
  EXPECT_EQ(FormatDecimal32(255), "255");
  EXPECT_EQ(FormatDecimal32(-1), "-1");
  EXPECT_EQ(FormatDecimal32(kI32Min), "-2147483648");
  EXPECT_EQ(FormatDecimal32(kI32Max), "2147483647");
}

// The converter: decimal text to hex text and back, as typed into either edit.
struct ConvertCase {
  const char* decimal;
  const char* hex;
};

void PrintTo(const ConvertCase& c, std::ostream* os) {
  *os << c.decimal << " / " << c.hex;
}

class ConverterDecimalToHex : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(ConverterDecimalToHex, ShowsTheHexText) {
  EXPECT_EQ(FormatHex32(AtoI32(GetParam().decimal)), GetParam().hex) << GetParam().decimal;
}

INSTANTIATE_TEST_SUITE_P(Table, ConverterDecimalToHex,
                         ::testing::Values(ConvertCase{"255", "ff"}, ConvertCase{"0", "0"},
                                           ConvertCase{"16", "10"}, ConvertCase{"", "0"},
                                           ConvertCase{"4294967295", "ffffffff"},
                                           ConvertCase{"4294967296", "0"},
                                           ConvertCase{"2147483648", "80000000"},
                                           ConvertCase{"-1", "ffffffff"}));

class ConverterHexToDecimal : public ::testing::TestWithParam<ConvertCase> {};

TEST_P(ConverterHexToDecimal, ShowsTheDecimalText) {
  const auto value = ScanHex32(GetParam().hex);
  ASSERT_TRUE(value.has_value()) << GetParam().hex;
  EXPECT_EQ(FormatDecimal32(*value), GetParam().decimal) << GetParam().hex;
}

INSTANTIATE_TEST_SUITE_P(Table, ConverterHexToDecimal,
                         ::testing::Values(ConvertCase{"255", "ff"}, ConvertCase{"255", "FF"},
                                           ConvertCase{"2147483647", "7fffffff"},
                                           ConvertCase{"-1", "ffffffff"},
                                           ConvertCase{"-2147483648", "80000000"},
                                           ConvertCase{"-1", "1ffffffff"}, ConvertCase{"31", "0x1F"},
                                           ConvertCase{"1", "1g"}, ConvertCase{"15", "f"}));

TEST(ConverterHexToDecimal, TextWithoutANumberKeepsThePreviousValue) {
  // Typing ff then deleting both characters: 255, then 15, then still 15.
  std::int32_t value = 0;
  for (const auto& [text, expected] : {std::pair{"ff", 255}, std::pair{"f", 15}, std::pair{"", 15},
                                       std::pair{"z", 15}, std::pair{"10", 16}}) {
    value = ScanHex32(text).value_or(value);
    EXPECT_EQ(value, expected) << "'" << text << "'";
  }
}

// The Edit Byte dialog's radio buttons convert the edit's text between the radixes.
TEST(EditByteRadix, SwitchingConvertsTheText) {
  EXPECT_EQ(FormatHex32(AtoI32("255")), "ff");                 // decimal 255, click on Hex
  EXPECT_EQ(FormatDecimal32(ScanHex32("ff").value_or(0)), "255"); // hex ff, click on Decimal
  EXPECT_EQ(FormatHex32(AtoI32("12")), "c");                   // Hex clicked again on 12
  EXPECT_EQ(FormatDecimal32(ScanHex32("12").value_or(0)), "18"); // Decimal clicked again on 12
  EXPECT_EQ(FormatDecimal32(ScanHex32("zz").value_or(0)), "0");  // no hex digit: stays 0
}

} // namespace
} // namespace vek
