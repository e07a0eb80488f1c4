#include "core/ByteCompare.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace vek {

namespace {

// Equal stretches are passed in pieces this large: memcmp stops at a difference but does not say
// where, so a piece that differs is looked at again, and a small piece keeps that short.
constexpr std::size_t kPieceBytes = 4096;

std::size_t WithinPiece(const std::uint8_t* a, const std::uint8_t* b, std::size_t at, std::size_t end) {
  for (; std::endian::native == std::endian::little && at + 8 <= end; at += 8) {
    std::uint64_t x;
    std::uint64_t y;
    std::memcpy(&x, a + at, 8);
    std::memcpy(&y, b + at, 8);
    if (x != y) return at + static_cast<std::size_t>(__builtin_ctzll(x ^ y)) / 8; // the lowest byte first
  }
  for (; at < end; ++at) {
    if (a[at] != b[at]) return at;
  }
  return end;
}

} // namespace

std::size_t FindDifference(const std::uint8_t* a, const std::uint8_t* b, std::size_t at, std::size_t count) {
  while (at < count) {
    const std::size_t end = std::min(count, at + kPieceBytes);
    if (std::memcmp(a + at, b + at, end - at) != 0) return WithinPiece(a, b, at, end);
    at = end;
  }
  return count;
}

} // namespace vek
