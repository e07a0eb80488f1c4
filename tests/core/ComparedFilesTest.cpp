// The window's compare of two files by name: opened and measured, stepped through in both
// directions, and, when it fails, the file to blame: the one that could not be opened, the one
// whose read failed, or the one another program cut short during the compare.

#include "core/ComparedFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>

#include "FaultyFileSystem.h"
#include "MappedFile.h"
#include "platform/PosixFile.h"

namespace vek {
namespace {

constexpr Offset kMiB = Offset{1} << 20;

TEST(ComparedFiles, AFileThatCannotBeOpenedIsNamedWithItsCause) {
  const test::TempDir dir;
  const std::string there = dir.Write("there.bin", {1, 2, 3});
  const std::string missing = dir.Path() + "/missing.bin";
  const struct {
    std::string first;
    std::string second;
    CompareFailure failure;
  } cases[] = {
      {there, missing, {1, FileError::NotFound, ENOENT}},
      {missing, there, {0, FileError::NotFound, ENOENT}},
      {there, dir.Path(), {1, FileError::IsDirectory, EISDIR}},
  };
  for (const auto& c : cases) {
    const ComparedFiles files(RealFileSystem(), c.first, c.second);
    EXPECT_FALSE(files.Ready()) << c.second;
    const CompareFailure failure = files.Failure();
    EXPECT_EQ(failure.file, c.failure.file) << c.second;
    EXPECT_EQ(failure.cause, c.failure.cause) << c.second;
    EXPECT_EQ(failure.code, c.failure.code) << c.second;
  }
}

TEST(ComparedFiles, NextFindsTheFirstDifferenceFromTheOriginPreviousTheLastBeforeIt) {
  const test::TempDir dir;
  // Differences in the first block and in the third, and the second file ends one block later.
  const std::string a = test::WriteSparse(dir, "a.bin", 4 * kMiB, {{10, {1}}, {2 * kMiB + 5, {2}}});
  const std::string b = test::WriteSparse(dir, "b.bin", 3 * kMiB, {});
  const struct {
    StepDirection direction;
    Offset origin;
    SearchStatus status;
    Offset offset;
    bool atEnd;
  } cases[] = {
      {StepDirection::Next, 0, SearchStatus::Found, 10, false},
      {StepDirection::Next, 11, SearchStatus::Found, 2 * kMiB + 5, false},
      {StepDirection::Next, 2 * kMiB + 6, SearchStatus::Found, 3 * kMiB, true},
      {StepDirection::Next, 3 * kMiB + 1, SearchStatus::NotFound, -1, false},
      {StepDirection::Previous, 4 * kMiB, SearchStatus::Found, 3 * kMiB, true},
      {StepDirection::Previous, 2 * kMiB + 5, SearchStatus::Found, 10, false},
      {StepDirection::Previous, 10, SearchStatus::NotFound, -1, false},
  };
  for (int workers = 1; workers <= 2; ++workers) {
    const ComparedFiles files(RealFileSystem(), a, b);
    ASSERT_TRUE(files.Ready());
    EXPECT_EQ(files.Length(0), 4 * kMiB);
    EXPECT_EQ(files.Length(1), 3 * kMiB);
    for (const auto& c : cases) {
      SCOPED_TRACE(std::to_string(c.origin) + (c.direction == StepDirection::Next ? " next" : " previous"));
      const CompareResult found = files.Step(c.direction, c.origin, {}, workers);
      EXPECT_EQ(found.status, c.status);
      EXPECT_EQ(found.difference.offset, c.offset);
      EXPECT_EQ(found.difference.atEnd, c.atEnd);
    }
  }
}

TEST(ComparedFiles, AReadErrorIsBlamedOnTheFileThatFailedOrWasCutShort) {
  const test::TempDir dir;
  const Offset size = 24 * kMiB;
  for (const int cut : {0, 1}) {
    for (int workers = 1; workers <= 4; ++workers) {
      SCOPED_TRACE("file " + std::to_string(cut) + " cut, workers " + std::to_string(workers));
      const std::string paths[] = {test::WriteSparse(dir, "a.bin", size, {{20 * kMiB, {1}}}),
                                   test::WriteSparse(dir, "b.bin", size, {})};
      const ComparedFiles files(RealFileSystem(), paths[0], paths[1]);
      bool done = false;
      const CompareResult found = files.Step(StepDirection::Next, 0, [&](Offset) {
        if (!done) done = ::truncate(paths[cut].c_str(), 5 * kMiB) == 0;
        return true;
      }, workers);
      EXPECT_TRUE(done);
      EXPECT_EQ(found.status, SearchStatus::ReadError);
      const CompareFailure failure = files.Failure();
      EXPECT_EQ(failure.file, cut);
      EXPECT_EQ(failure.cause, FileError::ShortRead);
    }
  }
  // A read that fails says why, whichever file is shorter now. One worker: the fake file layer
  // counts its reads on the thread that reads.
  const std::string a = test::WriteSparse(dir, "a.bin", 3 * kMiB, {{2 * kMiB, {1}}});
  const std::string b = test::WriteSparse(dir, "b.bin", 3 * kMiB, {});
  test::FaultyFileSystem faulty;
  faulty.plan.failRead = true;
  faulty.plan.failAfterReads = 1;
  faulty.plan.readsOf = b;
  const ComparedFiles files(faulty, a, b);
  EXPECT_EQ(files.Step(StepDirection::Next, 0, {}, 1).status, SearchStatus::ReadError);
  const CompareFailure failure = files.Failure();
  EXPECT_EQ(failure.file, 1);
  EXPECT_EQ(failure.cause, FileError::HardwareError);
}

} // namespace
} // namespace vek
