#pragma once
// The profile: an initialisation file whose section "Recent File List" holds the keys File1 to
// File4. Reading and rewriting that section of the file's text; other sections are kept as they are.
// A name that is not UTF-8 is stored quoted, its other bytes as \xHH, and reads back as the same
// bytes; every other name is stored as it is.

#include <string>
#include <string_view>
#include <vector>

#include "core/RecentFiles.h"

namespace vek {

inline constexpr std::string_view kRecentFileSection = "Recent File List";

// The paths of File1 to File4 (one key for each of the kRecentFileCount entries) in key order;
// missing or empty keys are left out.
std::vector<std::string> ReadRecentFileList(std::string_view profile);

// The profile text with the section replaced by `files` (File1 = the first), added at the end
// when the text has none. A name with a line break in it is left out.
std::string WriteRecentFileList(std::string_view profile, const std::vector<std::string>& files);

} // namespace vek
