#pragma once
// File names are bytes: the system takes any byte but '/' and NUL in a name, and a name need not
// be valid in the locale's encoding (UTF-8). The program keeps names as those bytes and decodes
// them only to show them.

#include <cstddef>
#include <string>
#include <string_view>

namespace vek {

// The length of the well-formed UTF-8 sequence that `bytes` starts with (no overlong forms, no
// surrogates, nothing above U+10FFFF), or 0 when it starts with none (or is empty).
std::size_t Utf8SequenceLength(std::string_view bytes);

// True when every byte belongs to a well-formed UTF-8 sequence.
bool IsValidUtf8(std::string_view bytes);

// The name as text: well-formed UTF-8 sequences as they are, and U+FFFD for each byte that is not
// part of one, so that two names that differ never look the same for lack of a character.
std::string DecodeFileName(std::string_view bytes);

} // namespace vek
