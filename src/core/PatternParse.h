#pragma once
// The Find dialog's text turned into a byte pattern.

#include <cstdint>
#include <string_view>
#include <vector>

namespace vek {

enum class PatternMode { Ascii, Hex };

// Ascii: each character (one byte of `text`, already in the ANSI set) is one pattern byte, at most
// kMaxPatternBytes. Hex: blanks (code 32) removed, pairs cut from the start (a last odd character
// dropped), each pair read as "%x" and clamped to 0..255; a pair from which no number can be read
// carries the previous pair's value (0 for the first). At most kMaxPatternBytes bytes.
std::vector<std::uint8_t> ParsePattern(std::string_view text, PatternMode mode);

} // namespace vek
