#include "core/StreamCompare.h"

#include <algorithm>
#include <vector>

#include "core/ByteCompare.h"

namespace vek {

StreamComparison CompareStreams(const ReadNextFn& first, const ReadNextFn& second, const DifferencesFn& onDifferences,
                                bool firstOnly, std::size_t blockBytes) {
  StreamComparison result;
  std::vector<std::uint8_t> a(blockBytes);
  std::vector<std::uint8_t> b(blockBytes);
  std::vector<Offset> offsets;
  std::vector<std::uint8_t> pairs;
  for (Offset base = 0;;) {
    const std::int64_t gotA = first(a.data(), blockBytes);
    const std::int64_t gotB = gotA < 0 ? 0 : second(b.data(), blockBytes);
    if (gotA < 0 || gotB < 0) {
      result.status = SearchStatus::ReadError;
      result.failed = gotA < 0 ? 1 : 2;
      return result;
    }
    // A read is short only at the end: the shorter one has ended.
    const auto common = static_cast<std::size_t>(std::min(gotA, gotB));
    offsets.clear();
    pairs.clear();
    for (std::size_t at = 0; (at = FindDifference(a.data(), b.data(), at, common)) < common; ++at) {
      offsets.push_back(base + static_cast<Offset>(at));
      pairs.insert(pairs.end(), {a[at], b[at]});
      if (firstOnly) break;
    }
    if (!offsets.empty()) {
      onDifferences(offsets, pairs);
      result.status = SearchStatus::Found;
      if (firstOnly) return result;
    }
    base += static_cast<Offset>(common);
    if (gotA != gotB) {
      result.status = SearchStatus::Found;
      result.compared = base;
      result.shorter = gotA < gotB ? 1 : 2;
      return result;
    }
    if (static_cast<std::size_t>(gotA) < blockBytes) return result;
  }
}

} // namespace vek
