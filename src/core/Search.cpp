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

namespace {

// Called with each match in increasing order; false ends the walk.
using MatchFn = std::function<bool(Offset)>;

// The file is read in blocks, one block ahead on a second thread (BlockPipeline); each window
// holds the last pattern.size() - 1 bytes of the block before in front of its own block, so a
// match that straddles two blocks is found in the second.
//
// A read must deliver exactly what was asked for: the walk only asks for bytes below `fileSize`,
// so -1, a short count (the file shrank since its size was taken) or an overlong one stops it
// with ReadError rather than matching against bytes that are not there.
SearchResult::Status WalkMatches(const ReadAtFn& readAt, Offset fileSize, Offset from,
                                 std::span<const std::uint8_t> pattern, const MatchFn& onMatch,
                                 const ProgressFn& progress) {
  const Offset start = std::max<Offset>(from, 0);
  const auto length = static_cast<Offset>(pattern.size());
  if (pattern.empty() || fileSize - start < length) return SearchResult::Status::NotFound;

  const ScanPlan plan = PlanScan(pattern);
  const std::size_t carry = pattern.size() - 1;
  // A block larger than the carry keeps every window longer than the bytes it passes on.
  const std::size_t blockBytes = std::max(kSearchBlockBytes, 2 * pattern.size());
  BlockPipeline blocks(readAt, start, fileSize, blockBytes, carry);
  bool found = false;
  Offset windowStart = start;
  for (BlockPipeline::Window window = blocks.Next(); window.data != nullptr || window.failed;
       window = blocks.Next()) {
    if (window.failed) return SearchResult::Status::ReadError;
    // Every window holds at least the pattern: the first because the file does from `start` on,
    // the others because they hold carry bytes and a block of at least one.
    const std::size_t candidates = window.size - carry;
    for (std::size_t at = 0; at < candidates; ++at) { // ++at: overlapping matches count too
      const std::ptrdiff_t hit = FindInBuffer(window.data + at, candidates - at, pattern, plan);
      if (hit < 0) break;
      found = true;
      at += static_cast<std::size_t>(hit);
      if (!onMatch(windowStart + static_cast<Offset>(at))) return SearchResult::Status::Found;
    }
    windowStart += static_cast<Offset>(candidates);
    if (windowStart + length <= fileSize && progress && !progress(windowStart)) {
      return SearchResult::Status::Cancelled;
    }
  }
  return found ? SearchResult::Status::Found : SearchResult::Status::NotFound;
}

} // namespace

SearchResult SearchFile(const ReadAtFn& readAt, Offset fileSize, Offset from,
                        std::span<const std::uint8_t> pattern, const ProgressFn& progress) {
  SearchResult result;
  result.status = WalkMatches(
      readAt, fileSize, from, pattern,
      [&result](Offset at) {
        result.offset = at;
        return false;
      },
      progress);
  return result;
}

SearchResult::Status FindAll(const ReadAtFn& readAt, Offset fileSize, std::span<const std::uint8_t> pattern,
                             const std::function<void(Offset)>& onMatch) {
  return WalkMatches(
      readAt, fileSize, 0, pattern,
      [&onMatch](Offset at) {
        onMatch(at);
        return true;
      },
      {});
}

} // namespace vek
