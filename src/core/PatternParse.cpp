#include "core/PatternParse.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "core/NumberParse.h"
#include "core/SearchLimits.h"

namespace vek {

namespace {

constexpr char kBlank = ' ';
constexpr int kByteMax = 255;

std::vector<std::uint8_t> ParseAscii(std::string_view text) {
  const std::size_t count = std::min<std::size_t>(text.size(), kMaxPatternBytes);
  std::vector<std::uint8_t> pattern;
  pattern.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    pattern.push_back(static_cast<std::uint8_t>(text[i]));
  }
  return pattern;
}

std::vector<std::uint8_t> ParseHex(std::string_view text) {
  // Only the blank is dropped: the help text promises that, and other white space stays in a pair.
  std::string digits;
  digits.reserve(text.size());
  std::copy_if(text.begin(), text.end(), std::back_inserter(digits), [](char c) { return c != kBlank; });

  const std::size_t pairs = std::min<std::size_t>(digits.size() / 2, kMaxPatternBytes);
  std::vector<std::uint8_t> pattern;
  pattern.reserve(pairs);
  // A pair with no number in it repeats the pair before, as a failed scan would leave it; the first
  // such pair has nothing to repeat and gives 0.
  int value = 0;
  for (std::size_t k = 0; k < pairs; ++k) {
    if (const auto scanned = ScanHex32(std::string_view(digits).substr(2 * k, 2))) {
      value = std::clamp(*scanned, 0, kByteMax);
    }
    pattern.push_back(static_cast<std::uint8_t>(value));
  }
  return pattern;
}

} // namespace

std::vector<std::uint8_t> ParsePattern(std::string_view text, PatternMode mode) {
  return mode == PatternMode::Hex ? ParseHex(text) : ParseAscii(text);
}

} // namespace vek
