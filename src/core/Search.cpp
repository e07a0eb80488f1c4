#include "core/Search.h"

#include <algorithm>

#include "core/BlockPipeline.h"
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

// The file is read in blocks, one block ahead on a second thread (BlockPipeline); each window
// holds the last pattern.size() - 1 bytes of the block before in front of its own block, so a
// match that straddles two blocks is found in the second.
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
  // A block larger than the carry keeps every window longer than the bytes it passes on.
  const std::size_t blockBytes = std::max(kSearchBlockBytes, 2 * pattern.size());
  BlockPipeline blocks(readAt, start, fileSize, blockBytes, carry);
  Offset windowStart = start;
  for (BlockPipeline::Window window = blocks.Next(); window.data != nullptr || window.failed;
       window = blocks.Next()) {
    if (window.failed) {
      result.status = SearchResult::Status::ReadError;
      return result;
    }
    // Every window holds at least the pattern: the first because the file does from `start` on,
    // the others because they hold carry bytes and a block of at least one.
    const std::size_t candidates = window.size - carry;
    const std::ptrdiff_t hit = FindInBuffer(window.data, candidates, pattern, plan);
    if (hit >= 0) {
      result.status = SearchResult::Status::Found;
      result.offset = windowStart + hit;
      return result;
    }
    windowStart += static_cast<Offset>(candidates);
    if (windowStart + length <= fileSize && progress && !progress(windowStart)) {
      result.status = SearchResult::Status::Cancelled;
      return result;
    }
  }
  return result;
}

} // namespace vek
