// The SIGBUS guard over mapped bytes: a page that a truncation took away ends the guarded code with
// false, on whichever thread touches it; every other SIGBUS still does what it did before.

#include "core/MappedReadGuard.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <csignal>
#include <thread>
#include <vector>

#include "MappedFile.h"

namespace vek::test {
namespace {

// A mapping of three pages of a file that was then cut to one: its second and third pages are gone.
struct CutMapping {
  CutMapping() {
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    path = dir.Write("cut.bin", Bytes(3 * page, 'x'));
    file = OpenForReading(path);
    mapping = file->MapForReading(0, 3 * page);
    if (::truncate(path.c_str(), static_cast<off_t>(page)) != 0) mapping.reset();
    bytes = mapping ? mapping->Bytes() : std::span<const std::uint8_t>();
    pageSize = page;
  }
  TempDir dir;
  std::string path;
  std::unique_ptr<File> file;
  std::unique_ptr<FileMapping> mapping;
  std::span<const std::uint8_t> bytes;
  std::size_t pageSize = 0;
};

struct Touch {
  const std::uint8_t* at;
  int sum = 0;
};

void TouchByte(void* context) {
  auto& touch = *static_cast<Touch*>(context);
  touch.sum += *static_cast<const volatile std::uint8_t*>(touch.at);
}

bool TouchGuarded(std::span<const GuardedRange> ranges, const std::uint8_t* at) {
  Touch touch{at};
  return RunGuarded(ranges, TouchByte, &touch);
}

TEST(MappedReadGuard, APageTheFileNoLongerHasEndsTheGuardedCodeWithFalse) {
  const CutMapping cut;
  ASSERT_EQ(cut.bytes.size(), 3 * cut.pageSize);
  const GuardedRange whole{cut.bytes.data(), cut.bytes.size()};
  const GuardedRange first{cut.bytes.data(), cut.pageSize};
  const GuardedRange rest{cut.bytes.data() + cut.pageSize, 2 * cut.pageSize};
  struct Case {
    const char* name;
    std::vector<GuardedRange> ranges;
    std::size_t touched;
    bool ranToItsEnd;
  };
  const std::vector<Case> cases = {
      {"a page that is there", {whole}, 10, true},
      {"the last byte that is there", {whole}, cut.pageSize - 1, true},
      {"the first byte that is gone", {whole}, cut.pageSize, false},
      {"the last byte of the mapping", {whole}, 3 * cut.pageSize - 1, false},
      {"gone, in the second of two ranges", {first, rest}, 2 * cut.pageSize, false},
  };
  for (int round = 0; round < 2; ++round) { // a thread arms again after a fault was taken
    for (const Case& c : cases) {
      EXPECT_EQ(TouchGuarded(c.ranges, cut.bytes.data() + c.touched), c.ranToItsEnd) << c.name;
    }
  }
  // Each thread has a guard of its own; faults on several at once are each their own.
  std::vector<std::thread> threads;
  std::atomic<int> taken = 0;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int k = 0; k < 50; ++k) taken += TouchGuarded(std::span(&whole, 1), cut.bytes.data() + 2 * cut.pageSize) ? 0 : 1;
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(taken, 200);
}

void TouchOutsideTheArmedRange(const CutMapping& cut) {
  const GuardedRange first{cut.bytes.data(), cut.pageSize};
  TouchGuarded(std::span(&first, 1), cut.bytes.data() + cut.pageSize);
}

void TouchWithNoneArmed(const CutMapping& cut) {
  const GuardedRange first{cut.bytes.data(), cut.pageSize};
  TouchGuarded(std::span(&first, 1), cut.bytes.data()); // the guard's handler is in place
  Touch touch{cut.bytes.data() + cut.pageSize};
  TouchByte(&touch);
}

void RaiseWhileArmed(const CutMapping& cut) {
  const GuardedRange whole{cut.bytes.data(), cut.bytes.size()};
  RunGuarded(std::span(&whole, 1), [](void*) { ::raise(SIGBUS); }, nullptr);
}

// A fault outside the armed ranges, or with none armed, is not the guard's: the program dies as
// it would have (under AddressSanitizer, its handler reports the fault and exits). A SIGBUS sent
// to an armed thread is no fault of its mapping either.
TEST(MappedReadGuardDeathTest, AFaultOutsideTheArmedRangesIsNotTaken) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const CutMapping cut;
  ASSERT_FALSE(cut.bytes.empty());
  EXPECT_DEATH(TouchOutsideTheArmedRange(cut), "");
  EXPECT_DEATH(TouchWithNoneArmed(cut), "");
  EXPECT_DEATH(RaiseWhileArmed(cut), "");
}

void ExitThree(int) { ::_exit(3); }

void FaultAfterAHandlerOfOurOwn(const CutMapping& cut) {
  struct sigaction previous {};
  previous.sa_handler = ExitThree;
  sigemptyset(&previous.sa_mask);
  sigaction(SIGBUS, &previous, nullptr);
  const GuardedRange whole{cut.bytes.data(), cut.bytes.size()};
  if (TouchGuarded(std::span(&whole, 1), cut.bytes.data() + cut.pageSize)) ::_exit(4); // installs the guard
  Touch touch{cut.bytes.data() + cut.pageSize};
  TouchByte(&touch);
}

void FaultWhileIgnored(const CutMapping& cut) {
  std::signal(SIGBUS, SIG_IGN);
  const GuardedRange whole{cut.bytes.data(), cut.bytes.size()};
  if (TouchGuarded(std::span(&whole, 1), cut.bytes.data() + cut.pageSize)) ::_exit(0); // installs the guard
  Touch touch{cut.bytes.data() + cut.pageSize};
  TouchByte(&touch); // ignored, the fault would come back for ever
  ::_exit(0);
}

// The handler that was there before the guard's own gets every SIGBUS the guard does not take; a
// fault where SIGBUS was ignored ends the program, as it would have without the guard.
TEST(MappedReadGuardDeathTest, TheHandlerThatWasThereBeforeGetsTheOtherFaults) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const CutMapping cut;
  ASSERT_FALSE(cut.bytes.empty());
  EXPECT_EXIT(FaultAfterAHandlerOfOurOwn(cut), ::testing::ExitedWithCode(3), "");
  EXPECT_DEATH(FaultWhileIgnored(cut), "");
}

} // namespace
} // namespace vek::test
