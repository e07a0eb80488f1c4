// The Find dialog's text as a pattern, in both modes: never longer than a pattern may be, every
// byte where the text puts it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/PatternParse.h"
#include "core/SearchLimits.h"

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void CheckAscii(std::string_view text) {
  const vek::ParsedPattern parsed = vek::ParsePattern(text, vek::PatternMode::Ascii);
  const std::span<const std::uint8_t> pattern = parsed.pattern.Bytes();
  const std::size_t expected = std::min<std::size_t>(text.size(), vek::kMaxPatternBytes);
  FUZZ_CHECK(pattern.size() == expected);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    FUZZ_CHECK(pattern[i] == static_cast<std::uint8_t>(text[i]));
  }
}

void CheckHex(std::string_view text) {
  const vek::ParsedPattern parsed = vek::ParsePattern(text, vek::PatternMode::Hex);
  const std::span<const std::uint8_t> pattern = parsed.pattern.Bytes();
  std::string digits;
  for (const char c : text) {
    if (c != ' ') digits += c;
  }
  const std::size_t expected = std::min<std::size_t>(digits.size() / 2, vek::kMaxPatternBytes);
  FUZZ_CHECK(pattern.size() == expected);
  // Pairs of two hex digits, and a hex digit followed by something that ends the number, read the
  // same whatever comes before; other pairs depend on their neighbours and are left to the unit tests.
  for (std::size_t k = 0; k < pattern.size(); ++k) {
    const char hi = digits[2 * k];
    const char lo = digits[2 * k + 1];
    if (HexValue(hi) >= 0 && HexValue(lo) >= 0) {
      FUZZ_CHECK(pattern[k] == HexValue(hi) * 16 + HexValue(lo));
    } else if (HexValue(hi) >= 0 && !(hi == '0' && (lo == 'x' || lo == 'X'))) {
      FUZZ_CHECK(pattern[k] == HexValue(hi));
    }
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckAscii(text);
  CheckHex(text);
  return 0;
}
