// The search with ASCII case folding, on both scan paths and through the file and stream searches,
// against the reference, which folds with the C library's tolower.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "core/ByteScan.h"
#include "core/Search.h"
#include "core/StreamSearch.h"
#include "SearchReference.h"

namespace vek {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes B(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes Random(std::mt19937_64& rng, std::size_t size, const Bytes& alphabet) {
  Bytes out(size);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  for (auto& b : out) b = alphabet[pick(rng)];
  return out;
}

// The same bytes with the case of each ASCII letter flipped at random.
Bytes ScrambleCase(std::mt19937_64& rng, Bytes bytes) {
  for (auto& b : bytes) {
    if (std::isalpha(b) && rng() % 2) b = static_cast<std::uint8_t>(std::isupper(b) ? std::tolower(b) : std::toupper(b));
  }
  return bytes;
}

Bytes EveryByteValue() {
  Bytes all(256);
  for (int v = 0; v < 256; ++v) all[v] = static_cast<std::uint8_t>(v);
  return all;
}

std::ptrdiff_t First(const std::vector<Offset>& all) { return all.empty() ? -1 : static_cast<std::ptrdiff_t>(all.front()); }

// Both scan paths over the whole buffer, as the file search calls them.
void ExpectBothPaths(const Bytes& hay, const Bytes& pattern, CaseFolding folding, std::ptrdiff_t want) {
  ASSERT_GE(hay.size() + 1, pattern.size());
  const std::size_t candidates = hay.size() + 1 - pattern.size();
  const ScanPlan plan = PlanScan(pattern, folding);
  EXPECT_EQ(FindInBuffer(hay.data(), candidates, pattern, plan), want) << "vector path";
  EXPECT_EQ(FindInBufferPortable(hay.data(), candidates, pattern, plan), want) << "portable path";
}

TEST(FoldedScan, OnlyAsciiLettersMatchTheirOtherCase) {
  struct Case {
    const char* hay;
    const char* pattern;
    CaseFolding folding;
    std::ptrdiff_t want;
  };
  const Case cases[] = {
      {"xxAbxxab", "aB", CaseFolding::Ascii, 2},
      {"xxAbxxab", "aB", CaseFolding::None, -1},
      {"xxAbxxaB", "aB", CaseFolding::None, 6},
      {"abc", "ABC", CaseFolding::Ascii, 0},
      {"ABC", "abc", CaseFolding::Ascii, 0},
      {"a1-b2A1-B2", "A1-b2", CaseFolding::Ascii, 0},
      {"zZ", "Z", CaseFolding::Ascii, 0},
      // Bytes one case bit away from each other that are not letters stay apart.
      {"@@@`", "`", CaseFolding::Ascii, 3},
      {"`@", "@", CaseFolding::Ascii, 1},
      {"[[{", "{", CaseFolding::Ascii, 2},
      {"^~", "~", CaseFolding::Ascii, 1},
      {"\x01!", "!", CaseFolding::Ascii, 1},
      {"1Q", "q", CaseFolding::Ascii, 1},
      // Letters of a code page above 0x7F do not fold: Windows-1252 0xC1 and 0xE1 are A and a acute.
      {"\xC1\xE1", "\xE1", CaseFolding::Ascii, 1},
      {"\xC1x\xE1X", "\xE1x", CaseFolding::Ascii, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.hay) + " / " + c.pattern);
    // Alone, and behind enough filler for the vector loop's rounds of 128 candidates.
    for (const std::size_t filler : {std::size_t{0}, std::size_t{300}}) {
      Bytes hay(filler, '.');
      const Bytes text = B(c.hay);
      hay.insert(hay.end(), text.begin(), text.end());
      const std::ptrdiff_t want = c.want < 0 ? -1 : c.want + static_cast<std::ptrdiff_t>(filler);
      ExpectBothPaths(hay, B(c.pattern), c.folding, want);
    }
  }
}

TEST(FoldedScan, BothPathsAgreeWithTheReferenceOnRandomBytes) {
  std::mt19937_64 rng(23);
  // Few values, so that the filters and the full comparison are hit often; case-bit neighbours
  // of letters ('@', '`', '[', '{', '^', '~'); every value.
  const std::vector<Bytes> alphabets = {B("aA"), B("aAbB@`"), B("zZ[{^~"), B("qQ\xD1\xF1"), EveryByteValue()};
  for (int trial = 0; trial < 6000; ++trial) {
    const Bytes& alphabet = alphabets[trial % alphabets.size()];
    const Bytes pattern = Random(rng, 1 + rng() % (trial % 3 == 0 ? 40 : 6), alphabet);
    Bytes hay = Random(rng, pattern.size() - 1 + rng() % 600, alphabet);
    const std::size_t candidates = hay.size() + 1 - pattern.size();
    if (candidates > 0 && rng() % 2) {
      const Bytes planted = ScrambleCase(rng, pattern);
      std::copy(planted.begin(), planted.end(), hay.begin() + static_cast<std::ptrdiff_t>(rng() % candidates));
    }
    SCOPED_TRACE("trial " + std::to_string(trial));
    ExpectBothPaths(hay, pattern, CaseFolding::Ascii, First(testing::AllOccurrences(hay, 0, pattern, true)));
    if (::testing::Test::HasFailure()) return;
  }
}

// The file search calls the scan again after each match; every offset of a buffer that holds one
// case of the pattern's letter everywhere must come back, whichever case the pattern has.
TEST(FoldedScan, RestartingAfterEachMatchVisitsEveryOffset) {
  const Bytes hay(20000, 'A');
  for (const Bytes& pattern : {B("a"), B("A"), B("aA"), B("aaaa")}) {
    const ScanPlan plan = PlanScan(pattern, CaseFolding::Ascii);
    const std::size_t candidates = hay.size() + 1 - pattern.size();
    for (const bool vector : {true, false}) {
      std::size_t visited = 0;
      for (std::size_t at = 0; at < candidates; ++at) {
        const std::ptrdiff_t hit = vector ? FindInBuffer(hay.data() + at, candidates - at, pattern, plan)
                                          : FindInBufferPortable(hay.data() + at, candidates - at, pattern, plan);
        ASSERT_EQ(hit, 0) << "offset " << at << (vector ? " vector" : " portable");
        ++visited;
      }
      EXPECT_EQ(visited, candidates);
    }
  }
}

ReadAtFn MemoryReader(const Bytes& bytes) {
  return [&bytes](Offset offset, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
    const std::size_t n = std::min(size, bytes.size() - static_cast<std::size_t>(offset));
    std::memcpy(buffer, bytes.data() + offset, n);
    return static_cast<std::int64_t>(n);
  };
}

std::vector<Offset> FindAllFolded(const Bytes& file, const Bytes& pattern, int workers) {
  std::vector<Offset> found;
  FindAll(MemoryReader(file), static_cast<Offset>(file.size()), pattern,
          [&found](std::span<const Offset> matches) { found.insert(found.end(), matches.begin(), matches.end()); },
          workers, CaseFolding::Ascii);
  return found;
}

std::vector<Offset> FindAllInStreamFolded(const Bytes& bytes, const Bytes& pattern, std::size_t blockBytes) {
  std::size_t position = 0;
  const ReadNextFn readNext = [&](std::uint8_t* buffer, std::size_t size) -> std::int64_t {
    const std::size_t n = std::min(size, bytes.size() - position);
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(position), n, buffer);
    position += n;
    return static_cast<std::int64_t>(n);
  };
  std::vector<Offset> found;
  FindAllInStream(readNext, pattern, [&found](Offset at) { found.push_back(at); }, blockBytes, CaseFolding::Ascii);
  return found;
}

TEST(FoldedSearch, FileAndStreamFindEveryOccurrenceAcrossBlockSeams) {
  std::mt19937_64 rng(5);
  Bytes file = Random(rng, 3 * kSearchBlockBytes + 999, B("aAbB"));
  // A rare marker in mixed case, cut by each block seam at one of its bytes.
  const Bytes marker = B("VeK-mArK7");
  for (std::size_t seam = 1; seam <= 3; ++seam) {
    const Bytes planted = ScrambleCase(rng, marker);
    std::copy(planted.begin(), planted.end(), file.begin() + static_cast<std::ptrdiff_t>(seam * kSearchBlockBytes - seam - 1));
  }
  for (const Bytes& pattern : {B("vek-mark7"), B("ab"), B("BaB"), B("aaaaaaaaaaaaaaaa")}) {
    SCOPED_TRACE(std::string(pattern.begin(), pattern.end()));
    const std::vector<Offset> expected = testing::AllOccurrences(file, 0, pattern, true);
    ASSERT_FALSE(expected.empty());
    for (int workers = 1; workers <= 4; ++workers) EXPECT_EQ(FindAllFolded(file, pattern, workers), expected) << workers;
    EXPECT_EQ(FindAllInStreamFolded(file, pattern, kSearchBlockBytes), expected);
  }
  const Bytes small(file.begin(), file.begin() + 997);
  for (const std::size_t block : {std::size_t{1}, std::size_t{3}, std::size_t{64}, std::size_t{4096}}) {
    EXPECT_EQ(FindAllInStreamFolded(small, B("bAb"), block), testing::AllOccurrences(small, 0, B("bAb"), true)) << block;
  }
}

} // namespace
} // namespace vek
