#include "core/PatternParse.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <vector>

#include "core/NumberParse.h"

namespace vek {

namespace {

constexpr char kBlank = ' ';
constexpr int kByteMax = 255;

bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

ParsedPattern ParseAscii(std::string_view text) {
  ParsedPattern parsed;
  parsed.pattern = Pattern(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  if (text.empty()) parsed.problem = PatternProblem::Empty;
  if (text.size() > static_cast<std::size_t>(kMaxPatternBytes)) parsed.problem = PatternProblem::TooLong;
  return parsed;
}

ParsedPattern ParseHex(std::string_view text) {
  // Only the blank is dropped: the help text promises that, and other white space stays in a pair.
  std::string digits;
  digits.reserve(text.size());
  std::copy_if(text.begin(), text.end(), std::back_inserter(digits), [](char c) { return c != kBlank; });

  const std::size_t pairs = std::min<std::size_t>(digits.size() / 2, kMaxPatternBytes);
  std::vector<std::uint8_t> bytes;
  bytes.reserve(pairs);
  ParsedPattern parsed;
  // A pair with no number in it repeats the pair before, as a failed scan would leave it; the first
  // such pair has nothing to repeat and gives 0.
  int value = 0;
  for (std::size_t k = 0; k < pairs; ++k) {
    const std::string_view pair = std::string_view(digits).substr(2 * k, 2);
    if (const auto scanned = ScanHex32(pair)) value = std::clamp(*scanned, 0, kByteMax);
    bytes.push_back(static_cast<std::uint8_t>(value));
    if (parsed.pair.empty() && !(IsHexDigit(pair[0]) && IsHexDigit(pair[1]))) parsed.pair = pair;
  }
  parsed.pattern = Pattern(bytes);

  if (std::none_of(digits.begin(), digits.end(), IsHexDigit)) {
    parsed.problem = PatternProblem::NoHexDigit;
  } else if (digits.size() / 2 > static_cast<std::size_t>(kMaxPatternBytes)) {
    parsed.problem = PatternProblem::TooLong;
  } else if (pairs == 0) {
    parsed.problem = PatternProblem::Empty;
  } else if (!parsed.pair.empty()) {
    parsed.problem = PatternProblem::NotAHexPair;
  } else if (digits.size() % 2 != 0) {
    parsed.problem = PatternProblem::UnpairedDigit;
  }
  if (parsed.problem != PatternProblem::NotAHexPair) parsed.pair.clear();
  return parsed;
}

} // namespace

ParsedPattern ParsePattern(std::string_view text, PatternMode mode) {
  return mode == PatternMode::Hex ? ParseHex(text) : ParseAscii(text);
}

} // namespace vek
