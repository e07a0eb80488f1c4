#pragma once
// The profile: an initialisation file whose section "Recent File List" holds the keys File1 to
// File4. Reading and rewriting that section of the file's text; other sections are kept as they are.

#include <string>
#include <string_view>
#include <vector>

namespace vek {

inline constexpr std::string_view kRecentFileSection = "Recent File List";
inline constexpr std::size_t kRecentFileKeys = 4; // File1 to File4

// The paths of File1 to File4 in key order; missing or empty keys are left out.
std::vector<std::string> ReadRecentFileList(std::string_view profile);

// The profile text with the section replaced by `files` (File1 = the first), added at the end
// when the text has none. A name with a line break in it is left out.
std::string WriteRecentFileList(std::string_view profile, const std::vector<std::string>& files);

} // namespace vek
