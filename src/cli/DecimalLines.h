#pragma once
// Offsets as lines of decimal digits, fast for increasing offsets close to each other: a file with
// a match at every byte prints a line for every byte, and formatting each one anew would take as
// long as the search. The digits of the line before are kept and the difference added to them.

#include <array>
#include <cstddef>

#include "core/PageGeometry.h"

namespace vek::cli {

class DecimalLines {
 public:
  static constexpr std::size_t kMaxLineChars = 21; // a non-negative Offset's digits and the line feed

  // Writes `offset` and a line feed at `out`, which has room for kMaxLineChars; returns the end.
  char* Write(Offset offset, char* out);

 private:
  static constexpr std::size_t kDigits = kMaxLineChars - 1;
  // The last offset written, its digits ending at kDigits; room after them, so that a line is
  // copied out as kDigits bytes at once whatever its length.
  std::array<char, 2 * kDigits> m_digits{};
  std::size_t m_first = kDigits; // where its digits begin; kDigits before the first line
  Offset m_last = 0;
};

} // namespace vek::cli
