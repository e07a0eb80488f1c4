// Two streams compared as they come, in small blocks so that differences and ends fall on and
// around their edges: against the byte-for-byte definition.

#include "core/StreamCompare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace vek {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The stream of `bytes`, handed out in the sizes asked for; -1 once `failAt` bytes are out.
ReadNextFn StreamOf(const Bytes& bytes, std::size_t& next, std::size_t failAt = SIZE_MAX) {
  return [&bytes, &next, failAt](std::uint8_t* buffer, std::size_t size) -> std::int64_t {
    if (next >= failAt) return -1;
    const std::size_t n = std::min(size, bytes.size() - next);
    if (n != 0) std::memcpy(buffer, bytes.data() + next, n); // an empty vector's data() may be null
    next += n;
    return static_cast<std::int64_t>(n);
  };
}

TEST(CompareStreams, ListsTheDifferencesInOrderAndWhichEndsFirst) {
  constexpr std::size_t kBlock = 16;
  Bytes base(100);
  for (std::size_t i = 0; i < base.size(); ++i) base[i] = static_cast<std::uint8_t>(i * 7);
  const auto changed = [&](std::vector<std::size_t> at) {
    Bytes b = base;
    for (const std::size_t i : at) b[i] ^= 0xFF;
    return b;
  };
  struct Case {
    const char* name;
    Bytes a;
    Bytes b;
    bool firstOnly;
    std::vector<Offset> offsets;
    SearchStatus status;
    int shorter;
    Offset compared;
  };
  const std::vector<Case> cases = {
      {"the same", base, base, false, {}, SearchStatus::NotFound, 0, 0},
      {"at the blocks' edges", base, changed({0, 15, 16, 31, 99}), false, {0, 15, 16, 31, 99}, SearchStatus::Found, 0, 0},
      {"only the first", base, changed({17, 40}), true, {17}, SearchStatus::Found, 0, 0},
      {"the second ends first, at a block's edge", base, Bytes(base.begin(), base.begin() + 32), false, {},
       SearchStatus::Found, 2, 32},
      {"the first ends first and differs", Bytes(base.begin(), base.begin() + 21), changed({3}), false, {3},
       SearchStatus::Found, 1, 21},
      {"an empty one", Bytes{}, base, false, {}, SearchStatus::Found, 1, 0},
      {"both empty", Bytes{}, Bytes{}, false, {}, SearchStatus::NotFound, 0, 0},
      {"only the first, a prefix", Bytes(base.begin(), base.begin() + 5), base, true, {}, SearchStatus::Found, 1, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::size_t nextA = 0;
    std::size_t nextB = 0;
    std::vector<Offset> offsets;
    bool bytesRight = true;
    const StreamComparison result = CompareStreams(
        StreamOf(c.a, nextA), StreamOf(c.b, nextB),
        [&](std::span<const Offset> found, std::span<const std::uint8_t> pairs) {
          for (std::size_t k = 0; k < found.size(); ++k) {
            bytesRight = bytesRight && pairs[2 * k] == c.a[found[k]] && pairs[2 * k + 1] == c.b[found[k]];
          }
          offsets.insert(offsets.end(), found.begin(), found.end());
        },
        c.firstOnly, kBlock);
    EXPECT_EQ(offsets, c.offsets);
    EXPECT_TRUE(bytesRight);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.shorter, c.shorter);
    if (c.shorter != 0) {
      EXPECT_EQ(result.compared, c.compared);
    }
  }
}

TEST(CompareStreams, AFailedReadIsAReadErrorOfThatSide) {
  Bytes a(50, 1);
  Bytes b = a;
  b[3] = 2;
  for (const int failing : {1, 2}) {
    std::size_t nextA = 0;
    std::size_t nextB = 0;
    std::vector<Offset> offsets;
    const StreamComparison result = CompareStreams(
        StreamOf(a, nextA, failing == 1 ? 16 : SIZE_MAX), StreamOf(b, nextB, failing == 2 ? 32 : SIZE_MAX),
        [&](std::span<const Offset> found, std::span<const std::uint8_t>) {
          offsets.insert(offsets.end(), found.begin(), found.end());
        },
        false, 16);
    EXPECT_EQ(result.status, SearchStatus::ReadError) << failing;
    EXPECT_EQ(result.failed, failing);
    EXPECT_EQ(offsets, std::vector<Offset>{3}) << "the differences before the failure stand";
  }
}

} // namespace
} // namespace vek
