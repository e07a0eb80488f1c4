#pragma once
// Whether a search lets ASCII letters match either case. Only the 52 ASCII letters fold: bytes
// 0x80 and up are letters only in some code page, and a byte search must not guess which.

#include <cstdint>

namespace vek {

enum class CaseFolding {
  None,  // every byte matches itself only
  Ascii, // 'a'..'z' and 'A'..'Z' match their other case too
};

// The bit that tells an ASCII letter's cases apart: 'A' | kAsciiCaseBit == 'a'.
inline constexpr std::uint8_t kAsciiCaseBit = 0x20;

constexpr bool IsAsciiLetter(std::uint8_t byte) {
  const auto lower = static_cast<std::uint8_t>(byte | kAsciiCaseBit);
  return lower >= 'a' && lower <= 'z';
}

// The lower case of an ASCII letter; any other byte as it is.
constexpr std::uint8_t FoldAscii(std::uint8_t byte) {
  return byte >= 'A' && byte <= 'Z' ? static_cast<std::uint8_t>(byte | kAsciiCaseBit) : byte;
}

} // namespace vek
