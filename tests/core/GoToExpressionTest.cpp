// Go to's expressions against a file and a selected byte: every form, the blanks and letter cases
// it tolerates, and each reason a text names no byte of the file.
#include "core/GoToExpression.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vek {

void PrintTo(const GoToResult& r, std::ostream* os) {
  *os << "{error " << static_cast<int>(r.error) << ", offset " << r.offset << "}";
}

namespace {

constexpr Offset kSize = 1050;
constexpr Offset kSelected = 413;
constexpr Offset kMax = 9223372036854775807;
constexpr Offset kEightGiB = Offset{8} << 30;

GoToResult At(Offset offset) { return {GoToError::None, offset}; }
GoToResult Error(GoToError error, Offset offset = 0) { return {error, offset}; }

struct GoToCase {
  const char* text;
  GoToResult result;
  Offset size = kSize;
  std::optional<Offset> selected = kSelected;
};

void ExpectAll(const std::vector<GoToCase>& cases) {
  for (const GoToCase& c : cases) {
    EXPECT_EQ(EvaluateGoTo(c.text, c.selected, c.size), c.result)
        << "'" << c.text << "' in " << c.size << " bytes, selected " << c.selected.value_or(-1);
  }
}

TEST(GoToExpression, NumbersInDecimalAndHex) {
  ExpectAll({
      {"0", At(0)},
      {"1049", At(1049)},
      {"007", At(7)}, // not octal
      {"0x419", At(1049)},
      {"0X1f", At(31)},
      {"0x1B", At(27)}, // B is a hex digit, not a suffix
      {"  42  ", At(42)},
      {"\t42", At(42)},
      {"1050", Error(GoToError::PastEnd, 1050)},
      {"0x41A", Error(GoToError::PastEnd, 1050)},
      {"5", At(5), kSize, std::nullopt}, // no selected byte needed
  });
}

TEST(GoToExpression, SuffixesCountIn1024s) {
  ExpectAll({
      {"1K", At(1024)},
      {"1k", At(1024)},
      {"1 K", At(1024)},
      {"1KB", At(1024)},
      {"1kib", At(1024)},
      {"0x1K", At(1024)},
      {"1M", At(1048576), kEightGiB},
      {"3g", At(3221225472), kEightGiB},
      {"7G", At(7516192768), kEightGiB},
      {"8G", Error(GoToError::PastEnd, kEightGiB), kEightGiB},
      {"2K", Error(GoToError::PastEnd, 2048)},
  });
}

TEST(GoToExpression, PlusAndMinusCountFromTheSelectedByte) {
  ExpectAll({
      {"+16", At(429)},
      {"+ 16", At(429)},
      {"+0", At(413)},
      {"-0", At(413)},
      {"-13", At(400)},
      {"-413", At(0)},
      {"+636", At(1049)},
      {"+0x10", At(429)},
      {"-414", Error(GoToError::BeforeStart, -1)},
      {"+637", Error(GoToError::PastEnd, 1050)},
      {"+1K", Error(GoToError::PastEnd, 1437)},
      {"+1", Error(GoToError::NoSelection), kSize, std::nullopt},
      {"-1", Error(GoToError::NoSelection), kSize, std::nullopt},
  });
}

TEST(GoToExpression, EndCountsBackFromTheSize) {
  ExpectAll({
      {"end-1", At(1049)},
      {"END-1", At(1049)},
      {"  End - 1 ", At(1049)},
      {"end-0x1A", At(1024)},
      {"end-1K", At(26)},
      {"end-1050", At(0)},
      {"end", At(1049)}, // the end of the file: its last byte
      {" END ", At(1049)},
      {"end-1", At(1049), kSize, std::nullopt},
      {"end", At(0), 1},
      {"end-1", At(0), 1},
      {"end-1051", Error(GoToError::BeforeStart, -1)},
      {"end-0", Error(GoToError::PastEnd, 1050)},
      {"end+1", Error(GoToError::PastEnd, 1051)},
  });
}

TEST(GoToExpression, TextsThatAreNoOffset) {
  ExpectAll({
      {"", Error(GoToError::Empty)},
      {"   ", Error(GoToError::Empty)},
      {"\t", Error(GoToError::Empty)},
      {"abc", Error(GoToError::NotANumber)},
      {"0x", Error(GoToError::NotANumber)},
      {"0xg", Error(GoToError::NotANumber)},
      {"12ab", Error(GoToError::NotANumber)},
      {"1 2", Error(GoToError::NotANumber)},
      {"1e3", Error(GoToError::NotANumber)},
      {"1.5", Error(GoToError::NotANumber)},
      {"1KK", Error(GoToError::NotANumber)},
      {"1T", Error(GoToError::NotANumber)},
      {"K", Error(GoToError::NotANumber)},
      {"+", Error(GoToError::NotANumber)},
      {"--5", Error(GoToError::NotANumber)},
      {"+-5", Error(GoToError::NotANumber)},
      {"end1", Error(GoToError::NotANumber)},
      {"endx", Error(GoToError::NotANumber)},
      {"end-", Error(GoToError::NotANumber)},
      {"end-end", Error(GoToError::NotANumber)},
      {"e", Error(GoToError::NotANumber)},
      {"5-1", Error(GoToError::NotANumber)},
      // What is no offset is said before what a file without bytes would say.
      {"abc", Error(GoToError::NotANumber), 0},
      {"", Error(GoToError::Empty), 0},
  });
}

TEST(GoToExpression, NumbersBeyondEveryOffset) {
  ExpectAll({
      {"9223372036854775807", Error(GoToError::PastEnd, kMax)},
      {"0x7FFFFFFFFFFFFFFF", Error(GoToError::PastEnd, kMax)},
      {"8589934591G", Error(GoToError::PastEnd, kMax - (Offset{1} << 30) + 1)},
      {"9223372036854775808", Error(GoToError::Overflow)},
      {"99999999999999999999999", Error(GoToError::Overflow)},
      {"0x8000000000000000", Error(GoToError::Overflow)},
      {"8589934592G", Error(GoToError::Overflow)},
      {"+9223372036854775807", Error(GoToError::Overflow)},
      {"end+9223372036854775807", Error(GoToError::Overflow)},
      {"-9223372036854775807", Error(GoToError::BeforeStart, kSelected - kMax)},
      {"end-9223372036854775807", Error(GoToError::BeforeStart, kSize - kMax)},
  });
}

TEST(GoToExpression, AnEmptyFileHasNoByteToGoTo) {
  ExpectAll({
      {"0", Error(GoToError::EmptyFile), 0, std::nullopt},
      {"end", Error(GoToError::EmptyFile), 0, std::nullopt},
      {"end-1", Error(GoToError::EmptyFile), 0, std::nullopt},
      {"+1", Error(GoToError::EmptyFile), 0, std::nullopt},
  });
}

} // namespace
} // namespace vek
