#include "cli/FindAll.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/ByteScan.h"

namespace vek::cli {

namespace {

constexpr std::size_t kReadAlignment = 64;

} // namespace

FindAllStatus FindAll(const ReadAtFn& readAt, Offset fileSize, std::span<const std::uint8_t> pattern,
                      const std::function<void(Offset)>& onMatch) {
  if (pattern.empty() || fileSize < static_cast<Offset>(pattern.size())) return FindAllStatus::NotFound;

  const ScanPlan plan = PlanScan(pattern);
  // The last pattern.size() - 1 bytes of a block stay for the next, so that a match across two
  // blocks is seen whole; they move to just before where the next block is read.
  // Blocks land on a cache-line boundary, which the kernel copies to fastest.
  const std::size_t carry = pattern.size() - 1;
  const std::size_t lead = (carry + kReadAlignment - 1) / kReadAlignment * kReadAlignment;
  std::vector<std::uint8_t> storage(kReadAlignment + lead + kSearchBlockBytes);
  const auto misalignment = reinterpret_cast<std::uintptr_t>(storage.data()) % kReadAlignment;
  std::uint8_t* const blockAt = storage.data() + (kReadAlignment - misalignment) % kReadAlignment + lead;

  bool found = false;
  std::size_t held = 0; // bytes kept from the block before, at blockAt - held
  Offset windowStart = 0;
  for (Offset readPos = 0; readPos < fileSize;) {
    const auto want = static_cast<std::size_t>(std::min<Offset>(static_cast<Offset>(kSearchBlockBytes), fileSize - readPos));
    if (readAt(readPos, blockAt, want) != static_cast<std::int64_t>(want)) return FindAllStatus::ReadError;
    readPos += static_cast<Offset>(want);

    const std::uint8_t* const window = blockAt - held;
    const std::size_t available = held + want;
    if (available > carry) {
      const std::size_t candidates = available - carry;
      for (std::size_t at = 0; at < candidates;) {
        const std::ptrdiff_t hit = FindInBuffer(window + at, candidates - at, pattern, plan);
        if (hit < 0) break;
        found = true;
        at += static_cast<std::size_t>(hit);
        onMatch(windowStart + static_cast<Offset>(at));
        ++at; // overlapping matches count too
      }
      windowStart += static_cast<Offset>(candidates);
      held = carry;
    } else {
      held = available; // a pattern longer than what has been read so far
    }
    std::memmove(blockAt - held, window + available - held, held);
  }
  return found ? FindAllStatus::Found : FindAllStatus::NotFound;
}

} // namespace vek::cli
