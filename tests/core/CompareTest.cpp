// The comparison of two files on every core against the plain definition: every offset below the
// shorter length where the bytes differ, then the shorter file's end when the lengths differ.

#include "core/Compare.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "MappedFile.h"
#include "core/ByteCompare.h"
#include "core/ByteScan.h"

namespace vek {
namespace {

using test::Bytes;
constexpr auto kBlock = kSearchBlockBytes;

struct Reference {
  std::vector<Offset> offsets; // the byte differences
  bool lengthsDiffer = false;
  Offset end = 0; // the shorter length
};

Reference Differences(const Bytes& a, const Bytes& b) {
  Reference r;
  r.end = static_cast<Offset>(std::min(a.size(), b.size()));
  for (Offset i = 0; i < r.end; ++i) {
    if (a[i] != b[i]) r.offsets.push_back(i);
  }
  r.lengthsDiffer = a.size() != b.size();
  return r;
}

// What FirstDifference from `from` must find: an offset, the shorter end (as its length), or -1.
Offset FirstExpected(const Reference& r, Offset from) {
  const auto it = std::lower_bound(r.offsets.begin(), r.offsets.end(), from);
  if (it != r.offsets.end()) return *it;
  return r.lengthsDiffer && from <= r.end ? r.end : -1;
}

Offset LastExpected(const Reference& r, Offset before) {
  if (r.lengthsDiffer && before > r.end) return r.end;
  const auto it = std::lower_bound(r.offsets.begin(), r.offsets.end(), before);
  return it == r.offsets.begin() ? -1 : *(it - 1);
}

ReadAtFn MemoryReader(const Bytes& bytes) {
  return [&bytes](Offset offset, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
    EXPECT_LE(offset + static_cast<Offset>(size), static_cast<Offset>(bytes.size())) << "read past the end";
    std::memcpy(buffer, bytes.data() + offset, size);
    return static_cast<std::int64_t>(size);
  };
}

struct Pair {
  std::string name;
  Bytes a;
  Bytes b;
};

std::vector<Pair> MakePairs() {
  std::mt19937_64 rng(99);
  const auto random = [&](std::size_t size) {
    Bytes bytes(size);
    for (auto& v : bytes) v = static_cast<std::uint8_t>(rng());
    return bytes;
  };
  std::vector<Pair> pairs;
  const Bytes base = random(2 * kBlock + 4321);
  pairs.push_back({"equal", base, base});
  for (const std::size_t at : {std::size_t{0}, kBlock - 1, kBlock, 2 * kBlock - 1, 2 * kBlock, 2 * kBlock + 4320}) {
    Bytes other = base;
    other[at] ^= 0x5A;
    pairs.push_back({"one difference at " + std::to_string(at), base, other});
  }
  Bytes shorter(base.begin(), base.begin() + static_cast<std::ptrdiff_t>(kBlock + 17));
  pairs.push_back({"a prefix of the other", base, shorter});
  pairs.push_back({"the other a prefix", shorter, base});
  Bytes shorterChanged = shorter;
  shorterChanged[kBlock - 3] ^= 1;
  pairs.push_back({"shorter and different", shorterChanged, base});
  pairs.push_back({"an empty file", Bytes{}, base});
  pairs.push_back({"both empty", Bytes{}, Bytes{}});
  Bytes many = base;
  for (std::size_t at = 7; at < many.size(); at += 1 + rng() % 150) many[at] = static_cast<std::uint8_t>(~many[at]);
  pairs.push_back({"many differences", base, many});
  pairs.push_back({"all different", base, random(base.size())});
  const Bytes small = random(5000);
  Bytes smallOther = small;
  for (std::size_t at = 0; at < small.size(); at += 97) smallOther[at] ^= 0x80;
  pairs.push_back({"one block", small, smallOther});
  return pairs;
}

TEST(ByteCompare, FindDifferenceFindsTheFirstDifferingByteAnywhereInAWord) {
  Bytes a(300, 7);
  for (std::size_t at = 0; at < a.size(); ++at) {
    Bytes b = a;
    b[at] = 8;
    for (const std::size_t from : {std::size_t{0}, at / 2, at}) {
      ASSERT_EQ(FindDifference(a.data(), b.data(), from, a.size()), at) << at;
    }
    ASSERT_EQ(FindDifference(a.data(), b.data(), at + 1, a.size()), a.size());
    ASSERT_EQ(FindDifference(a.data(), b.data(), 0, at), at) << "the count ends the look";
  }
}

// Every pair, read from memory and mapped from real files, with one to four workers: all the
// differences in order with both bytes; the first one from offsets around the ends and around
// some differences, the last one before them (each offset with its own count of workers).
TEST(Compare, AgreesWithTheByteForByteDefinitionReadOrMapped) {
  const test::TempDir dir;
  for (const Pair& pair : MakePairs()) {
    const Reference expected = Differences(pair.a, pair.b);
    test::CountingFile fileA(test::OpenForReading(dir.Write("a.bin", pair.a)));
    test::CountingFile fileB(test::OpenForReading(dir.Write("b.bin", pair.b)));
    const ScanSource memoryA = MemoryReader(pair.a);
    const ScanSource memoryB = MemoryReader(pair.b);
    const ScanSource mappedA = ReaderOf(fileA);
    const ScanSource mappedB = ReaderOf(fileB);
    for (const bool mapped : {false, true}) {
      const CompareSide a{mapped ? mappedA : memoryA, static_cast<Offset>(pair.a.size())};
      const CompareSide b{mapped ? mappedB : memoryB, static_cast<Offset>(pair.b.size())};
      for (int workers = 1; workers <= 4; ++workers) {
        SCOPED_TRACE(pair.name + (mapped ? ", mapped" : ", read") + ", workers " + std::to_string(workers));
        std::vector<Offset> offsets;
        bool bytesRight = true;
        const SearchStatus all = AllDifferences(
            a, b,
            [&](std::span<const Offset> found, std::span<const std::uint8_t> pairs) {
              ASSERT_EQ(pairs.size(), 2 * found.size());
              for (std::size_t k = 0; k < found.size(); ++k) {
                bytesRight = bytesRight && pairs[2 * k] == pair.a[found[k]] && pairs[2 * k + 1] == pair.b[found[k]];
              }
              offsets.insert(offsets.end(), found.begin(), found.end());
            },
            {}, workers);
        EXPECT_EQ(all, expected.offsets.empty() && !expected.lengthsDiffer ? SearchStatus::NotFound : SearchStatus::Found);
        EXPECT_EQ(offsets, expected.offsets);
        EXPECT_TRUE(bytesRight);
      }
      // Around the ends and around the first, a middle and the last difference.
      std::vector<Offset> probes = {-5, 0, expected.end, expected.end + 1};
      if (!expected.offsets.empty()) {
        for (const Offset o : {expected.offsets.front(), expected.offsets[expected.offsets.size() / 2],
                               expected.offsets.back()}) {
          probes.insert(probes.end(), {o - 1, o, o + 1});
        }
      }
      for (std::size_t p = 0; p < probes.size(); ++p) {
        const Offset at = probes[p];
        const int probeWorkers = 1 + static_cast<int>(p % 4);
        SCOPED_TRACE(pair.name + (mapped ? ", mapped" : ", read") + ", workers " + std::to_string(probeWorkers));
        const CompareResult next = FirstDifference(a, b, at, {}, probeWorkers);
        const Offset want = FirstExpected(expected, at);
        ASSERT_EQ(next.status, want < 0 ? SearchStatus::NotFound : SearchStatus::Found) << "from " << at;
        ASSERT_EQ(next.difference.offset, want) << "from " << at;
        ASSERT_EQ(next.difference.atEnd, want >= 0 && want == expected.end && expected.lengthsDiffer);
        if (want >= 0 && !next.difference.atEnd) {
          ASSERT_EQ(next.difference.first, pair.a[want]);
          ASSERT_EQ(next.difference.second, pair.b[want]);
        }
        const CompareResult last = LastDifferenceBefore(a, b, at, {}, probeWorkers);
        ASSERT_EQ(last.difference.offset, LastExpected(expected, at)) << "before " << at;
      }
    }
    EXPECT_EQ(fileA.reads + fileB.reads, 0) << pair.name << ": regular files are compared in place";
  }
}

// A file cut short while it is compared: a read error, never a crash, the differences before the
// cut handed over; the progress report cuts it, so the blocks past the cut are compared after it.
TEST(Compare, AFileCutShortDuringTheComparisonIsAReadError) {
  const test::TempDir dir;
  constexpr Offset kMiB = Offset{1} << 20;
  const Offset size = 24 * kMiB;
  for (int workers = 1; workers <= 4; ++workers) {
    SCOPED_TRACE(workers);
    const std::string pathA = test::WriteSparse(dir, "a.bin", size, {{10, {1}}, {20 * kMiB, {2}}});
    const std::string pathB = test::WriteSparse(dir, "b.bin", size, {});
    test::CountingFile fileA(test::OpenForReading(pathA));
    test::CountingFile fileB(test::OpenForReading(pathB));
    const CompareSide a{ReaderOf(fileA), size};
    const CompareSide b{ReaderOf(fileB), size};
    bool cut = false;
    const ProgressFn cutB = [&](Offset) {
      if (!cut) cut = ::truncate(pathB.c_str(), 5 * kMiB) == 0;
      return true;
    };
    EXPECT_EQ(FirstDifference(a, b, 11, cutB, workers).status, SearchStatus::ReadError);
    EXPECT_TRUE(cut);
    ASSERT_EQ(::truncate(pathB.c_str(), size), 0);
    cut = false;
    std::vector<Offset> offsets;
    const SearchStatus all = AllDifferences(
        a, b, [&](std::span<const Offset> found, std::span<const std::uint8_t>) {
          offsets.insert(offsets.end(), found.begin(), found.end());
        },
        cutB, workers);
    EXPECT_EQ(all, SearchStatus::ReadError);
    EXPECT_EQ(offsets, std::vector<Offset>{10});
  }
}

TEST(Compare, ProgressGoesBothWaysAndFalseCancels) {
  const Bytes a(4 * kBlock, 1);
  Bytes b = a;
  b[2 * kBlock + 5] = 0;
  const ScanSource sa = MemoryReader(a);
  const ScanSource sb = MemoryReader(b);
  const CompareSide first{sa, static_cast<Offset>(a.size())};
  const CompareSide second{sb, static_cast<Offset>(b.size())};
  std::vector<Offset> up;
  EXPECT_EQ(FirstDifference(first, second, 0, [&](Offset at) { return up.push_back(at), true; }).difference.offset,
            static_cast<Offset>(2 * kBlock + 5));
  EXPECT_TRUE(std::is_sorted(up.begin(), up.end()));
  std::vector<Offset> down;
  EXPECT_EQ(LastDifferenceBefore(first, second, static_cast<Offset>(a.size()), [&](Offset at) {
              return down.push_back(at), true;
            }).difference.offset,
            static_cast<Offset>(2 * kBlock + 5));
  EXPECT_TRUE(std::is_sorted(down.rbegin(), down.rend()));
  ASSERT_FALSE(down.empty());
  EXPECT_EQ(down.front(), static_cast<Offset>(3 * kBlock));
  const Bytes same = a;
  const ScanSource ss = MemoryReader(same);
  EXPECT_EQ(FirstDifference(first, {ss, static_cast<Offset>(same.size())}, 0, [](Offset) { return false; }).status,
            SearchStatus::Cancelled);
  EXPECT_EQ(AllDifferences(first, {ss, static_cast<Offset>(same.size())}, {}, [](Offset) { return false; }),
            SearchStatus::Cancelled);
}

} // namespace
} // namespace vek
