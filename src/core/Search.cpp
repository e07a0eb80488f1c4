#include "core/Search.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/ByteScan.h"

namespace vek {

int FindInPage(std::span<const std::uint8_t> page, std::span<const std::uint8_t> pattern,
               std::span<const std::uint8_t> following) {
  if (pattern.empty() || page.empty()) return -1;
  // `following` reaches either the end of the file or far enough for every candidate of the page,
  // so a candidate that does not fit into page + following runs past the end of the file.
  const std::size_t available = page.size() + following.size();
  const auto byteAt = [&](std::size_t at) { return at < page.size() ? page[at] : following[at - page.size()]; };
  for (std::size_t i = 0; i < page.size() && i + pattern.size() <= available; ++i) {
    std::size_t k = 0;
    while (k < pattern.size() && byteAt(i + k) == pattern[k]) ++k;
    if (k == pattern.size()) return static_cast<int>(i);
  }
  return -1;
}

namespace {

constexpr std::size_t kReadAlignment = 64; // the kernel copies to a cache-line-aligned target faster

} // namespace

// The file is read in blocks into one buffer; the last pattern.size() - 1 bytes of a block move to
// just before where the next block lands, so a match that straddles two blocks is found in the
// second, and every read still lands on the same aligned address.
//
// A read must deliver exactly what was asked for: the search only asks for bytes below `fileSize`,
// so -1, a short count (the file shrank since its size was taken) or an overlong one stops the
// search with ReadError rather than matching against bytes that are not there.
SearchResult SearchFile(const ReadAtFn& readAt, Offset fileSize, Offset from,
                        std::span<const std::uint8_t> pattern, const ProgressFn& progress) {
  SearchResult result;
  const Offset start = std::max<Offset>(from, 0);
  const auto length = static_cast<Offset>(pattern.size());
  if (pattern.empty() || fileSize - start < length) return result;

  const ScanPlan plan = PlanScan(pattern);
  const std::size_t carry = pattern.size() - 1;
  const std::size_t lead = (carry + kReadAlignment - 1) / kReadAlignment * kReadAlignment;
  std::vector<std::uint8_t> storage(kReadAlignment + lead + kSearchBlockBytes + carry);
  const auto misalignment = reinterpret_cast<std::uintptr_t>(storage.data()) % kReadAlignment;
  std::uint8_t* const blockAt = storage.data() + (kReadAlignment - misalignment) % kReadAlignment + lead;

  std::uint8_t* window = blockAt; // the bytes not yet searched, from file offset windowStart
  std::size_t held = 0;
  Offset windowStart = start;
  Offset readPos = start;
  while (readPos < fileSize) {
    const auto want = static_cast<std::size_t>(std::min<Offset>(kSearchBlockBytes, fileSize - readPos));
    if (readAt(readPos, window + held, want) != static_cast<std::int64_t>(want)) {
      result.status = SearchResult::Status::ReadError;
      return result;
    }
    held += want;
    readPos += static_cast<Offset>(want);
    if (held > carry) { // otherwise a pattern longer than a block still lacks bytes
      const std::size_t candidates = held - carry;
      const std::ptrdiff_t hit = FindInBuffer(window, candidates, pattern, plan);
      if (hit >= 0) {
        result.status = SearchResult::Status::Found;
        result.offset = windowStart + hit;
        return result;
      }
      std::memmove(blockAt - carry, window + candidates, carry);
      window = blockAt - carry;
      windowStart += static_cast<Offset>(candidates);
      held = carry;
    }
    if (readPos < fileSize && progress && !progress(windowStart)) {
      result.status = SearchResult::Status::Cancelled;
      return result;
    }
  }
  return result;
}

} // namespace vek
