#include "core/StreamSearch.h"

#include <algorithm>
#include <vector>

namespace vek {

SearchStatus FindAllInStream(const ReadNextFn& readNext, std::span<const std::uint8_t> pattern,
                             const std::function<void(Offset)>& onMatch, std::size_t blockBytes,
                             CaseFolding folding) {
  if (pattern.empty()) return SearchStatus::NotFound;
  const std::size_t carry = pattern.size() - 1;
  const ScanPlan plan = PlanScan(pattern, folding);
  std::vector<std::uint8_t> buffer(std::max<std::size_t>(blockBytes, 1) + carry);
  Offset base = 0;       // the stream offset of buffer[0]
  std::size_t held = 0;  // bytes in the buffer, the kept ones first
  bool found = false;
  for (bool ended = false; !ended;) {
    const std::size_t wanted = buffer.size() - held;
    const std::int64_t read = readNext(buffer.data() + held, wanted);
    if (read < 0) return SearchStatus::ReadError;
    ended = static_cast<std::size_t>(read) < wanted;
    held += static_cast<std::size_t>(read);
    if (held < pattern.size()) continue; // too little yet, or the stream's end
    const std::size_t candidates = held - carry;
    for (std::size_t from = 0; from < candidates;) {
      const std::ptrdiff_t at = FindInBuffer(buffer.data() + from, candidates - from, pattern, plan);
      if (at < 0) break;
      found = true;
      onMatch(base + static_cast<Offset>(from) + at);
      from += static_cast<std::size_t>(at) + 1;
    }
    std::copy(buffer.begin() + static_cast<std::ptrdiff_t>(candidates),
              buffer.begin() + static_cast<std::ptrdiff_t>(held), buffer.begin());
    base += static_cast<Offset>(candidates);
    held = carry;
  }
  return found ? SearchStatus::Found : SearchStatus::NotFound;
}

} // namespace vek
