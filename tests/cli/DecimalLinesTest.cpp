#include "cli/DecimalLines.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

namespace vek::cli::test {
namespace {

std::string Written(const std::vector<Offset>& offsets) {
  DecimalLines lines;
  std::string text;
  for (const Offset at : offsets) {
    char line[DecimalLines::kMaxLineChars];
    text.append(line, lines.Write(at, line));
  }
  return text;
}

std::string Expected(const std::vector<Offset>& offsets) {
  std::string text;
  for (const Offset at : offsets) text += std::to_string(at) + '\n';
  return text;
}

TEST(DecimalLines, WritesEachOffsetAsToStringDoesWhateverTheStepBetweenThem) {
  const Offset largest = std::numeric_limits<Offset>::max();
  std::vector<std::vector<Offset>> cases = {
      {0, 1, 2, 9, 10, 11, 99, 100, 999, 1000, 1998, 1999, 2000},  // carries into a new digit
      {5, 5, 5},                                                   // overlapping matches repeat nothing
      {9999999, 10000000, 10000999, 10001998},                     // the largest nearby step
      {0, 1000, 2000, 123456789, 123456790, largest - 1, largest}, // far steps formatted anew
      {7},
  };
  std::mt19937_64 rng(11);
  std::vector<Offset> walk;
  for (Offset at = 0; walk.size() < 20000;) walk.push_back(at += static_cast<Offset>(rng() % 1500));
  cases.push_back(walk);
  for (const auto& offsets : cases) EXPECT_EQ(Written(offsets), Expected(offsets)) << offsets.size() << " offsets";
}

} // namespace
} // namespace vek::cli::test
