#pragma once
// What kind of byte a byte is, for a reader scanning a dump: zero fill, text, the white space in
// text, other control codes, and everything above ASCII (binary data, or text in another encoding).

#include <cstddef>
#include <cstdint>

namespace vek {

enum class ByteKind : std::uint8_t {
  Zero,
  Printable,  // 0x21..0x7E: a visible ASCII character
  Whitespace, // space, tab, line feed, vertical tab, form feed, carriage return
  Control,    // the other ASCII control codes, 0x7F included
  NonAscii,   // 0x80..0xFF
};
inline constexpr std::size_t kByteKinds = 5;

constexpr ByteKind KindOfByte(std::uint8_t byte) {
  if (byte == 0) return ByteKind::Zero;
  if (byte >= 0x80) return ByteKind::NonAscii;
  if (byte > ' ' && byte < 0x7F) return ByteKind::Printable;
  if (byte == ' ' || (byte >= '\t' && byte <= '\r')) return ByteKind::Whitespace;
  return ByteKind::Control;
}

} // namespace vek
