#include "core/MatchCollector.h"

#include <algorithm>

namespace vek {

void MatchCollector::Add(std::span<const Offset> matches) {
  m_count += matches.size();
  const std::size_t keep = std::min<std::uint64_t>(matches.size(), m_room - m_kept);
  m_new.insert(m_new.end(), matches.begin(), matches.begin() + static_cast<std::ptrdiff_t>(keep));
  m_kept += keep;
}

void MatchCollector::TakeNew(std::vector<Offset>& into) {
  if (into.empty()) {
    into.swap(m_new); // the usual case, a piece taken into an empty vector: nothing is copied
  } else {
    into.insert(into.end(), m_new.begin(), m_new.end());
  }
  m_new.clear();
}

} // namespace vek
