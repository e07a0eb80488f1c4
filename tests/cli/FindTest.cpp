#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "cli/FindAll.h"
#include "cli/TerminalMode.h"
#include "core/ByteScan.h"
#include "core/Search.h"
#include "core/SearchLimits.h"

namespace vek::cli::test {
namespace {

ReadAtFn MemoryReader(const Bytes& file) {
  return [&file](Offset offset, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
    if (offset < 0 || offset > static_cast<Offset>(file.size())) return -1;
    const std::size_t n = std::min(size, file.size() - static_cast<std::size_t>(offset));
    std::memcpy(buffer, file.data() + offset, n);
    return static_cast<std::int64_t>(n);
  };
}

std::vector<std::int64_t> FindAllOffsets(const Bytes& file, const Bytes& pattern, FindAllStatus* status = nullptr) {
  std::vector<std::int64_t> found;
  const FindAllStatus s =
      FindAll(MemoryReader(file), static_cast<Offset>(file.size()), pattern, [&](Offset at) { found.push_back(at); });
  if (status) *status = s;
  return found;
}

std::string Lines(const std::vector<std::int64_t>& offsets) {
  std::ostringstream text;
  for (const auto at : offsets) text << at << '\n';
  return text.str();
}

TEST(FindAll, ReportsEveryOccurrenceIncludingOverlappingOnes) {
  const Bytes file = {'a', 'a', 'a', 'a', 'b', 'a', 'a'};
  EXPECT_EQ(FindAllOffsets(file, {'a', 'a'}), (std::vector<std::int64_t>{0, 1, 2, 5}));
  EXPECT_EQ(FindAllOffsets(file, {'a'}), (std::vector<std::int64_t>{0, 1, 2, 3, 5, 6}));
  EXPECT_EQ(FindAllOffsets(file, file), (std::vector<std::int64_t>{0}));
}

TEST(FindAll, AgreesWithTheNaiveSearchAcrossBlockBoundaries) {
  // Three and a bit blocks of a two-letter alphabet: every short pattern matches thousands of times,
  // and some of those matches straddle the seams between blocks.
  const Bytes file = RandomBytes(3 * kSearchBlockBytes + 1234, 7, "ab");
  for (const std::string text : {"a", "ab", "bba", "abab", "aaaaaaaaaaa", "babbabaabbbab"}) {
    const Bytes pattern(text.begin(), text.end());
    SCOPED_TRACE(text);
    FindAllStatus status{};
    const auto found = FindAllOffsets(file, pattern, &status);
    EXPECT_EQ(found, NaiveFindAll(file, pattern));
    EXPECT_EQ(status, found.empty() ? FindAllStatus::NotFound : FindAllStatus::Found);
  }
}

TEST(FindAll, FindsAMatchThatStraddlesTwoBlocksAtEveryCut) {
  const Bytes pattern = {0xDE, 0xAD, 0xBE, 0xEF, 0x01};
  for (std::size_t before = 1; before < pattern.size(); ++before) {
    Bytes file(2 * kSearchBlockBytes, 0);
    const std::size_t at = kSearchBlockBytes - before;
    std::copy(pattern.begin(), pattern.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
    EXPECT_EQ(FindAllOffsets(file, pattern), (std::vector<std::int64_t>{static_cast<std::int64_t>(at)}))
        << before << " bytes in the first block";
  }
}

TEST(FindAll, EachReportedMatchIsTheOneSearchFileFindsFromThere) {
  // The Find dialog's search, restarted after each match, must walk the same offsets.
  const Bytes file = RandomBytes(kSearchBlockBytes + 5000, 11, "xyz\x80\xFF");
  const Bytes pattern = {'x', 'y'};
  std::vector<std::int64_t> bySearchFile;
  for (Offset from = 0;;) {
    const SearchResult r = SearchFile(MemoryReader(file), static_cast<Offset>(file.size()), from, pattern);
    if (r.status != SearchResult::Status::Found) break;
    bySearchFile.push_back(r.offset);
    from = r.offset + 1;
  }
  ASSERT_GT(bySearchFile.size(), 100u);
  EXPECT_EQ(FindAllOffsets(file, pattern), bySearchFile);
}

TEST(FindAll, NothingToFindInShortFilesOrWithAnEmptyPattern) {
  FindAllStatus status{};
  EXPECT_TRUE(FindAllOffsets({}, {'a'}, &status).empty());
  EXPECT_EQ(status, FindAllStatus::NotFound);
  EXPECT_TRUE(FindAllOffsets({'a', 'b'}, {'a', 'b', 'c'}, &status).empty());
  EXPECT_EQ(status, FindAllStatus::NotFound);
  EXPECT_TRUE(FindAllOffsets({'a', 'b'}, {}, &status).empty());
  EXPECT_EQ(status, FindAllStatus::NotFound);
}

TEST(FindAll, AFailedOrShortReadStopsWithAReadErrorKeepingEarlierMatches) {
  const Bytes file = RandomBytes(3 * kSearchBlockBytes, 3, "ab");
  const Bytes pattern = {'a', 'b', 'a'};
  for (const std::int64_t failure : {std::int64_t{-1}, std::int64_t{10}}) {
    int reads = 0;
    const ReadAtFn failSecond = [&](Offset offset, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
      if (++reads == 2) return failure;
      return MemoryReader(file)(offset, buffer, size);
    };
    std::vector<std::int64_t> found;
    const FindAllStatus status =
        FindAll(failSecond, static_cast<Offset>(file.size()), pattern, [&](Offset at) { found.push_back(at); });
    EXPECT_EQ(status, FindAllStatus::ReadError) << failure;
    ASSERT_FALSE(found.empty());
    EXPECT_LT(found.back(), static_cast<std::int64_t>(kSearchBlockBytes));
  }
}

TEST(TerminalFind, PrintsTheOffsetsOfARealFileOnePerLine) {
  TempDir dir;
  const Bytes bytes = RandomBytes(kSearchBlockBytes + 777, 5, "hello world");
  const std::string path = dir.Write("text.bin", bytes);
  const Outcome found = RunVek({"--find", "lo", path});
  EXPECT_EQ(found.status, kExitFound);
  EXPECT_EQ(found.out, Lines(NaiveFindAll(bytes, {'l', 'o'})));
  EXPECT_EQ(found.err, "");
}

TEST(TerminalFind, HexPairsAreParsedAsTheFindDialogParsesThem) {
  TempDir dir;
  const std::string path = dir.Write("exe.bin", {0x00, 0x4D, 0x5A, 0x90, 0x4D, 0x5A, 0x4D});
  EXPECT_EQ(RunVek({"--find-hex", "4d5a", path}).out, "1\n4\n");
  EXPECT_EQ(RunVek({"--find-hex", "4D 5A 9", path}).out, "1\n4\n"); // an odd last digit is dropped
  EXPECT_EQ(RunVek({"--find-hex", "5A90", path}).out, "2\n");
  const Outcome none = RunVek({"--find-hex", "FFFF", path});
  EXPECT_EQ(none.status, kExitNotFound);
  EXPECT_EQ(none.out, "");
}

TEST(TerminalFind, TextIsMatchedByteForByteWithoutCaseFolding) {
  TempDir dir;
  const std::string path = dir.Write("mixed.bin", {'A', 'b', 'a', 'B', 0xE9, 'a'});
  EXPECT_EQ(RunVek({"--find", "aB", path}).out, "2\n");
  EXPECT_EQ(RunVek({"--find", "\xE9", path}).out, "4\n"); // a byte of argv, not a UTF-8 character
  EXPECT_EQ(RunVek({"--find", "ab", path}).status, kExitNotFound);
}

TEST(TerminalFind, APatternLongerThanTheDialogAllowsIsRefusedNotCut) {
  TempDir dir;
  const std::string path = dir.Write("a.bin", Bytes(600, 'a'));
  const Outcome longText = RunVek({"--find", std::string(kMaxPatternBytes + 1, 'a'), path});
  EXPECT_EQ(longText.status, kExitError);
  EXPECT_EQ(longText.out, "");
  EXPECT_NE(longText.err.find("longer than"), std::string::npos) << longText.err;

  const Outcome longest = RunVek({"--find", std::string(kMaxPatternBytes, 'a'), path});
  EXPECT_EQ(longest.status, kExitFound);
  EXPECT_EQ(std::count(longest.out.begin(), longest.out.end(), '\n'), 600 - kMaxPatternBytes + 1);

  const Outcome longHex = RunVek({"--find-hex", std::string(2 * kMaxPatternBytes + 2, '6'), path});
  EXPECT_EQ(longHex.status, kExitError);

  const Outcome noPair = RunVek({"--find-hex", "6", path});
  EXPECT_EQ(noPair.status, kExitError);
  EXPECT_NE(noPair.err.find("no pair"), std::string::npos) << noPair.err;
}

} // namespace
} // namespace vek::cli::test
