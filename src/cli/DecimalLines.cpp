#include "cli/DecimalLines.h"

#include <charconv>
#include <cstring>

namespace vek::cli {

namespace {
constexpr Offset kNearby = 1000; // differences added digit by digit; farther ones are formatted anew
} // namespace

char* DecimalLines::Write(Offset offset, char* out) {
  const Offset delta = offset - m_last;
  if (m_first < kDigits && delta >= 0 && delta < kNearby) {
    // Add the difference to the digits from the right, carrying as written by hand.
    Offset carry = delta;
    std::size_t at = kDigits;
    while (carry != 0) {
      if (at == m_first) m_digits[--m_first] = '0';
      const Offset sum = (m_digits[--at] - '0') + carry;
      m_digits[at] = static_cast<char>('0' + sum % 10);
      carry = sum / 10;
    }
  } else {
    std::array<char, kDigits> digits{};
    const char* end = std::to_chars(digits.data(), digits.data() + kDigits, offset).ptr;
    const auto length = static_cast<std::size_t>(end - digits.data());
    m_first = kDigits - length;
    std::memcpy(m_digits.data() + m_first, digits.data(), length);
  }
  m_last = offset;
  const std::size_t length = kDigits - m_first;
  std::memcpy(out, m_digits.data() + m_first, kDigits); // the bytes past the digits are overwritten next
  out[length] = '\n';
  return out + length + 1;
}

} // namespace vek::cli
