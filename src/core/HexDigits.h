#pragma once
// The digits bytes are written with wherever the program writes them as hex: upper case, as the
// page shows them.

#include <string_view>

namespace vek {

inline constexpr std::string_view kHexDigits = "0123456789ABCDEF";

} // namespace vek
