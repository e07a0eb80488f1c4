#include "core/MatchContext.h"

#include <algorithm>

#include "core/CopyText.h"

namespace vek {

namespace {
constexpr int kHexCharsPerByte = 3; // two digits and the blank before the next pair
}

MatchContext DescribeMatch(std::span<const std::uint8_t> bytes, Offset start, Offset match, int length) {
  MatchContext context{FormatCopy(bytes, CopyFormat::HexPairs), FormatCopy(bytes, CopyFormat::Text)};
  const auto shown = static_cast<Offset>(bytes.size());
  const Offset first = std::clamp<Offset>(match - start, 0, shown);
  context.matchFirst = static_cast<int>(first);
  context.matchBytes = static_cast<int>(std::clamp<Offset>(match + length - start, first, shown) - first);
  return context;
}

TextSpan HexSpanOf(const MatchContext& context) {
  if (context.matchBytes == 0) return {kHexCharsPerByte * context.matchFirst, 0};
  return {kHexCharsPerByte * context.matchFirst, kHexCharsPerByte * context.matchBytes - 1};
}

TextSpan TextSpanOf(const MatchContext& context) { return {context.matchFirst, context.matchBytes}; }

} // namespace vek
