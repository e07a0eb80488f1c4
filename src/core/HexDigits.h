#pragma once
// The digits bytes are written with wherever the program writes them as hex: upper case, as the
// page shows them.

#include <cstdint>
#include <string>
#include <string_view>

namespace vek {

inline constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// The byte's two digits, high one first: "9D".
inline void AppendHexPair(std::string& out, std::uint8_t byte) {
  out += kHexDigits[byte >> 4];
  out += kHexDigits[byte & 0x0F];
}

} // namespace vek
