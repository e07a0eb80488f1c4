#pragma once
// What the bytes at one offset of a file mean, read as each of the usual types: the rows of the data
// inspector, each a name and a value as text.
//
// The texts:
// - Hex and Binary: the first byte, "9D" and "10011101".
// - Integers: decimal, with a minus sign where the signed reading is negative.
// - Floats: the shortest decimal that reads back as the same value ("1.5", "1e+20", "-0"); "NaN" for
//   every not-a-number (its sign and payload are not shown), "Infinity" and "-Infinity".
// - UTF-8: the character the bytes start with, quoted, and its code point: "\"é\" U+00E9"; controls
//   (U+0000-U+001F, U+007F-U+009F) as "U+000A (control)", U+FEFF as "U+FEFF (byte order mark)";
//   "invalid" for bytes that start no well-formed sequence (a continuation byte, an overlong form, a
//   surrogate, past U+10FFFF).
// - Unix times: signed seconds since 1970-01-01 in UTC (core/UtcTimeText.h).
// - "unavailable" for a value that needs more bytes than the file has left at the offset, also for a
//   UTF-8 sequence that the end of the file cuts short.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace vek {

// The widest value takes this many bytes: a 64-bit number.
inline constexpr std::size_t kValueBytes = 8;
inline constexpr std::size_t kValueRowCount = 25;

inline constexpr std::string_view kUnavailable = "unavailable";
inline constexpr std::string_view kInvalidCharacter = "invalid";

struct ValueRow {
  std::string_view name;
  std::string value;
};

using ValueRows = std::array<ValueRow, kValueRowCount>;

// The names of the rows, in their order: the same whatever the bytes.
const std::array<std::string_view, kValueRowCount>& ValueRowNames();

// `bytes` are the file's bytes from the offset on: all it has there, up to kValueBytes (more are
// not looked at). None gives every row as unavailable.
ValueRows ValuesOf(std::span<const std::uint8_t> bytes);

} // namespace vek
