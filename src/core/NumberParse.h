#pragma once
// Text to number and number to text, with the C library's rules where the program's dialogs
// follow them. Every text yields a value; nothing is ever refused.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vek {

// strtol: leading white space, an optional sign, in base 16 an optional "0x"/"0X", then digits of
// the base up to the first other character; no digits give 0; out of range gives the limit.
// The Start field reads 64-bit offsets.
std::int64_t StrToOffset(std::string_view text, int base);
// The same rule with a 32-bit long, as the Edit Byte dialog reads its value.
std::int32_t StrToLong32(std::string_view text, int base);

// atoi with 32-bit wrap-around: white space, optional sign, decimal digits; no overflow check.
std::int32_t AtoI32(std::string_view text);

// sscanf "%x" into 32 bits: white space, optional sign, optional "0x"/"0X", hex digits (only the
// last eight count); a minus sign negates modulo 2^32. Empty when no hex digit can be taken
// (so the caller keeps its previous value).
std::optional<std::int32_t> ScanHex32(std::string_view text);

std::string FormatHex32(std::int32_t value);     // "%x": lower case, 32-bit two's complement
std::string FormatDecimal32(std::int32_t value); // "%d"

} // namespace vek
