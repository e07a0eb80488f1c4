#include "core/StreamSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "SearchReference.h"

namespace vek {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::AllOccurrences;

struct StreamRun {
  SearchStatus status;
  std::vector<Offset> matches;
};

// The bytes as a stream that fails after `failAfter` reads when given.
StreamRun Search(const Bytes& bytes, const Bytes& pattern, std::size_t blockBytes, int failAfter = -1) {
  std::size_t position = 0;
  int reads = 0;
  const ReadNextFn readNext = [&](std::uint8_t* buffer, std::size_t size) -> std::int64_t {
    if (reads++ == failAfter) return -1;
    const std::size_t n = std::min(size, bytes.size() - position);
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(position), n, buffer);
    position += n;
    return static_cast<std::int64_t>(n);
  };
  StreamRun run{};
  run.status = FindAllInStream(readNext, pattern, [&run](Offset at) { run.matches.push_back(at); }, blockBytes);
  return run;
}

// Matches that straddle the kept bytes between blocks, of every pattern length against block
// sizes below, at and above it, are found once each and in order, as in memory.
TEST(FindAllInStream, FindsEveryOccurrenceAcrossBlockBoundariesInOrder) {
  std::mt19937 random(7);
  Bytes hay(997);
  for (auto& b : hay) b = static_cast<std::uint8_t>("aab"[random() % 3]);
  const Bytes patterns[] = {{'a'}, {'a', 'b'}, {'a', 'a', 'a'}, {'b', 'a', 'a', 'b'}, {'a', 'b', 'a', 'a', 'b', 'a'}};
  for (const Bytes& pattern : patterns) {
    const std::vector<Offset> expected = AllOccurrences(hay, 0, pattern);
    ASSERT_FALSE(expected.empty());
    for (const std::size_t block : {1u, 2u, 3u, 5u, 64u, 996u, 997u, 4096u}) {
      const StreamRun run = Search(hay, pattern, block);
      EXPECT_EQ(run.status, SearchStatus::Found) << pattern.size() << " / " << block;
      EXPECT_EQ(run.matches, expected) << pattern.size() << " / " << block;
    }
  }
}

TEST(FindAllInStream, NothingFoundInShortOrEmptyStreamsAndAFailedReadStopsTheWalk) {
  EXPECT_EQ(Search({}, {'a'}, 8).status, SearchStatus::NotFound);
  EXPECT_EQ(Search({'a', 'b'}, {'a', 'b', 'c'}, 8).status, SearchStatus::NotFound);
  EXPECT_EQ(Search({'a', 'b'}, {}, 8).status, SearchStatus::NotFound);
  const Bytes hay(100, 'x');
  const StreamRun failed = Search(hay, {'x'}, 10, 2);
  EXPECT_EQ(failed.status, SearchStatus::ReadError);
  EXPECT_EQ(failed.matches, AllOccurrences(Bytes(20, 'x'), 0, Bytes{'x'})) << "the two blocks read before stand";
}

} // namespace
} // namespace vek
