// The data inspector's rows for known byte patterns: each reading of the bytes, its exact text, and
// which readings the end of the file leaves unavailable.
#include "core/ValueTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace vek {
namespace {

using Bytes = std::vector<std::uint8_t>;

struct RowCase {
  Bytes bytes;
  std::string_view row;
  std::string value;
};

std::string Hex(const Bytes& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (const std::uint8_t b : bytes) text += {kDigits[b >> 4], kDigits[b & 0xF], ' '};
  return text;
}

std::string ValueOf(const Bytes& bytes, std::string_view row) {
  const ValueRows rows = ValuesOf(bytes);
  const auto found = std::find_if(rows.begin(), rows.end(), [row](const ValueRow& r) { return r.name == row; });
  if (found == rows.end()) {
    ADD_FAILURE() << "no row " << row;
    return {};
  }
  return found->value;
}

void ExpectRows(const std::vector<RowCase>& cases) {
  for (const RowCase& c : cases) EXPECT_EQ(ValueOf(c.bytes, c.row), c.value) << c.row << " of " << Hex(c.bytes);
}

const Bytes kCounting = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};
const Bytes kFalling = {0xFF, 0xFE, 0xFD, 0xFC, 0xFB, 0xFA, 0xF9, 0xF8};

TEST(ValueTable, TheByteInHexAndBinary) {
  ExpectRows({
      {{0x00}, "Hex", "00"},
      {{0x9D, 0x82}, "Hex", "9D"},
      {{0xFF}, "Hex", "FF"},
      {{0x00}, "Binary", "00000000"},
      {{0x9D, 0x82}, "Binary", "10011101"},
      {{0x01}, "Binary", "00000001"},
      {{0x80}, "Binary", "10000000"},
  });
}

TEST(ValueTable, IntegersSignedAndUnsignedInBothByteOrders) {
  ExpectRows({
      {kCounting, "int8", "1"},
      {kCounting, "uint8", "1"},
      {kCounting, "int16 LE", "513"},
      {kCounting, "int16 BE", "258"},
      {kCounting, "uint16 LE", "513"},
      {kCounting, "uint16 BE", "258"},
      {kCounting, "int32 LE", "67305985"},
      {kCounting, "int32 BE", "16909060"},
      {kCounting, "uint32 LE", "67305985"},
      {kCounting, "uint32 BE", "16909060"},
      {kCounting, "int64 LE", "578437695752307201"},
      {kCounting, "int64 BE", "72623859790382856"},
      {kCounting, "uint64 LE", "578437695752307201"},
      {kCounting, "uint64 BE", "72623859790382856"},
      // The high bit set: the signed readings are negative.
      {kFalling, "int8", "-1"},
      {kFalling, "uint8", "255"},
      {kFalling, "int16 LE", "-257"},
      {kFalling, "int16 BE", "-2"},
      {kFalling, "uint16 LE", "65279"},
      {kFalling, "uint16 BE", "65534"},
      {kFalling, "int32 LE", "-50462977"},
      {kFalling, "int32 BE", "-66052"},
      {kFalling, "uint32 LE", "4244504319"},
      {kFalling, "uint32 BE", "4294901244"},
      {kFalling, "int64 LE", "-506097522914230529"},
      {kFalling, "int64 BE", "-283686952306184"},
      {kFalling, "uint64 LE", "17940646550795321087"},
      {kFalling, "uint64 BE", "18446460386757245432"},
      // The limits.
      {{0x80}, "int8", "-128"},
      {{0x00, 0x80}, "int16 LE", "-32768"},
      {{0x80, 0, 0, 0}, "int32 BE", "-2147483648"},
      {{0x80, 0, 0, 0, 0, 0, 0, 0}, "int64 BE", "-9223372036854775808"},
      {{0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "int64 BE", "9223372036854775807"},
      {Bytes(8, 0xFF), "uint64 LE", "18446744073709551615"},
      {Bytes(8, 0xFF), "int64 LE", "-1"},
  });
}

TEST(ValueTable, FloatsAsTheShortestDecimalThatReadsBack) {
  ExpectRows({
      {{0x00, 0x00, 0x80, 0x3F}, "float32 LE", "1"},
      {{0x3F, 0x80, 0x00, 0x00}, "float32 BE", "1"},
      {{0x3D, 0xCC, 0xCC, 0xCD}, "float32 BE", "0.1"},
      {{0xC0, 0x49, 0x0F, 0xDB}, "float32 BE", "-3.1415927"},
      {{0x00, 0x00, 0x00, 0x00}, "float32 LE", "0"},
      {{0x80, 0x00, 0x00, 0x00}, "float32 BE", "-0"},
      {{0x7F, 0x80, 0x00, 0x00}, "float32 BE", "Infinity"},
      {{0xFF, 0x80, 0x00, 0x00}, "float32 BE", "-Infinity"},
      {{0x7F, 0xC0, 0x00, 0x00}, "float32 BE", "NaN"},
      {{0xFF, 0xC0, 0x00, 0x01}, "float32 BE", "NaN"}, // sign and payload are not shown
      {{0x7F, 0x7F, 0xFF, 0xFF}, "float32 BE", "3.4028235e+38"},
      {{0x3F, 0xF8, 0, 0, 0, 0, 0, 0}, "float64 BE", "1.5"},
      {{0, 0, 0, 0, 0, 0, 0xF8, 0x3F}, "float64 LE", "1.5"},
      {{0x3F, 0xB9, 0x99, 0x99, 0x99, 0x99, 0x99, 0x9A}, "float64 BE", "0.1"},
      {{0x40, 0x8C, 0xB5, 0x78, 0x1D, 0xAF, 0x15, 0x44}, "float64 LE", "1e+20"},
      {{0, 0, 0, 0, 0, 0, 0, 0x01}, "float64 BE", "5e-324"},
      {{0x7F, 0xF0, 0, 0, 0, 0, 0, 0}, "float64 BE", "Infinity"},
      {{0xFF, 0xF8, 0, 0, 0, 0, 0, 0}, "float64 BE", "NaN"},
      {{0x80, 0, 0, 0, 0, 0, 0, 0}, "float64 BE", "-0"},
  });
}

TEST(ValueTable, TheUtf8CharacterTheBytesStartWith) {
  ExpectRows({
      {{0x41, 0x42}, "UTF-8", "\"A\" U+0041"},
      {{0x20}, "UTF-8", "\" \" U+0020"},
      {{0xC3, 0xA9, 0x41}, "UTF-8", "\"\xC3\xA9\" U+00E9"},
      {{0xE2, 0x82, 0xAC}, "UTF-8", "\"\xE2\x82\xAC\" U+20AC"},
      {{0xF0, 0x9F, 0x98, 0x80, 0x41}, "UTF-8", "\"\xF0\x9F\x98\x80\" U+1F600"},
      {{0xF4, 0x8F, 0xBF, 0xBF}, "UTF-8", "\"\xF4\x8F\xBF\xBF\" U+10FFFF"},
      // Characters that show nothing are named by their code point alone.
      {{0x00}, "UTF-8", "U+0000 (control)"},
      {{0x0A}, "UTF-8", "U+000A (control)"},
      {{0x7F}, "UTF-8", "U+007F (control)"},
      {{0xC2, 0x85}, "UTF-8", "U+0085 (control)"},
      {{0xC2, 0xA0}, "UTF-8", "\"\xC2\xA0\" U+00A0"},
      {{0xEF, 0xBB, 0xBF}, "UTF-8", "U+FEFF (byte order mark)"},
      // No well-formed sequence starts here.
      {{0x80, 0x41}, "UTF-8", "invalid"},     // a continuation byte
      {{0xC0, 0x80}, "UTF-8", "invalid"},     // an overlong form
      {{0xE0, 0x80, 0x80}, "UTF-8", "invalid"},
      {{0xED, 0xA0, 0x80}, "UTF-8", "invalid"}, // a surrogate
      {{0xF4, 0x90, 0x80, 0x80}, "UTF-8", "invalid"}, // past U+10FFFF
      {{0xF5, 0x80, 0x80, 0x80}, "UTF-8", "invalid"},
      {{0xFF}, "UTF-8", "invalid"},
      {{0xE2, 0x28, 0xA1}, "UTF-8", "invalid"},
      {{0xE0, 0x80}, "UTF-8", "invalid"}, // cut short, but wrong already
      // The end of the file cuts a sequence short that could have been one.
      {{0xC3}, "UTF-8", "unavailable"},
      {{0xE2, 0x82}, "UTF-8", "unavailable"},
      {{0xE0}, "UTF-8", "unavailable"},
      {{0xED}, "UTF-8", "unavailable"},
      {{0xF0, 0x9F, 0x98}, "UTF-8", "unavailable"},
      {{0xF4, 0x8F}, "UTF-8", "unavailable"},
  });
}

TEST(ValueTable, UnixTimesInUtc) {
  ExpectRows({
      {{0, 0, 0, 0}, "Unix time 32 LE", "1970-01-01 00:00:00 UTC"},
      {{0xFF, 0xFF, 0xFF, 0xFF}, "Unix time 32 LE", "1969-12-31 23:59:59 UTC"}, // signed
      {{0x7F, 0xFF, 0xFF, 0xFF}, "Unix time 32 BE", "2038-01-19 03:14:07 UTC"},
      {{0x80, 0x00, 0x00, 0x00}, "Unix time 32 BE", "1901-12-13 20:45:52 UTC"},
      {{0x01, 0x02, 0x03, 0x04}, "Unix time 32 LE", "1972-02-19 00:06:25 UTC"},
      {{0x01, 0x02, 0x03, 0x04}, "Unix time 32 BE", "1970-07-15 16:57:40 UTC"},
      {{0x05, 0x81, 0xE0, 0x65, 0, 0, 0, 0}, "Unix time 64 LE", "2024-02-29 13:05:09 UTC"},
      {{0, 0, 0, 0, 0x65, 0xE0, 0x81, 0x05}, "Unix time 64 BE", "2024-02-29 13:05:09 UTC"},
      {kCounting, "Unix time 64 LE", "after year 9999"},
      {kFalling, "Unix time 64 LE", "before year 1"},
  });
}

TEST(ValueTable, ValuesLongerThanTheFileLeftAreUnavailable) {
  const std::set<std::string_view> oneByte = {"Hex", "Binary", "int8", "uint8", "UTF-8"};
  std::set<std::string_view> twoBytes = oneByte;
  twoBytes.insert({"int16 LE", "int16 BE", "uint16 LE", "uint16 BE"});
  std::set<std::string_view> fourBytes = twoBytes;
  fourBytes.insert({"int32 LE", "int32 BE", "uint32 LE", "uint32 BE", "float32 LE", "float32 BE",
                    "Unix time 32 LE", "Unix time 32 BE"});
  const std::set<std::string_view> all(ValueRowNames().begin(), ValueRowNames().end());
  const struct {
    std::size_t left; // bytes the file has from the offset on
    const std::set<std::string_view>& available;
  } cases[] = {{0, {}}, {1, oneByte}, {2, twoBytes}, {3, twoBytes}, {4, fourBytes}, {7, fourBytes}, {8, all}, {12, all}};
  const Bytes letters(12, 'a'); // a character of one byte, so UTF-8 too needs only one
  for (const auto& c : cases) {
    const Bytes bytes(letters.begin(), letters.begin() + static_cast<std::ptrdiff_t>(c.left));
    for (const ValueRow& row : ValuesOf(bytes)) {
      EXPECT_EQ(row.value == "unavailable", c.available.count(row.name) == 0)
          << row.name << " with " << c.left << " bytes left: " << row.value;
    }
  }
  EXPECT_EQ(all.size(), kValueRowCount) << "row names repeat";
}

} // namespace
} // namespace vek
