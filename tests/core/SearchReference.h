#pragma once
// Slow, obviously right searches that the fast file search is checked against.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <span>
#include <vector>

#include "core/PageGeometry.h"
#include "core/Search.h"

namespace vek::testing {

// The search as the view would run it: consecutive pages of kPageBytes from `from` (a negative start
// reads from the file's first byte), each looked at with FindInPage and completed with the bytes
// that follow it in the file.
inline Offset PageByPageSearch(std::span<const std::uint8_t> file, Offset from,
                               std::span<const std::uint8_t> pattern) {
  const auto fileSize = static_cast<Offset>(file.size());
  for (Offset pageStart = from; pageStart < fileSize; pageStart += kPageBytes) {
    pageStart = std::max<Offset>(pageStart, 0);
    const Offset pageEnd = std::min<Offset>(pageStart + kPageBytes, fileSize);
    const std::span<const std::uint8_t> page = file.subspan(pageStart, pageEnd - pageStart);
    const std::span<const std::uint8_t> following = file.subspan(pageEnd);
    const int i = FindInPage(page, pattern, following);
    if (i != -1) return pageStart + i;
  }
  return -1;
}

// Every offset >= from at which the pattern lies wholly inside the file, in order. Ignoring case,
// bytes are compared as the C library's tolower of the "C" locale sees them: ASCII letters only.
inline std::vector<Offset> AllOccurrences(std::span<const std::uint8_t> file, Offset from,
                                          std::span<const std::uint8_t> pattern, bool ignoreCase = false) {
  const auto same = [ignoreCase](std::uint8_t a, std::uint8_t b) {
    return ignoreCase ? std::tolower(a) == std::tolower(b) : a == b;
  };
  std::vector<Offset> found;
  if (pattern.empty()) return found;
  for (Offset m = std::max<Offset>(from, 0);
       m + static_cast<Offset>(pattern.size()) <= static_cast<Offset>(file.size()); ++m) {
    if (std::equal(pattern.begin(), pattern.end(), file.begin() + m, same)) found.push_back(m);
  }
  return found;
}

// The last offset below `before` at which the pattern starts and lies wholly inside the file, found
// by trying every offset from before - 1 down; -1 when there is none.
inline Offset LastOccurrenceBefore(std::span<const std::uint8_t> file, Offset before,
                                   std::span<const std::uint8_t> pattern) {
  if (pattern.empty()) return -1;
  for (Offset m = std::min<Offset>(before, static_cast<Offset>(file.size())) - 1; m >= 0; --m) {
    if (m + static_cast<Offset>(pattern.size()) <= static_cast<Offset>(file.size()) &&
        std::equal(pattern.begin(), pattern.end(), file.begin() + m)) {
      return m;
    }
  }
  return -1;
}

} // namespace vek::testing
