#include "core/Search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "MappedFile.h"
#include "SearchReference.h"
#include "core/ByteScan.h"

namespace vek {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Status = SearchStatus;

// Bytes of a string literal, embedded zero bytes included.
template <std::size_t N> Bytes B(const char (&text)[N]) { return Bytes(text, text + N - 1); }

// A file in memory. Reads outside the file are a fault of the search, not of the file.
struct MemoryFile {
  Bytes bytes;
  std::atomic<int> reads = 0; // the search's workers read at the same time

  ReadAtFn Reader() {
    return [this](Offset offset, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
      ++reads;
      const auto fileSize = static_cast<Offset>(bytes.size());
      EXPECT_GE(offset, 0);
      EXPECT_LE(offset + static_cast<Offset>(size), fileSize) << "read past the end of the file";
      const Offset end = std::min<Offset>(offset + static_cast<Offset>(size), fileSize);
      if (offset >= end) return 0;
      std::memcpy(buffer, bytes.data() + offset, static_cast<std::size_t>(end - offset));
      return end - offset;
    };
  }

  SearchResult Search(Offset from, std::span<const std::uint8_t> pattern, const ProgressFn& progress = {}) {
    return SearchFile(Reader(), static_cast<Offset>(bytes.size()), from, pattern, progress);
  }
};

// What SearchFile must answer, as an offset with -1 for NotFound.
Offset Answer(const SearchResult& result) {
  EXPECT_TRUE(result.status == Status::Found || result.status == Status::NotFound);
  return result.status == Status::Found ? result.offset : -1;
}

Bytes RandomBytes(std::mt19937_64& rng, std::size_t size, const Bytes& alphabet) {
  Bytes out(size);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  for (auto& b : out) b = alphabet[pick(rng)];
  return out;
}

Bytes FullAlphabet() {
  Bytes all(256);
  for (int v = 0; v < 256; ++v) all[v] = static_cast<std::uint8_t>(v);
  return all;
}

void Plant(Bytes& file, std::size_t at, const Bytes& pattern) {
  if (at <= file.size() && pattern.size() <= file.size() - at) std::copy(pattern.begin(), pattern.end(), file.begin() + at);
}

// --- FindInPage --------------------------------------------------------------------------------

TEST(SearchPage, ReturnsTheFirstMatchInsideThePage) {
  EXPECT_EQ(FindInPage(B("xxABxxAB"), B("AB"), {}), 2);
  EXPECT_EQ(FindInPage(B("ABCD"), B("ABCD"), {}), 0);
  EXPECT_EQ(FindInPage(B("AAAA"), B("AA"), B("AA")), 0);
  EXPECT_EQ(FindInPage(B("xyz"), B("q"), B("q")), -1);
}

TEST(SearchPage, ComparesEveryBitOfEveryByte) {
  EXPECT_EQ(FindInPage(B("abc"), B("B"), {}), -1);
  const Bytes page = {0x00, 0x80, 0x7F, 0xFF};
  EXPECT_EQ(FindInPage(page, Bytes{0x80}, {}), 1);
  EXPECT_EQ(FindInPage(page, Bytes{0xFF}, {}), 3);
  EXPECT_EQ(FindInPage(page, Bytes{0x7F, 0x7F}, {}), -1);
}

TEST(SearchPage, EmptyPatternOrEmptyPageNeverMatches) {
  EXPECT_EQ(FindInPage(B("abc"), {}, B("d")), -1);
  EXPECT_EQ(FindInPage({}, B("a"), B("a")), -1);
}

TEST(SearchPage, CompletesACandidateWithTheFollowingBytes) {
  EXPECT_EQ(FindInPage(B("xxA"), B("AB"), B("Bq")), 2);
  EXPECT_EQ(FindInPage(B("xxA"), B("AB"), B("q")), -1);
  // A pattern longer than the page is found through the bytes after it.
  EXPECT_EQ(FindInPage(B("AB"), B("ABCDE"), B("CDEF")), 0);
  EXPECT_EQ(FindInPage(B("xA"), B("ABCDE"), B("BCDE")), 1);
}

TEST(SearchPage, CandidateRunningPastTheEndOfTheFileNeverMatches) {
  EXPECT_EQ(FindInPage(B("xxA"), B("AB"), {}), -1);
  EXPECT_EQ(FindInPage(B("AB"), B("ABC"), {}), -1);
  EXPECT_EQ(FindInPage(B("ABC"), B("ABCD"), B("")), -1);
}

TEST(SearchPage, NeverLooksAtMemoryBeyondThePageAndItsFollowingBytes) {
  // The bytes that complete the pattern lie in memory right after the spans, but not in the file.
  const Bytes memory = B("xxABCD");
  const std::span<const std::uint8_t> all(memory);
  EXPECT_EQ(FindInPage(all.first(3), B("AB"), all.subspan(3, 0)), -1);
  EXPECT_EQ(FindInPage(all.first(3), B("ABC"), all.subspan(3, 1)), -1);
  EXPECT_EQ(FindInPage(all.first(3), B("ABC"), all.subspan(3, 2)), 2);
}

TEST(SearchPage, AgreesWithEveryOffsetCheckedOnRandomPages) {
  std::mt19937_64 rng(11);
  const Bytes ab = B("AB");
  for (int trial = 0; trial < 3000; ++trial) {
    const std::size_t pageSize = rng() % (kPageBytes + 1);
    const std::size_t after = rng() % 12;
    const Bytes file = RandomBytes(rng, pageSize + after, ab);
    const Bytes pattern = RandomBytes(rng, 1 + rng() % 8, ab);
    const std::span<const std::uint8_t> all(file);
    const std::span<const std::uint8_t> page = all.first(pageSize);
    const std::vector<Offset> expected = testing::AllOccurrences(all, 0, pattern);
    const int want = !expected.empty() && expected.front() < static_cast<Offset>(pageSize)
                         ? static_cast<int>(expected.front())
                         : -1;
    ASSERT_EQ(FindInPage(page, pattern, all.subspan(pageSize)), want) << "trial " << trial;
    // pattern.size() - 1 following bytes decide every candidate as well as the rest of the file.
    const std::size_t enough = std::min(after, pattern.size() - 1);
    if (after >= pattern.size() - 1) {
      ASSERT_EQ(FindInPage(page, pattern, all.subspan(pageSize, enough)), want) << "trial " << trial;
    }
  }
}

// --- The candidate scan ------------------------------------------------------------------------

TEST(SearchScan, FilterBytesAreTheRarestAndDistinctPositions) {
  const ScanPlan plan = PlanScan(B("e\xE9 z\x00"));
  EXPECT_EQ(plan.first, 1u); // 0xE9: a high byte
  EXPECT_EQ(plan.second, 3u); // 'z': the rarest letter
  const ScanPlan same = PlanScan(B("AAAAAAAB"));
  EXPECT_NE(same.first, same.second);
  EXPECT_TRUE(same.first == 7 || same.second == 7);
  EXPECT_LT(ByteCommonness(0x9A), ByteCommonness('q'));
  EXPECT_LT(ByteCommonness('q'), ByteCommonness('e'));
  EXPECT_LT(ByteCommonness('e'), ByteCommonness(0x00));
}

TEST(SearchScan, VectorAndPortableScansAgreeWithEveryOffsetChecked) {
  std::mt19937_64 rng(21);
  const std::vector<Bytes> alphabets = {B("AB"), B("ABC"), B("\x00\xFF"), FullAlphabet()};
  for (int trial = 0; trial < 4000; ++trial) {
    const Bytes& alphabet = alphabets[trial % alphabets.size()];
    const Bytes pattern = RandomBytes(rng, 1 + rng() % (trial % 3 == 0 ? 40 : 6), alphabet);
    Bytes hay = RandomBytes(rng, pattern.size() - 1 + rng() % 300, alphabet);
    const std::size_t candidates = hay.size() - (pattern.size() - 1);
    if (candidates > 0 && rng() % 2) Plant(hay, rng() % candidates, pattern);
    const std::vector<Offset> all = testing::AllOccurrences(hay, 0, pattern);
    const std::ptrdiff_t want = all.empty() ? -1 : all.front();
    const ScanPlan plan = PlanScan(pattern);
    ASSERT_EQ(FindInBuffer(hay.data(), candidates, pattern, plan), want) << "trial " << trial;
    ASSERT_EQ(FindInBufferPortable(hay.data(), candidates, pattern, plan), want) << "trial " << trial;
  }
}

TEST(SearchScan, StopsAtTheLastCandidateEvenWhenMoreBytesMatch) {
  // The buffer holds the next block's beginning, which must not be taken as a match of this one.
  const Bytes hay = B("xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxAB");
  const Bytes pattern = B("AB");
  const ScanPlan plan = PlanScan(pattern);
  EXPECT_EQ(FindInBuffer(hay.data(), hay.size() - 2, pattern, plan), -1);
  EXPECT_EQ(FindInBuffer(hay.data(), hay.size() - 1, pattern, plan), static_cast<std::ptrdiff_t>(hay.size() - 2));
  EXPECT_EQ(FindInBufferPortable(hay.data(), hay.size() - 2, pattern, plan), -1);
}

// --- SearchFile: worked examples ---------------------------------------------------------------

TEST(SearchFile, FileShorterThanThePatternOrEmptyPatternIsNotFound) {
  MemoryFile empty;
  EXPECT_EQ(empty.Search(0, B("A")).status, Status::NotFound);
  MemoryFile file{B("ABC")};
  EXPECT_EQ(file.Search(0, B("ABCD")).status, Status::NotFound);
  EXPECT_EQ(file.Search(0, {}).status, Status::NotFound);
  EXPECT_EQ(file.reads, 0);
}

TEST(SearchFile, FileEqualToThePatternMatchesAtZero) {
  MemoryFile file{B("hello")};
  const SearchResult r = file.Search(0, B("hello"));
  EXPECT_EQ(r.status, Status::Found);
  EXPECT_EQ(r.offset, 0);
}

TEST(SearchFile, SuccessiveSearchesFromOnePastTheMatchFindOverlappingOccurrences) {
  MemoryFile file{B("AAAA")};
  EXPECT_EQ(Answer(file.Search(0, B("AA"))), 0);
  EXPECT_EQ(Answer(file.Search(1, B("AA"))), 1);
  EXPECT_EQ(Answer(file.Search(2, B("AA"))), 2);
  EXPECT_EQ(Answer(file.Search(3, B("AA"))), -1);
}

TEST(SearchFile, StartOutsideTheFile) {
  MemoryFile file{B("ABAB")};
  EXPECT_EQ(Answer(file.Search(-7, B("AB"))), 0);
  EXPECT_EQ(Answer(file.Search(4, B("AB"))), -1);
  EXPECT_EQ(Answer(file.Search(1000, B("AB"))), -1);
}

TEST(SearchFile, FindsMatchesAtTheEdgesOfPagesAndBlocks) {
  const Bytes pattern = B("needle-in-a-haystack");
  const auto block = static_cast<Offset>(kSearchBlockBytes);
  const std::vector<Offset> places = {0,
                                      kPageBytes - 1,
                                      kPageBytes - 5,
                                      3 * kPageBytes - 19,
                                      block - 20,
                                      block - 19,
                                      block - 1,
                                      block,
                                      2 * block - 7,
                                      3 * block + 1};
  const auto fileSize = static_cast<std::size_t>(3 * block + 100);
  for (Offset at : places) {
    MemoryFile file{Bytes(fileSize, 'h')};
    Plant(file.bytes, static_cast<std::size_t>(at), pattern);
    EXPECT_EQ(Answer(file.Search(0, pattern)), at);
    EXPECT_EQ(Answer(file.Search(at, pattern)), at);
    EXPECT_EQ(Answer(file.Search(at + 1, pattern)), -1);
  }
  // At the very end of the file, and one byte short of fitting.
  MemoryFile file{Bytes(fileSize, 'h')};
  Plant(file.bytes, fileSize - pattern.size(), pattern);
  EXPECT_EQ(Answer(file.Search(0, pattern)), static_cast<Offset>(fileSize - pattern.size()));
  file.bytes.pop_back();
  EXPECT_EQ(Answer(file.Search(0, pattern)), -1);
}

TEST(SearchFile, FindsPatternsLongerThanAPage) {
  std::mt19937_64 rng(5);
  const Bytes pattern = RandomBytes(rng, 300, FullAlphabet());
  MemoryFile file{RandomBytes(rng, 5000, FullAlphabet())};
  Plant(file.bytes, 4321, pattern);
  EXPECT_EQ(Answer(file.Search(0, pattern)), 4321);
}

TEST(SearchFile, FindsPatternsLongerThanABlock) {
  std::mt19937_64 rng(6);
  const Bytes pattern = RandomBytes(rng, 2 * kSearchBlockBytes + 77, B("AB"));
  MemoryFile file{RandomBytes(rng, 5 * kSearchBlockBytes, B("AB"))};
  const auto at = static_cast<Offset>(kSearchBlockBytes + 1234);
  Plant(file.bytes, static_cast<std::size_t>(at), pattern);
  EXPECT_EQ(Answer(file.Search(0, pattern)), at);
  EXPECT_EQ(Answer(file.Search(at + 1, pattern)), testing::PageByPageSearch(file.bytes, at + 1, pattern));
  // Only the last byte differs: every other byte of the candidate agrees.
  Bytes almost = pattern;
  almost.back() ^= 1;
  EXPECT_EQ(Answer(file.Search(0, almost)), testing::PageByPageSearch(file.bytes, 0, almost));
}

// --- SearchFile against the page-by-page search -------------------------------------------------

struct RandomCase {
  Bytes file;
  Bytes pattern;
  Offset from = 0;
};

RandomCase MakeRandomCase(std::mt19937_64& rng, std::size_t maxFileSize) {
  static const std::vector<Bytes> alphabets = {B("AB"), B("AB"), B("ABCD"), B("\x00\x01"), FullAlphabet()};
  const Bytes& alphabet = alphabets[rng() % alphabets.size()];
  RandomCase c;
  // Sizes cluster near multiples of the block, where the overlap between blocks is exercised.
  std::size_t size = rng() % (maxFileSize + 1);
  if (rng() % 3 == 0) {
    const std::size_t near = kSearchBlockBytes * (1 + rng() % 3);
    size = std::min(maxFileSize, near - 300 + rng() % 600);
  }
  c.file = RandomBytes(rng, size, alphabet);
  const std::size_t patternSize = rng() % 4 == 0 ? 1 + rng() % 300 : 1 + rng() % 12;
  c.pattern = RandomBytes(rng, patternSize, alphabet);
  if (!c.file.empty()) {
    const int planted = static_cast<int>(rng() % 4);
    for (int k = 0; k < planted; ++k) {
      std::size_t at = rng() % c.file.size();
      switch (rng() % 5) {
      case 0: at = 0; break;
      case 1: at = c.file.size() >= patternSize ? c.file.size() - patternSize : 0; break;
      case 2: at = (at / kPageBytes + 1) * kPageBytes - 1 - rng() % patternSize; break; // across a page edge
      case 3: at = (at / kSearchBlockBytes + 1) * kSearchBlockBytes - 1 - rng() % patternSize; break;
      default: break;
      }
      Plant(c.file, at, c.pattern);
    }
  }
  c.from = static_cast<Offset>(rng() % 4 == 0 ? 0 : rng() % (c.file.size() + 10)) - 5;
  return c;
}

// Both ways of getting the bytes, on the same random files: read (from memory) and mapped in place
// (the same bytes in a real file).
TEST(SearchFile, AgreesWithThePageByPageSearchOnRandomFilesReadOrMapped) {
  std::mt19937_64 rng(1234);
  const test::TempDir dir;
  for (int trial = 0; trial < 400; ++trial) {
    const RandomCase c = MakeRandomCase(rng, trial % 10 == 0 ? 700'000 : 20'000);
    MemoryFile file{c.file};
    test::CountingFile real(test::OpenForReading(dir.Write("random.bin", c.file)));
    const Offset expected = testing::PageByPageSearch(c.file, c.from, c.pattern);
    const int workers = 1 + trial % 4; // one worker as on a single core, and several
    const auto size = static_cast<Offset>(c.file.size());
    ASSERT_EQ(Answer(SearchFile(file.Reader(), size, c.from, c.pattern, {}, workers)), expected)
        << "trial " << trial << " size " << c.file.size() << " pattern " << c.pattern.size() << " from " << c.from;
    ASSERT_EQ(Answer(SearchFile(ReaderOf(real), size, c.from, c.pattern, {}, workers)), expected)
        << "mapped, trial " << trial;
    ASSERT_EQ(real.reads, 0);
  }
}

// The last match before an offset, against trying every offset downwards: a match that starts
// just before the offset (and runs past it), one at offset 0, offsets outside the file.
TEST(SearchFileBackward, AgreesWithTheLastOccurrenceBeforeTheOffsetReadOrMapped) {
  std::mt19937_64 rng(4321);
  const test::TempDir dir;
  for (int trial = 0; trial < 300; ++trial) {
    RandomCase c = MakeRandomCase(rng, trial % 10 == 0 ? 700'000 : 20'000);
    Offset before = c.from;
    if (!c.file.empty() && c.pattern.size() <= c.file.size()) {
      switch (trial % 4) {
      case 0: // a match starting just before the offset
        Plant(c.file, static_cast<std::size_t>(std::clamp<Offset>(before - 1, 0, c.file.size() - c.pattern.size())),
              c.pattern);
        before = std::clamp<Offset>(before, 1, static_cast<Offset>(c.file.size()));
        break;
      case 1: Plant(c.file, 0, c.pattern); break; // one at offset 0, perhaps the only one
      default: break;
      }
    }
    MemoryFile file{c.file};
    test::CountingFile real(test::OpenForReading(dir.Write("random.bin", c.file)));
    const Offset expected = testing::LastOccurrenceBefore(c.file, before, c.pattern);
    const int workers = 1 + trial % 4;
    const auto size = static_cast<Offset>(c.file.size());
    ASSERT_EQ(Answer(SearchFileBackward(file.Reader(), size, before, c.pattern, {}, workers)), expected)
        << "trial " << trial << " size " << c.file.size() << " pattern " << c.pattern.size() << " before " << before;
    ASSERT_EQ(Answer(SearchFileBackward(ReaderOf(real), size, before, c.pattern, {}, workers)), expected)
        << "mapped, trial " << trial;
  }
}

TEST(SearchFileBackward, WorkedExamples) {
  MemoryFile file{B("ABxxABxAB")};
  struct Case {
    Offset before;
    Offset expected;
  };
  for (const Case c : std::vector<Case>{{9, 7}, {8, 7}, {7, 4}, {5, 4}, {4, 0}, {1, 0}, {0, -1}, {-3, -1}, {1000, 7}}) {
    EXPECT_EQ(Answer(SearchFileBackward(file.Reader(), 9, c.before, B("AB"))), c.expected) << c.before;
  }
  EXPECT_EQ(Answer(SearchFileBackward(file.Reader(), 9, 9, B("ABxxABxABx"))), -1);
  EXPECT_EQ(Answer(SearchFileBackward(file.Reader(), 9, 9, {})), -1);
}

// Backwards, the blocks come from the offset down: a failed read above the last match (nearer the
// offset) is a ReadError, one below it does not matter; progress goes down and false cancels.
TEST(SearchFileBackward, AReadFailureCountsOnlyAboveTheLastMatchAndProgressGoesDown) {
  const auto block = static_cast<Offset>(kSearchBlockBytes);
  MemoryFile file{Bytes(static_cast<std::size_t>(6 * block), 'x')};
  Plant(file.bytes, static_cast<std::size_t>(3 * block + 10), B("MID"));
  const ReadAtFn inner = file.Reader();
  const auto failingIn = [&](Offset failing) {
    return ReadAtFn([&inner, failing, block](Offset offset, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
      return offset / block == failing || (offset + static_cast<Offset>(size) - 1) / block == failing
                 ? -1
                 : inner(offset, buffer, size);
    });
  };
  const auto size = static_cast<Offset>(file.bytes.size());
  for (const int workers : {1, 2, 4}) {
    SCOPED_TRACE(workers);
    EXPECT_EQ(SearchFileBackward(failingIn(5), size, size, B("MID"), {}, workers).status, Status::ReadError);
    EXPECT_EQ(Answer(SearchFileBackward(failingIn(1), size, size, B("MID"), {}, workers)), 3 * block + 10);
    std::vector<Offset> reported;
    const SearchResult found = SearchFileBackward(file.Reader(), size, size, B("MID"), [&](Offset at) {
      reported.push_back(at);
      return true;
    }, workers);
    EXPECT_EQ(Answer(found), 3 * block + 10);
    EXPECT_TRUE(std::is_sorted(reported.rbegin(), reported.rend()));
    // The first block judged: the last block-full of candidates (the last one is size - 3).
    EXPECT_NE(std::find(reported.begin(), reported.end(), size - 2 - block), reported.end());
    int asked = 0;
    EXPECT_EQ(SearchFileBackward(file.Reader(), size, size, B("NONE"), [&](Offset) { return ++asked < 2; }, workers)
                  .status,
              Status::Cancelled);
  }
}

TEST(SearchFile, RepeatedSearchesFromOnePastEachMatchVisitEveryOccurrence) {
  std::mt19937_64 rng(77);
  for (int trial = 0; trial < 60; ++trial) {
    const RandomCase c = MakeRandomCase(rng, 3000);
    const std::vector<Offset> expected = testing::AllOccurrences(c.file, 0, c.pattern);
    MemoryFile file{c.file};
    std::vector<Offset> visited;
    for (Offset from = 0;;) {
      const Offset m = Answer(file.Search(from, c.pattern));
      if (m < 0) break;
      visited.push_back(m);
      from = m + 1;
    }
    ASSERT_EQ(visited, expected) << "trial " << trial;
  }
}

// --- Failures and cancelling -------------------------------------------------------------------

// A read that fails in a block before the first match is a ReadError; one in a block after it
// does not matter, however the workers share the blocks.
TEST(SearchFile, AReadFailureCountsOnlyBeforeTheFirstMatch) {
  const auto block = static_cast<Offset>(kSearchBlockBytes);
  MemoryFile file{Bytes(static_cast<std::size_t>(6 * block), 'x')};
  Plant(file.bytes, static_cast<std::size_t>(5 * block + 10), B("END"));
  const ReadAtFn inner = file.Reader();
  const ReadAtFn failsInBlock2 = [&](Offset offset, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
    return offset / block == 2 ? -1 : inner(offset, buffer, size);
  };
  const auto fileSize = static_cast<Offset>(file.bytes.size());
  for (const int workers : {1, 2, 4}) {
    SCOPED_TRACE(workers);
    EXPECT_EQ(SearchFile(failsInBlock2, fileSize, 0, B("END"), {}, workers).status, Status::ReadError);
    Bytes early = file.bytes;
    Plant(early, 100, B("END"));
    MemoryFile withEarlyMatch{early};
    const ReadAtFn innerEarly = withEarlyMatch.Reader();
    const ReadAtFn earlyFailsInBlock2 = [&](Offset offset, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
      return offset / block == 2 ? -1 : innerEarly(offset, buffer, size);
    };
    const SearchResult found = SearchFile(earlyFailsInBlock2, fileSize, 0, B("END"), {}, workers);
    EXPECT_EQ(found.status, Status::Found);
    EXPECT_EQ(found.offset, 100);
  }
}

TEST(SearchFile, ShortReadOfAFileThatShrankIsAReadError) {
  MemoryFile file{Bytes(1000, 'x')};
  Plant(file.bytes, 990, B("END"));
  const ReadAtFn shrunk = [&](Offset offset, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
    const std::size_t n = std::min<std::size_t>(size, 500 - std::min<Offset>(offset, 500));
    std::memcpy(buffer, file.bytes.data() + offset, n);
    return static_cast<std::int64_t>(n);
  };
  EXPECT_EQ(SearchFile(shrunk, 1000, 0, B("END")).status, Status::ReadError);
}

TEST(SearchFile, ProgressReportsEachBlockAndFalseCancels) {
  const auto block = static_cast<Offset>(kSearchBlockBytes);
  MemoryFile file{Bytes(static_cast<std::size_t>(5 * block), 'x')};
  Plant(file.bytes, file.bytes.size() - 4, B("TAIL"));

  std::vector<Offset> reported;
  const SearchResult done = file.Search(0, B("TAIL"), [&](Offset upTo) {
    reported.push_back(upTo);
    return true;
  });
  EXPECT_EQ(done.status, Status::Found);
  EXPECT_EQ(done.offset, 5 * block - 4);
  // After each block but the last (and with the same offset again while waiting for a block).
  EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
  for (Offset k = 1; k < 5; ++k) {
    EXPECT_NE(std::find(reported.begin(), reported.end(), k * block), reported.end()) << "block " << k;
  }
  EXPECT_LE(reported.back(), 5 * block - 4);

  for (const int workers : {1, 2}) {
    file.reads = 0;
    int asked = 0;
    const SearchResult cancelled = SearchFile(file.Reader(), static_cast<Offset>(file.bytes.size()), 0, B("TAIL"),
                                              [&](Offset) { return ++asked < 2; }, workers);
    EXPECT_EQ(cancelled.status, Status::Cancelled);
    EXPECT_EQ(asked, 2);
    // The blocks judged, and at most the two per worker scanned ahead of them.
    EXPECT_LE(file.reads, 2 + 2 * workers);
  }
}

TEST(SearchFile, SingleBlockSearchNeverAsksForProgress) {
  MemoryFile file{Bytes(1000, 'x')};
  bool asked = false;
  EXPECT_EQ(file.Search(0, B("y"), [&](Offset) { return asked = true, false; }).status, Status::NotFound);
  EXPECT_FALSE(asked);
}

// --- Files beyond 4 GiB ------------------------------------------------------------------------

// A file of zeros with one marker, never held in memory as a whole.
struct SparseFile {
  Offset size = 0;
  Offset markerAt = 0;
  Bytes marker;

  ReadAtFn Reader() const {
    return [this](Offset offset, std::uint8_t* buffer, std::size_t count) -> std::int64_t {
      const Offset end = std::min<Offset>(offset + static_cast<Offset>(count), size);
      if (offset < 0 || offset >= end) return offset == size ? 0 : -1;
      std::memset(buffer, 0, static_cast<std::size_t>(end - offset));
      for (std::size_t k = 0; k < marker.size(); ++k) {
        const Offset at = markerAt + static_cast<Offset>(k);
        if (at >= offset && at < end) buffer[at - offset] = marker[k];
      }
      return end - offset;
    };
  }
};

TEST(SearchFile, FindsAMarkerPastFourGiBInAFiveGiBFile) {
  constexpr Offset kGiB = Offset{1} << 30;
  SparseFile file{5 * kGiB, 5 * kGiB - 1000, B("\x7FVEK\x01\x00MARK")};
  const Bytes marker = file.marker;
  // Read from the first byte through the 2 GiB and 4 GiB lines.
  const SearchResult fromLow = SearchFile(file.Reader(), file.size, 0, marker);
  EXPECT_EQ(fromLow.status, Status::Found);
  EXPECT_EQ(fromLow.offset, 5 * kGiB - 1000);
  EXPECT_EQ(Answer(SearchFile(file.Reader(), file.size, 5 * kGiB - 999, marker)), -1);

  // A marker straddling 4 GiB, where a 32-bit offset would wrap to zero.
  file.markerAt = 4 * kGiB - 3;
  EXPECT_EQ(Answer(SearchFile(file.Reader(), file.size, 4 * kGiB - 3 * static_cast<Offset>(kSearchBlockBytes),
                              marker)),
            4 * kGiB - 3);
  // Straddling 2 GiB, where a signed 32-bit offset would turn negative.
  file.markerAt = 2 * kGiB - 5;
  EXPECT_EQ(Answer(SearchFile(file.Reader(), file.size, 2 * kGiB - 3 * static_cast<Offset>(kSearchBlockBytes) - 1,
                              marker)),
            2 * kGiB - 5);
}

// --- FindAll: every occurrence in one pass --------------------------------------------------

Status FindAllInto(const ReadAtFn& readAt, Offset fileSize, std::span<const std::uint8_t> pattern,
                   std::vector<Offset>& found) {
  return FindAll(readAt, fileSize, pattern,
                 [&found](std::span<const Offset> matches) { found.insert(found.end(), matches.begin(), matches.end()); });
}

std::vector<Offset> FindAllOffsets(MemoryFile& file, const Bytes& pattern, Status expected) {
  std::vector<Offset> found;
  EXPECT_EQ(FindAllInto(file.Reader(), static_cast<Offset>(file.bytes.size()), pattern, found), expected);
  return found;
}

TEST(FindAll, ReportsEveryOccurrenceOverlapsAndBlockSeamsIncluded) {
  struct Case {
    const char* name;
    Bytes file;
    Bytes pattern;
  };
  std::mt19937_64 rng(7);
  const Bytes seams = RandomBytes(rng, 3 * kSearchBlockBytes + 1234, B("ab"));
  std::vector<Case> cases = {
      {"overlapping", B("aaaabaa"), B("aa")},
      {"one byte", B("aaaabaa"), B("a")},
      {"the whole file", B("aaaabaa"), B("aaaabaa")},
      {"empty file", {}, B("a")},
      {"shorter than the pattern", B("ab"), B("abc")},
      {"empty pattern", B("ab"), {}},
  };
  for (const char* text : {"ab", "bba", "aaaaaaaaaaa", "babbabaabbbab"}) {
    cases.push_back({text, seams, Bytes(text, text + std::strlen(text))});
  }
  // A match cut by the seam between two blocks at each of its bytes.
  for (std::size_t before = 1; before < 5; ++before) {
    Bytes file(2 * kSearchBlockBytes, 0);
    Plant(file, kSearchBlockBytes - before, B("\xDE\xAD\xBE\xEF\x01"));
    cases.push_back({"straddling", file, B("\xDE\xAD\xBE\xEF\x01")});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryFile file{c.file};
    const std::vector<Offset> expected = testing::AllOccurrences(c.file, 0, c.pattern);
    EXPECT_EQ(FindAllOffsets(file, c.pattern, expected.empty() ? Status::NotFound : Status::Found), expected);
  }
}

TEST(FindAll, AFailedOrShortReadStopsWithAReadErrorKeepingEarlierMatches) {
  std::mt19937_64 rng(3);
  MemoryFile file{RandomBytes(rng, 3 * kSearchBlockBytes, B("ab"))};
  for (const std::int64_t failure : {std::int64_t{-1}, std::int64_t{10}}) {
    const ReadAtFn inner = file.Reader();
    const ReadAtFn failSecond = [&](Offset offset, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
      return offset / static_cast<Offset>(kSearchBlockBytes) == 1 ? failure : inner(offset, buffer, size);
    };
    std::vector<Offset> found;
    EXPECT_EQ(FindAllInto(failSecond, static_cast<Offset>(file.bytes.size()), B("aba"), found), Status::ReadError)
        << failure;
    ASSERT_FALSE(found.empty());
    EXPECT_LT(found.back(), static_cast<Offset>(kSearchBlockBytes));
  }
}

TEST(FindAll, ProgressReportsEachBlockAndFalseCancelsKeepingTheMatchesBefore) {
  const auto block = static_cast<Offset>(kSearchBlockBytes);
  MemoryFile file{Bytes(static_cast<std::size_t>(5 * block), 'x')};
  for (Offset k = 0; k < 5; ++k) Plant(file.bytes, static_cast<std::size_t>(k * block + 7), B("MARK"));
  const auto size = static_cast<Offset>(file.bytes.size());
  const std::vector<Offset> all = testing::AllOccurrences(file.bytes, 0, B("MARK"));
  for (const int workers : {1, 2, 4}) {
    SCOPED_TRACE(workers);
    std::vector<Offset> found;
    std::vector<Offset> reported;
    const auto collect = [&found](std::span<const Offset> matches) { found.insert(found.end(), matches.begin(), matches.end()); };
    EXPECT_EQ(FindAll(file.Reader(), size, B("MARK"), collect, workers, CaseFolding::None,
                      [&](Offset upTo) {
                        reported.push_back(upTo);
                        return true;
                      }),
              Status::Found);
    EXPECT_EQ(found, all);
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
    for (Offset k = 1; k < 5; ++k) {
      EXPECT_NE(std::find(reported.begin(), reported.end(), k * block), reported.end()) << "block " << k;
    }

    found.clear();
    int asked = 0;
    EXPECT_EQ(FindAll(file.Reader(), size, B("MARK"), collect, workers, CaseFolding::None,
                      [&](Offset) { return ++asked < 3; }),
              Status::Cancelled);
    EXPECT_EQ(asked, 3);
    // What was handed over before the cancel is the start of the whole answer.
    ASSERT_LT(found.size(), all.size());
    EXPECT_TRUE(std::equal(found.begin(), found.end(), all.begin()));
  }
}

} // namespace
} // namespace vek
