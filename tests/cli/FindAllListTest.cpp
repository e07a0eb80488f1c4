// What a Find All list holds is what `vek --find` prints: the same offsets in the same order on
// random files, with matches cut by the seams of the search's blocks, whatever the number of
// workers; a list with less room holds the first of them and counts all of them as --count does.
#include <gtest/gtest.h>

#include <future>
#include <sstream>
#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "cli/TerminalMode.h"
#include "core/ByteScan.h"
#include "core/FindAllJob.h"
#include "core/FindAllLimits.h"
#include "platform/PosixFile.h"

namespace vek::cli::test {
namespace {

struct Listed {
  std::vector<Offset> offsets;
  FindAllState state;
};

Listed ListAll(const std::string& path, const std::string& text, std::size_t room, int workers) {
  FileResult<MeasuredFile> opened = OpenMeasured(RealFileSystem(), path, OpenMode::Read);
  EXPECT_TRUE(opened.ok());
  std::promise<void> ended;
  const Bytes bytes(text.begin(), text.end());
  Listed listed;
  FindAllJob job(std::move(opened.value.file), opened.value.length, Pattern(bytes), room, [&ended] { ended.set_value(); },
                 workers);
  EXPECT_EQ(ended.get_future().wait_for(std::chrono::seconds(60)), std::future_status::ready);
  listed.state = job.Take(listed.offsets);
  return listed;
}

std::string Lines(const std::vector<Offset>& offsets) {
  std::ostringstream text;
  for (const Offset at : offsets) text << at << '\n';
  return text.str();
}

// Full alphabet, and `text` planted across every seam between two blocks at each of its bytes.
Bytes Seams(const std::string& text, std::size_t blocks) {
  Bytes bytes = RandomBytes(blocks * kSearchBlockBytes + 333, 11, std::string("\x00\x01xyz\xFF", 6));
  for (std::size_t k = 1; k < blocks; ++k) {
    const std::size_t before = 1 + (k - 1) % (text.size() - 1); // of its bytes before the seam
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(k * kSearchBlockBytes - before));
  }
  return bytes;
}

TEST(FindAllList, HoldsTheOffsetsVekFindPrintsWithOneToFourWorkers) {
  TempDir dir;
  const struct {
    const char* name;
    Bytes bytes;
    std::vector<std::string> patterns;
  } cases[] = {
      {"random text", RandomBytes(3 * kSearchBlockBytes + 777, 5, "ab"), {"ab", "bab", "abbaab", "aaaaaaaaaaaa"}},
      {"cut by the seams", Seams("SEAMED", 5), {"SEAMED", "EA"}},
      {"at both ends", Bytes{'e', 'n', 'd', '.', '.', 'e', 'n', 'd'}, {"end", "nd.", "none"}},
  };
  for (const auto& c : cases) {
    const std::string path = dir.Write("random.bin", c.bytes);
    for (const std::string& pattern : c.patterns) {
      SCOPED_TRACE(std::string(c.name) + ": " + pattern);
      const Outcome printed = RunVek({"--find", pattern, path});
      ASSERT_NE(printed.status, kExitError) << printed.err;
      for (int workers = 1; workers <= 4; ++workers) {
        const Listed listed = ListAll(path, pattern, kMaxListedMatches, workers);
        EXPECT_EQ(Lines(listed.offsets), printed.out) << workers << " workers";
        EXPECT_EQ(listed.state.count, listed.offsets.size());
        EXPECT_EQ(listed.state.status, printed.status == kExitFound ? SearchStatus::Found : SearchStatus::NotFound);
      }
    }
  }
}

TEST(FindAllList, KeepsTheFirstOffsetsItHasRoomForAndCountsThemAllAsCountDoes) {
  TempDir dir;
  const std::string path = dir.Write("ab.bin", RandomBytes(2 * kSearchBlockBytes + 5, 8, "ab"));
  const std::string all = RunVek({"--find", "ab", path}).out;
  const std::uint64_t count = std::stoull(RunVek({"--find", "ab", "--count", path}).out);
  ASSERT_GT(count, 2u);
  for (const std::size_t room : {std::size_t{0}, std::size_t{1}, std::size_t{1000}, count - 1, count, count + 1}) {
    SCOPED_TRACE(room);
    const Listed listed = ListAll(path, "ab", room, 3);
    const std::size_t held = std::min<std::size_t>(room, count);
    EXPECT_EQ(listed.offsets.size(), held);
    EXPECT_TRUE(all.starts_with(Lines(listed.offsets)));
    EXPECT_EQ(listed.state.count, count) << "the count stays exact";
    EXPECT_EQ(listed.state.kept, held);
  }
}

} // namespace
} // namespace vek::cli::test
