#pragma once
// The Find dialog's text turned into a byte pattern, and why a text is not exactly the pattern it
// seems to be. The dialog takes every text (the system refuses none); the terminal refuses a text
// whose pattern would differ from what was typed, since it would print the offsets of another one.

#include <string>
#include <string_view>

#include "core/Pattern.h"

namespace vek {

enum class PatternMode { Ascii, Hex };

enum class PatternProblem {
  None,
  Empty,         // no byte: an empty text, or (hex) a single digit
  TooLong,       // more than kMaxPatternBytes bytes; the pattern holds the first ones
  NoHexDigit,    // hex: not one hex digit in the text
  NotAHexPair,   // hex: a pair that is not two hex digits ("4g", "zz", "+7"), read as the dialog reads it
  UnpairedDigit, // hex: a last character without a partner, dropped
};

struct ParsedPattern {
  Pattern pattern;
  PatternProblem problem = PatternProblem::None; // the first one met
  std::string pair;                              // with NotAHexPair: the pair
};

// Ascii: each character (one byte of `text`, already in the ANSI set) is one pattern byte. Hex:
// blanks (code 32) removed, pairs cut from the start (a last odd character dropped), each pair read
// as "%x" and clamped to 0..255; a pair from which no number can be read carries the previous
// pair's value (0 for the first). Either way at most kMaxPatternBytes bytes.
ParsedPattern ParsePattern(std::string_view text, PatternMode mode);

} // namespace vek
