// The search on real files, looked at in place through mappings: the windows' edges, files cut
// short while they are searched, and the files and mappings that have to be read instead.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "MappedFile.h"
#include "core/BlockScan.h"
#include "core/ByteScan.h"
#include "core/Search.h"

namespace vek::test {
namespace {

constexpr auto kBlock = static_cast<Offset>(kSearchBlockBytes);
// Windows of a few blocks in the test of their edges: the same code as 64, in smaller files.
constexpr std::size_t kTestWindowBlocks = 4;
constexpr auto kWindow = static_cast<Offset>(kTestWindowBlocks) * kBlock;
constexpr Offset kMiB = Offset{1} << 20;

Bytes B(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::vector<Offset> AllMatches(const ScanSource& source, Offset size, const Bytes& pattern, SearchStatus expected,
                               int workers) {
  std::vector<Offset> found;
  EXPECT_EQ(FindAll(
                source, size, pattern, [&](std::span<const Offset> m) { found.insert(found.end(), m.begin(), m.end()); },
                workers),
            expected);
  return found;
}

// Matches at the edges of the mapped windows, each pattern planted once: in a window's last bytes,
// across two windows (the first one's tail holds it), in the first bytes of the next; also for a
// stretch that starts off the windows' lines, whose blocks (and so windows) start elsewhere.
TEST(MappedSearch, FindsMatchesAtTheEdgesOfTheWindowsAsTheReadsDo) {
  const TempDir dir;
  const Offset from = 12345; // the second stretch's start: its windows begin at from + k * kWindow
  struct Place {
    const char* pattern;
    Offset at;
  };
  const std::vector<Place> places = {
      {"LAST-BYTES-OF-W0", kWindow - 16},   {"FIRST-OF-W1", kWindow},
      {"ACROSS-W1-W2", 2 * kWindow - 5},
      {"SHIFTED-ACROSS", from + kWindow - 7}, {"SHIFTED-LAST", from + 2 * kWindow - 14},
      {"END-OF-FILE", 2 * kWindow + 3 * kMiB + 12345 - 11},
  };
  std::vector<std::pair<Offset, Bytes>> marks;
  for (const Place& place : places) marks.emplace_back(place.at, B(place.pattern));
  const Offset size = 2 * kWindow + 3 * kMiB + 12345;
  const std::string path = WriteSparse(dir, "edges.bin", size, marks);
  CountingFile file(OpenForReading(path));
  const ScanSource source(file, ReaderOf(file).ReadAt(), true, kTestWindowBlocks);
  for (int workers = 1; workers <= 4; ++workers) {
    for (const Place& place : places) {
      SCOPED_TRACE(std::string(place.pattern) + ", workers " + std::to_string(workers));
      const Bytes pattern = B(place.pattern);
      for (const Offset start : {Offset{0}, from, place.at}) {
        const SearchResult found = SearchFile(source, size, start, pattern, {}, workers);
        EXPECT_EQ(found.status, SearchStatus::Found);
        EXPECT_EQ(found.offset, place.at);
      }
      EXPECT_EQ(SearchFile(source, size, place.at + 1, pattern, {}, workers).status, SearchStatus::NotFound);
      // Backwards: a match that starts just before the offset, though it runs past it.
      const SearchResult last = SearchFileBackward(source, size, place.at + 1, pattern, {}, workers);
      EXPECT_EQ(last.status, SearchStatus::Found);
      EXPECT_EQ(last.offset, place.at);
      EXPECT_EQ(SearchFileBackward(source, size, size, pattern, {}, workers).offset, place.at);
      EXPECT_EQ(SearchFileBackward(source, size, place.at, pattern, {}, workers).status, SearchStatus::NotFound);
      EXPECT_EQ(AllMatches(source, size, pattern, SearchStatus::Found, workers), std::vector<Offset>{place.at});
    }
  }
  EXPECT_GT(file.mappings, 0);
  EXPECT_EQ(file.reads, 0) << "a regular file is read in place";
}

// A file cut short by another program while the search runs over it: the blocks past the cut fail
// as a short read would, whatever the workers had mapped. The cut comes from the first progress
// report, so only the blocks in flight then (at most 2 x workers) can have been scanned whole.
TEST(MappedSearch, AFileCutShortDuringTheSearchIsAReadErrorNeverACrash) {
  const TempDir dir;
  const Offset size = 24 * kMiB;
  const Bytes late = B("LATE-MATCH");  // far past the cut
  const Bytes early = B("EARLY-MATCH"); // before the cut
  struct Case {
    const char* name;
    Offset cutTo;
    SearchStatus lateFirst; // SearchFile for the late pattern
    SearchStatus earlyFirst;
    SearchStatus earlyAll; // FindAll of the early pattern
    SearchStatus lateLast; // SearchFileBackward for the late pattern, from the end
  };
  const std::vector<Case> cases = {
      {"at the start", 0, SearchStatus::ReadError, SearchStatus::ReadError, SearchStatus::ReadError,
       SearchStatus::ReadError},
      {"in the middle", 10 * kMiB + 77, SearchStatus::ReadError, SearchStatus::Found, SearchStatus::ReadError,
       SearchStatus::ReadError},
      {"past the last match", 3 * kMiB, SearchStatus::ReadError, SearchStatus::Found, SearchStatus::ReadError,
       SearchStatus::ReadError},
  };
  for (const Case& c : cases) {
    for (int workers = 1; workers <= 4; ++workers) {
      SCOPED_TRACE(std::string(c.name) + ", workers " + std::to_string(workers));
      // The early match, in the second block: before any cut but the one at the start.
      const auto run = [&](const auto& search) {
        const std::string path = WriteSparse(dir, "cut.bin", size, {{kMiB + 5, early}, {20 * kMiB, late}});
        CountingFile file(OpenForReading(path));
        bool cut = false;
        const ProgressFn cutOnce = [&](Offset) {
          if (!cut) cut = ::truncate(path.c_str(), c.cutTo) == 0;
          return true;
        };
        const auto status = search(ReaderOf(file), cutOnce);
        EXPECT_TRUE(cut);
        EXPECT_EQ(file.reads, 0);
        return status;
      };
      EXPECT_EQ(run([&](const ScanSource& s, const ProgressFn& p) { return SearchFile(s, size, 0, late, p, workers).status; }),
                c.lateFirst);
      if (c.cutTo > 0) {
        EXPECT_EQ(run([&](const ScanSource& s, const ProgressFn& p) {
                    const SearchResult r = SearchFile(s, size, 0, early, p, workers);
                    EXPECT_EQ(r.offset, r.status == SearchStatus::Found ? kMiB + 5 : -1);
                    return r.status;
                  }),
                  c.earlyFirst);
      }
      EXPECT_EQ(run([&](const ScanSource& s, const ProgressFn& p) {
                  return SearchFileBackward(s, size, size, early, p, workers).status;
                }),
                c.lateLast);
      // FindAll has no progress: the cut comes from its first block's matches.
      const std::string path = WriteSparse(dir, "cut.bin", size, {{5, early}, {kMiB + 5, early}, {20 * kMiB, early}});
      CountingFile file(OpenForReading(path));
      std::vector<Offset> found;
      const SearchStatus all = FindAll(
          ReaderOf(file), size, early,
          [&](std::span<const Offset> m) {
            if (found.empty()) {
              EXPECT_EQ(::truncate(path.c_str(), c.cutTo == 0 ? kMiB / 2 : c.cutTo), 0);
            }
            found.insert(found.end(), m.begin(), m.end());
          },
          workers);
      EXPECT_EQ(all, c.earlyAll);
      ASSERT_FALSE(found.empty());
      EXPECT_EQ(found.front(), 5);
      EXPECT_LT(found.back(), 20 * kMiB);
    }
  }
}

// Measured, then cut before the search maps anything: every block past the cut fails.
TEST(MappedSearch, AFileThatShrankBetweenItsLengthAndItsMappingIsAReadError) {
  const TempDir dir;
  const Offset size = 12 * kMiB;
  const Bytes marker = B("MARKER");
  for (int workers = 1; workers <= 4; ++workers) {
    SCOPED_TRACE(workers);
    const std::string path = WriteSparse(dir, "shrunk.bin", size, {{100, marker}, {11 * kMiB, marker}});
    CountingFile file(OpenForReading(path));
    const Offset measured = file.Length().value;
    ASSERT_EQ(::truncate(path.c_str(), 4 * kMiB + 3), 0);
    const ScanSource source = ReaderOf(file);
    EXPECT_EQ(SearchFile(source, measured, 200, marker, {}, workers).status, SearchStatus::ReadError);
    EXPECT_EQ(SearchFile(source, measured, 0, marker, {}, workers).offset, 100) << "the match before the cut stands";
    EXPECT_EQ(SearchFileBackward(source, measured, measured, marker, {}, workers).status, SearchStatus::ReadError);
    EXPECT_EQ(AllMatches(source, measured, marker, SearchStatus::ReadError, workers), std::vector<Offset>{100});
    EXPECT_EQ(file.reads, 0);
  }
}

// A file in memory behind the file layer, which has no mapping to give: it is read.
class MemoryFile final : public File {
 public:
  explicit MemoryFile(Bytes bytes) : m_bytes(std::move(bytes)) {}
  FileResult<Offset> Length() const override { return {static_cast<Offset>(m_bytes.size())}; }
  bool HasSize() const override { return !m_bytes.empty(); }
  FileResult<std::size_t> Read(void*, std::size_t) override { return {0}; }
  FileResult<std::size_t> ReadAt(Offset offset, void* buffer, std::size_t size) const override {
    const std::size_t n = std::min(size, m_bytes.size() - static_cast<std::size_t>(offset));
    std::memcpy(buffer, m_bytes.data() + offset, n);
    return {n};
  }
  FileStatus WriteAt(Offset, const void*, std::size_t) override { return {}; }
  FileStatus Sync() override { return {}; }
  FileResult<FileIdentity> Identity() const override { return {}; }

 private:
  Bytes m_bytes;
};

// Whatever cannot be mapped is read, window by window: a file without mappings, a mapping that
// fails, an empty file; the answers are the same.
TEST(MappedSearch, WhatCannotBeMappedIsRead) {
  const TempDir dir;
  const Offset size = kWindow + 9 * kMiB;
  const Bytes marker = B("\x01MARK\x02");
  const std::vector<Offset> places = {kMiB - 3, kWindow - 2, kWindow + 8 * kMiB};
  std::vector<std::pair<Offset, Bytes>> marks;
  for (const Offset at : places) marks.emplace_back(at, marker);
  const std::string path = WriteSparse(dir, "mixed.bin", size, marks);
  Bytes bytes(static_cast<std::size_t>(size));
  for (const Offset at : places) std::copy(marker.begin(), marker.end(), bytes.begin() + at);
  const MemoryFile memory(bytes);
  for (int workers = 1; workers <= 4; ++workers) {
    SCOPED_TRACE(workers);
    // The first window cannot be mapped, the second one can.
    CountingFile half(OpenForReading(path), {0});
    const ScanSource halfMapped(half, ReaderOf(half).ReadAt(), true, kTestWindowBlocks);
    EXPECT_EQ(AllMatches(halfMapped, size, marker, SearchStatus::Found, workers), places);
    EXPECT_GT(half.reads, 0);
    EXPECT_GT(half.mappings, 0);
    EXPECT_EQ(AllMatches(ReaderOf(memory), size, marker, SearchStatus::Found, workers), places);
    EXPECT_EQ(SearchFileBackward(ReaderOf(memory), size, size, marker, {}, workers).offset, places.back());
  }
  const std::string empty = dir.Write("empty.bin", {});
  CountingFile file(OpenForReading(empty));
  EXPECT_EQ(file.MapForReading(0, 0), nullptr);
  EXPECT_EQ(SearchFile(ReaderOf(file), 0, 0, marker).status, SearchStatus::NotFound);
  EXPECT_EQ(SearchFileBackward(ReaderOf(file), 0, 0, marker).status, SearchStatus::NotFound);
  EXPECT_EQ(AllMatches(ReaderOf(file), 0, marker, SearchStatus::NotFound, 2), std::vector<Offset>{});
}

} // namespace
} // namespace vek::test
