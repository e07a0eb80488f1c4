#include "core/NumberParse.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <limits>

namespace vek {

namespace {

// The C locale's white space; the user's locale must not change how a number reads.
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The digit's value in bases up to 36, or -1.
int DigitValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'z') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'Z') {
    return c - 'A' + 10;
  }
  return -1;
}

bool IsHexDigit(char c) {
  const int d = DigitValue(c);
  return d >= 0 && d < 16;
}

std::size_t SkipSpace(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsSpace(text[pos])) {
    ++pos;
  }
  return pos;
}

// Reads an optional sign at pos; returns true for a minus.
bool TakeSign(std::string_view text, std::size_t& pos) {
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    return text[pos++] == '-';
  }
  return false;
}

// A "0x"/"0X" that counts only with a hex digit after it; otherwise the '0' is the number.
bool HasHexPrefix(std::string_view text, std::size_t pos) {
  return pos + 2 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X') &&
         IsHexDigit(text[pos + 2]);
}

} // namespace

std::int64_t StrToOffset(std::string_view text, int base) {
  if (base < 2 || base > 36) {
    return 0;
  }
  std::size_t pos = SkipSpace(text, 0);
  const bool negative = TakeSign(text, pos);
  if (base == 16 && HasHexPrefix(text, pos)) {
    pos += 2;
  }

  // The magnitude runs up to 2^63 so that the smallest value reads exactly.
  constexpr std::uint64_t kMaxMagnitude = std::uint64_t{1} << 63;
  const std::uint64_t limit = negative ? kMaxMagnitude : kMaxMagnitude - 1;
  std::uint64_t magnitude = 0;
  bool overflow = false;
  for (; pos < text.size(); ++pos) {
    const int digit = DigitValue(text[pos]);
    if (digit < 0 || digit >= base) {
      break;
    }
    const auto d = static_cast<std::uint64_t>(digit);
    if (overflow || magnitude > (limit - d) / static_cast<std::uint64_t>(base)) {
      overflow = true; // keep consuming digits: they belong to the number, which is out of range
      continue;
    }
    magnitude = magnitude * static_cast<std::uint64_t>(base) + d;
  }
  if (overflow) {
    return negative ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
  }
  // Two's-complement conversion: 2^63 with a minus sign is exactly the smallest value.
  return negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
}

std::int32_t StrToLong32(std::string_view text, int base) {
  // A 64-bit read already held at its limits lies outside 32 bits on the same side.
  const std::int64_t wide = StrToOffset(text, base);
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      wide, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t AtoI32(std::string_view text) {
  std::size_t pos = SkipSpace(text, 0);
  const bool negative = TakeSign(text, pos);
  std::uint32_t value = 0; // unsigned: the wrap-around is defined
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    value = value * 10u + static_cast<std::uint32_t>(text[pos] - '0');
  }
  if (negative) {
    value = 0u - value;
  }
  return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> ScanHex32(std::string_view text) {
  std::size_t pos = SkipSpace(text, 0);
  const bool negative = TakeSign(text, pos);
  if (pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X')) {
    if (!HasHexPrefix(text, pos)) {
      return std::nullopt; // a prefix with nothing after it is no number
    }
    pos += 2;
  }
  if (pos >= text.size() || !IsHexDigit(text[pos])) {
    return std::nullopt;
  }
  std::uint32_t value = 0;
  for (; pos < text.size() && IsHexDigit(text[pos]); ++pos) {
    value = (value << 4) | static_cast<std::uint32_t>(DigitValue(text[pos]));
  }
  if (negative) {
    value = 0u - value;
  }
  return static_cast<std::int32_t>(value);
}

std::string FormatHex32(std::int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%" PRIx32, static_cast<std::uint32_t>(value));
  return text;
}

std::string FormatDecimal32(std::int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%" PRId32, value);
  return text;
}

} // namespace vek
