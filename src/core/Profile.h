#pragma once
// The profile: an initialisation file whose section "Recent File List" holds the keys File1 to
// File4. Reading and rewriting that section of the file's text; other sections are kept as they are.

#include <string>
#include <string_view>
#include <vector>

namespace vek {

inline constexpr std::string_view kRecentFileSection = "Recent File List";

// The paths of File1, File2, ... in key order, up to the first key that is missing or empty.
std::vector<std::string> ReadRecentFileList(std::string_view profile);

// The profile text with the section replaced by `files` (File1 = the first), added at the end
// when the text has none.
std::string WriteRecentFileList(std::string_view profile, const std::vector<std::string>& files);

} // namespace vek
