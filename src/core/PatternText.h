#pragma once
// A search pattern as our own texts name it.

#include <cstdint>
#include <span>
#include <string>

namespace vek {

// "needle" in quotes when every byte is printable ASCII (as typed in the Find dialog's text mode),
// else its hex pairs: 4D 5A 90.
std::string PatternText(std::span<const std::uint8_t> pattern);

} // namespace vek
