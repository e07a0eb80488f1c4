#pragma once
// The dump's colour for each kind of byte (ByteKind.h), as terminal escape sequences (SGR). Every
// one has the same length, so the formatter copies one without measuring it.

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

#include "core/ByteKind.h"

namespace vek::cli {

inline constexpr std::size_t kColorChars = 5; // ESC [ d d m

inline constexpr std::array<std::string_view, kByteKinds> kKindColors = {
    "\x1b[90m", // Zero: grey, so that zero fill recedes
    "\x1b[36m", // Printable: cyan
    "\x1b[32m", // Whitespace: green
    "\x1b[35m", // Control: magenta
    "\x1b[33m", // NonAscii: yellow
};

static_assert(std::all_of(kKindColors.begin(), kKindColors.end(),
                          [](std::string_view color) { return color.size() == kColorChars; }));

// Back to the terminal's own colour, at the end of each column: a line cut out of the dump
// (grep, less -R, head) carries no colour into the next.
inline constexpr std::string_view kColorReset = "\x1b[0m";

} // namespace vek::cli
