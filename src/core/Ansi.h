#pragma once
// The ANSI character set (Windows-1252): how page bytes are shown as characters, and how typed
// characters become bytes.

#include <cstdint>
#include <string>
#include <string_view>

namespace vek {

// The character a byte shows as. Bytes 0x80-0x9F follow Windows-1252 (0x80 is the euro sign); the
// five codes it leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the same code point.
char32_t AnsiToCodePoint(std::uint8_t byte);

// The byte a typed character becomes; characters outside the set become '?'.
std::uint8_t CodePointToAnsi(char32_t codePoint);

// Code points as UTF-8 (for a terminal).
std::string ToUtf8(std::u32string_view text);

} // namespace vek
