#pragma once
// Slow, plain readings of number texts that the fuzz targets hold the core's parsers against:
// 128-bit accumulation with saturation instead of overflow checks, digit strings instead of shifts.

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace vek::fuzz {

inline bool IsCSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

inline int Digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return -1;
}

inline bool IsHex(char c) {
  const int d = Digit(c);
  return d >= 0 && d < 16;
}

struct SignedStart {
  std::size_t pos = 0;
  bool negative = false;
};

inline SignedStart SkipSpaceAndSign(std::string_view text) {
  SignedStart s;
  while (s.pos < text.size() && IsCSpace(text[s.pos])) ++s.pos;
  if (s.pos < text.size() && (text[s.pos] == '+' || text[s.pos] == '-')) {
    s.negative = text[s.pos] == '-';
    ++s.pos;
  }
  return s;
}

inline bool PrefixAt(std::string_view text, std::size_t pos) {
  return pos + 1 < text.size() && text[pos] == '0' && (text[pos + 1] == 'x' || text[pos + 1] == 'X');
}

// strtol into `bits` (64 or 32) bits, held at the limits.
inline std::int64_t RefStrToL(std::string_view text, int base, int bits) {
  SignedStart s = SkipSpaceAndSign(text);
  if (base == 16 && PrefixAt(text, s.pos) && s.pos + 2 < text.size() && IsHex(text[s.pos + 2])) s.pos += 2;
  const __int128 cap = static_cast<__int128>(1) << 70; // far past every limit, far below overflow
  __int128 magnitude = 0;
  for (std::size_t i = s.pos; i < text.size(); ++i) {
    const int d = Digit(text[i]);
    if (d < 0 || d >= base) break;
    magnitude = std::min(magnitude * base + d, cap);
  }
  const __int128 value = s.negative ? -magnitude : magnitude;
  const __int128 lo = -(static_cast<__int128>(1) << (bits - 1));
  const __int128 hi = (static_cast<__int128>(1) << (bits - 1)) - 1;
  return static_cast<std::int64_t>(std::clamp(value, lo, hi));
}

// atoi with the value taken modulo 2^32.
inline std::int32_t RefAtoI32(std::string_view text) {
  const SignedStart s = SkipSpaceAndSign(text);
  std::uint64_t value = 0;
  for (std::size_t i = s.pos; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = (value * 10 + static_cast<std::uint64_t>(text[i] - '0')) % (std::uint64_t{1} << 32);
  }
  if (s.negative) value = ((std::uint64_t{1} << 32) - value) % (std::uint64_t{1} << 32);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// "%x" into 32 bits: the last eight hex digits, negated modulo 2^32 after a minus sign.
inline std::optional<std::int32_t> RefScanHex32(std::string_view text) {
  SignedStart s = SkipSpaceAndSign(text);
  if (PrefixAt(text, s.pos)) {
    if (!(s.pos + 2 < text.size() && IsHex(text[s.pos + 2]))) return std::nullopt;
    s.pos += 2;
  }
  std::string digits;
  for (std::size_t i = s.pos; i < text.size() && IsHex(text[i]); ++i) digits += text[i];
  if (digits.empty()) return std::nullopt;
  if (digits.size() > 8) digits.erase(0, digits.size() - 8);
  std::uint64_t value = 0;
  for (const char c : digits) value = value * 16 + static_cast<std::uint64_t>(Digit(c));
  if (s.negative) value = ((std::uint64_t{1} << 32) - value) % (std::uint64_t{1} << 32);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

} // namespace vek::fuzz
