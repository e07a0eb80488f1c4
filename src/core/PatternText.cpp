#include "core/PatternText.h"

#include <algorithm>

#include "core/CopyText.h"

namespace vek {

namespace {
constexpr std::uint8_t kFirstPrintable = 0x20;
constexpr std::uint8_t kLastPrintable = 0x7E;
} // namespace

std::string PatternText(std::span<const std::uint8_t> pattern) {
  const bool printable = std::ranges::all_of(pattern, [](std::uint8_t b) { return b >= kFirstPrintable && b <= kLastPrintable; });
  if (printable && !pattern.empty()) return '"' + std::string(pattern.begin(), pattern.end()) + '"';
  return FormatCopy(pattern, CopyFormat::HexPairs);
}

} // namespace vek
