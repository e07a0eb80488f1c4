#pragma once
// A search pattern: the bytes a search looks for, at most kMaxPatternBytes of them. An empty
// pattern is no pattern: Next does nothing with it.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "core/SearchLimits.h"

namespace vek {

class Pattern {
 public:
  Pattern() = default;
  // The first kMaxPatternBytes of `bytes`.
  explicit Pattern(std::span<const std::uint8_t> bytes)
      : m_length(static_cast<int>(std::min<std::size_t>(bytes.size(), kMaxPatternBytes))) {
    std::copy_n(bytes.begin(), m_length, m_bytes.begin());
  }

  std::span<const std::uint8_t> Bytes() const { return {m_bytes.data(), static_cast<std::size_t>(m_length)}; }
  int Length() const { return m_length; }
  bool Empty() const { return m_length == 0; }

  friend bool operator==(const Pattern& a, const Pattern& b) { return std::ranges::equal(a.Bytes(), b.Bytes()); }

 private:
  std::array<std::uint8_t, kMaxPatternBytes> m_bytes{};
  int m_length = 0;
};

} // namespace vek
