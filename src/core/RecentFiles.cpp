#include "core/RecentFiles.h"

#include <algorithm>

namespace vek {

std::vector<std::string> AddRecentFile(std::vector<std::string> list, const std::string& path,
                                       int capacity) {
  list.erase(std::remove(list.begin(), list.end(), path), list.end());
  list.insert(list.begin(), path);
  const auto keep = static_cast<std::size_t>(std::max(capacity, 0));
  if (list.size() > keep) {
    list.resize(keep);
  }
  return list;
}

} // namespace vek
