// A Find All on its own thread: it tells once that it has ended, and how; a cancel ends it within
// moments with the matches before it kept; a failed read ends it with the cause; the state taken
// while it runs never runs ahead of the offsets handed on.
#include "core/FindAllJob.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <future>
#include <thread>
#include <vector>

#include "SearchReference.h"
#include "core/ByteScan.h"

namespace vek {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

constexpr auto kPatience = 20s; // a job that has not ended by then never will

// A file in memory whose reads take a while (so that a search can be caught running) and fail
// from an offset on.
class SlowFile final : public File {
 public:
  SlowFile(Bytes bytes, std::chrono::milliseconds perRead, Offset failFrom = -1, std::atomic<int>* reads = nullptr)
      : m_bytes(std::move(bytes)), m_perRead(perRead), m_failFrom(failFrom), m_reads(reads) {}
  FileResult<Offset> Length() const override { return {static_cast<Offset>(m_bytes.size())}; }
  bool HasSize() const override { return true; }
  FileResult<std::size_t> Read(void*, std::size_t) override { return {0, FileError::Other}; }
  FileResult<std::size_t> ReadAt(Offset offset, void* buffer, std::size_t size) const override {
    if (m_reads != nullptr) ++*m_reads;
    std::this_thread::sleep_for(m_perRead);
    if (m_failFrom >= 0 && offset + static_cast<Offset>(size) > m_failFrom) return {0, FileError::HardwareError, EIO};
    const std::size_t n = std::min(size, m_bytes.size() - static_cast<std::size_t>(offset));
    std::memcpy(buffer, m_bytes.data() + offset, n);
    return {n};
  }
  FileStatus WriteAt(Offset, const void*, std::size_t) override { return {{}, FileError::AccessDenied}; }
  FileStatus Sync() override { return {}; }
  FileResult<FileIdentity> Identity() const override { return {}; }

 private:
  Bytes m_bytes;
  std::chrono::milliseconds m_perRead;
  Offset m_failFrom;
  std::atomic<int>* m_reads;
};

// Blocks of the search, each with the marker near its start.
Bytes Marked(std::size_t blocks) {
  Bytes bytes(blocks * kSearchBlockBytes, '.');
  for (std::size_t k = 0; k < blocks; ++k) std::memcpy(bytes.data() + k * kSearchBlockBytes + 10, "MARK", 4);
  return bytes;
}

Pattern Mark() {
  const Bytes mark = {'M', 'A', 'R', 'K'};
  return Pattern(mark);
}

struct Finished {
  std::promise<void> ended;
  std::atomic<int> calls = 0;
  std::function<void()> Callback() {
    return [this] {
      if (++calls == 1) ended.set_value();
    };
  }
};

TEST(FindAllJob, EndsOnceAndHowWithTheMatchesHandedOnInOrder) {
  const struct {
    const char* name;
    std::chrono::milliseconds perRead;
    Offset failFrom;
    bool cancel;
    SearchStatus status;
  } cases[] = {
      {"all of it", 0ms, -1, false, SearchStatus::Found},
      {"cancelled while it runs", 30ms, -1, true, SearchStatus::Cancelled},
      {"a failed read", 0ms, static_cast<Offset>(5 * kSearchBlockBytes), false, SearchStatus::ReadError},
  };
  const Bytes bytes = Marked(12);
  const std::vector<Offset> all = testing::AllOccurrences(bytes, 0, Mark().Bytes());
  for (const auto& c : cases) {
    for (const int workers : {1, 3}) {
      SCOPED_TRACE(std::string(c.name) + ", workers " + std::to_string(workers));
      Finished finished;
      std::vector<Offset> taken;
      {
        FindAllJob job(std::make_unique<SlowFile>(bytes, c.perRead, c.failFrom), static_cast<Offset>(bytes.size()),
                       Mark(), all.size(), finished.Callback(), workers);
        if (c.cancel) {
          // Caught running: it has not got far with a read of 30 ms a block.
          const FindAllState running = job.Take(taken);
          EXPECT_FALSE(running.finished);
          EXPECT_EQ(running.kept, taken.size()) << "the state never runs ahead of the offsets handed on";
          job.Cancel();
        }
        ASSERT_EQ(finished.ended.get_future().wait_for(kPatience), std::future_status::ready);
        const FindAllState ended = job.Take(taken);
        EXPECT_TRUE(ended.finished);
        EXPECT_EQ(ended.status, c.status);
        EXPECT_EQ(ended.count, taken.size());
        EXPECT_EQ(ended.kept, taken.size());
        EXPECT_EQ(ended.fileSize, static_cast<Offset>(bytes.size()));
        if (c.status == SearchStatus::ReadError) {
          EXPECT_EQ(ended.error, FileError::HardwareError);
          EXPECT_EQ(ended.code, EIO);
        }
        if (c.status == SearchStatus::Found) {
          EXPECT_EQ(ended.searchedUpTo, static_cast<Offset>(bytes.size()));
        } else {
          EXPECT_LT(taken.size(), all.size());
          for (const Offset at : taken) EXPECT_LT(at, ended.searchedUpTo) << "counted before where it stopped";
        }
      }
      EXPECT_TRUE(std::equal(taken.begin(), taken.end(), all.begin())) << "the start of the whole answer, in order";
      EXPECT_EQ(finished.calls, 1);
    }
  }
}

TEST(FindAllJob, DestroyingARunningJobStopsItsSearch) {
  constexpr int kBlocks = 40;
  const Bytes bytes = Marked(kBlocks);
  Finished finished;
  std::atomic<int> reads = 0;
  {
    FindAllJob job(std::make_unique<SlowFile>(bytes, 30ms, -1, &reads), static_cast<Offset>(bytes.size()), Mark(), 10,
                   finished.Callback(), 1);
  }
  // Those under way when it was told, and the few read ahead of the one judged: not the whole file.
  EXPECT_LT(reads, kBlocks / 4);
  EXPECT_EQ(finished.calls, 1);
}

} // namespace
} // namespace vek
