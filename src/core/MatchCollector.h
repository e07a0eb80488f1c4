#pragma once
// What a Find All has found so far: how many occurrences there are in all, and the offsets of the
// first `room` of them in file order, handed on in pieces as the search delivers them, so that a
// list can grow while the search runs without the offsets being copied twice.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/PageGeometry.h"

namespace vek {

class MatchCollector {
 public:
  explicit MatchCollector(std::size_t room) : m_room(room) {}

  // The next matches in file order: all are counted, those there is room for are kept.
  void Add(std::span<const Offset> matches);
  // Appends the offsets kept since the last call to `into`.
  void TakeNew(std::vector<Offset>& into);

  std::uint64_t Count() const { return m_count; }
  std::uint64_t Kept() const { return m_kept; } // handed on or not

 private:
  std::size_t m_room;
  std::uint64_t m_count = 0;
  std::uint64_t m_kept = 0;
  std::vector<Offset> m_new;
};

} // namespace vek
