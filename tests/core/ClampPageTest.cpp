#include "core/ClampPage.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <random>
#include <vector>

namespace vek {
namespace {

constexpr Offset kMax = std::numeric_limits<Offset>::max();
constexpr Offset kMin = std::numeric_limits<Offset>::min();

struct ClampCase {
  Offset start, end, size;
  PageWindow expected;
};

void PrintTo(const ClampCase& c, std::ostream* os) {
  *os << "start " << c.start << " end " << c.end << " size " << c.size;
}

class ClampPageExamples : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ClampPageExamples, GivesTheDocumentedWindow) {
  const ClampCase& c = GetParam();
  EXPECT_EQ(ClampPage(c.start, c.end, c.size), c.expected)
      << "start " << c.start << " end " << c.end << " size " << c.size;
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, ClampPageExamples,
    ::testing::Values(ClampCase{-1, -1, 1050, {0, 200, 200}},      // no page chosen yet: the first
                      ClampCase{1000, 1200, 1050, {1000, 1050, 50}}, // cut at the end of the file
                      ClampCase{1200, 1050, 1050, {850, 1050, 200}}, // past the end: the last 200
                      ClampCase{5000, 5200, 1050, {850, 1050, 200}},
                      ClampCase{-1, -1, 0, {0, 0, 0}},               // empty file
                      ClampCase{100, 300, 150, {100, 150, 50}},
                      ClampCase{-1, -1, 150, {0, 150, 150}},         // short file: all of it
                      ClampCase{1050, 1250, 1050, {850, 1050, 200}}, // start exactly at the size
                      ClampCase{150, 350, 150, {0, 150, 150}},       // past the end of a short file
                      ClampCase{333, 533, 1050, {333, 533, 200}},    // an odd start stays
                      ClampCase{0, 1000, 1050, {0, 1000, 200}},      // end kept, count capped
                      ClampCase{-500, -300, 1050, {0, 200, 200}}));

TEST(ClampPage, StartNearTheLargestOffsetGivesTheLastPage) {
  EXPECT_EQ(ClampPage(kMax, kMax, 1050), (PageWindow{850, 1050, 200}));
  EXPECT_EQ(ClampPage(kMax - 100, SaturatingAdd(kMax - 100, 200), 1050), (PageWindow{850, 1050, 200}));
  EXPECT_EQ(ClampPage(kMax - 1, 0, kMax), (PageWindow{kMax - 1, kMax, 1}));
  EXPECT_EQ(ClampPage(kMax, kMax, kMax), (PageWindow{kMax - 200, kMax, 200}));
}

TEST(ClampPage, EndBeforeStartNearTheLargestSizeDoesNotOverflow) {
  // start + 200 would pass the largest offset; the end is cut at the size instead.
  EXPECT_EQ(ClampPage(kMax - 50, 0, kMax), (PageWindow{kMax - 50, kMax, 50}));
}

TEST(ClampPage, OffsetsBeyond32BitsAreKept) {
  const Offset fourGiB = Offset{1} << 32;
  EXPECT_EQ(ClampPage(fourGiB, fourGiB + 200, fourGiB + 1000), (PageWindow{fourGiB, fourGiB + 200, 200}));
  const Offset twoGiB = Offset{1} << 31;
  EXPECT_EQ(ClampPage(twoGiB - 1, twoGiB + 199, twoGiB + 50), (PageWindow{twoGiB - 1, twoGiB + 50, 51}));
  EXPECT_EQ(ClampPage(-1, -1, fourGiB), (PageWindow{0, 200, 200}));
}

TEST(ClampPage, NegativeSizeIsTreatedAsEmpty) {
  EXPECT_EQ(ClampPage(10, 20, -5), (PageWindow{0, 0, 0}));
}

TEST(SaturatingAdd, AddsInRangeAndHoldsAtTheLimits) {
  EXPECT_EQ(SaturatingAdd(1000, 200), 1200);
  EXPECT_EQ(SaturatingAdd(-1, 200), 199);
  EXPECT_EQ(SaturatingAdd(kMax - 199, 200), kMax);
  EXPECT_EQ(SaturatingAdd(kMax, 200), kMax);
  EXPECT_EQ(SaturatingAdd(kMax - 200, 200), kMax);
  EXPECT_EQ(SaturatingAdd(kMin + 10, -200), kMin);
  EXPECT_EQ(SaturatingAdd(kMin, -1), kMin);
  EXPECT_EQ(SaturatingAdd(kMin, kMax), -1);
}

// Values that stress the sums: around the 32-bit boundaries, the 64-bit limits and zero.
std::vector<Offset> InterestingOffsets() {
  std::vector<Offset> values;
  const Offset bases[] = {0,   200,  Offset{1} << 31,    Offset{1} << 32,   kMax,
                          -200, kMin, -(Offset{1} << 31), -(Offset{1} << 32)};
  for (const Offset base : bases) {
    for (Offset delta = -201; delta <= 201; delta += 67) {
      values.push_back(SaturatingAdd(base, delta));
    }
  }
  return values;
}

void ExpectWindowInvariants(Offset start, Offset end, Offset size) {
  const PageWindow w = ClampPage(start, end, size);
  SCOPED_TRACE(::testing::Message() << "start " << start << " end " << end << " size " << size);
  ASSERT_LE(0, w.start);
  ASSERT_LE(w.start, w.end);
  ASSERT_LE(w.end, size);
  const Offset span = w.end - w.start;
  ASSERT_EQ(w.count, span < kPageBytes ? span : kPageBytes);
  ASSERT_EQ(w.count == 0, size == 0);
  if (start >= 0 && start < size) {
    ASSERT_EQ(w.start, start);
  }
  if (start >= size && size > 0) {
    // A start past the end shows the file's last bytes.
    ASSERT_EQ(w.end, size);
    ASSERT_EQ(w.start, size > kPageBytes ? size - kPageBytes : 0);
  }
}

TEST(ClampPageProperties, HoldForRandomWindows) {
  std::mt19937_64 rng(20240601);
  std::uniform_int_distribution<Offset> any(kMin, kMax);
  std::uniform_int_distribution<Offset> small(-1000, 5000);
  std::uniform_int_distribution<Offset> sizes(0, kMax);
  for (int i = 0; i < 20000; ++i) {
    const Offset size = (i % 2 == 0) ? small(rng) & 0xFFF : sizes(rng);
    const Offset start = (i % 3 == 0) ? small(rng) : any(rng);
    const Offset end = (i % 5 == 0) ? SaturatingAdd(start, kPageBytes) : any(rng);
    ExpectWindowInvariants(start, end, size);
  }
}

TEST(ClampPageProperties, HoldAtTheBoundaries) {
  const std::vector<Offset> values = InterestingOffsets();
  for (const Offset size : values) {
    if (size < 0) {
      continue;
    }
    for (const Offset start : values) {
      for (const Offset end : {start, SaturatingAdd(start, 200), SaturatingAdd(start, 400), Offset{-1}, kMax}) {
        ExpectWindowInvariants(start, end, size);
      }
    }
  }
}

} // namespace
} // namespace vek
