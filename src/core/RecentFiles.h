#pragma once
// The recent-file list: most recent first, no path twice, at most a fixed number of entries.

#include <string>
#include <vector>

namespace vek {

inline constexpr int kRecentFileCount = 4;

// Puts `path` at the front (moving it there if listed) and drops what falls past `capacity`.
std::vector<std::string> AddRecentFile(std::vector<std::string> list, const std::string& path,
                                       int capacity = kRecentFileCount);

} // namespace vek
