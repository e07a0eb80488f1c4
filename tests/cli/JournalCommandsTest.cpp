// --history and --undo over a journal that an earlier run of vek left, in a state directory of
// the test's own.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "CliTestSupport.h"
#include "cli/TerminalMode.h"
#include "core/FileEditor.h"
#include "core/JournalLocation.h"
#include "platform/PosixFile.h"
#include "platform/PosixJournalStore.h"

namespace vek::cli::test {
namespace {

using vek::test::PokeByte;
using vek::test::ReadBytes;

class JournalCommands : public testing::Test {
 protected:
  void SetUp() override {
    ::setenv("XDG_STATE_HOME", (dir.Path() + "/state").c_str(), 1);
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    a = dir.Write("a.bin", original);
    b = dir.Write("b.bin", original);
  }
  void TearDown() override { ::unsetenv("XDG_STATE_HOME"); }

  // What the window does when a person edits a byte: an earlier run of vek, as far as the
  // terminal can tell.
  void Edit(const std::string& path, std::initializer_list<std::pair<Offset, std::uint8_t>> changes) {
    PosixJournalStore store(JournalDirectoryOfThisUser());
    Journal journal(store);
    FileEditor editor(RealFileSystem(), &journal, path, *RealFileSystem().Identity(path));
    for (const auto& [at, value] : changes) {
      const Bytes now = ReadBytes(path);
      ASSERT_EQ(editor.Write(at, now[static_cast<std::size_t>(at)], value).outcome, WriteOutcome::Written);
    }
  }

  std::string JournalFile() const { return dir.Path() + "/state/vek/journal"; }

  TempDir dir;
  const Bytes original = Bytes(300, 0x2E);
  std::string a, b;
};

TEST_F(JournalCommands, HistoryListsTheWritesToTheFileOldestFirstAndWhatItHoldsNow) {
  Edit(a, {{250, 0x41}, {7, 0x42}, {9, 0x43}});
  Edit(b, {{1, 0x44}});
  PokeByte(a, 7, 0x55);
  std::filesystem::resize_file(a, 200);

  const Outcome outcome = RunVek({"--history", a});
  EXPECT_EQ(outcome.status, kExitFound);
  EXPECT_EQ(outcome.err, "");
  const std::string day = outcome.out.substr(0, 19);
  std::tm parts{};
  EXPECT_NE(::strptime(day.c_str(), "%Y-%m-%d %H:%M:%S", &parts), nullptr) << day;
  std::string shown;
  for (std::size_t at = 0; at < outcome.out.size(); at = outcome.out.find('\n', at) + 1) {
    shown += outcome.out.substr(at + 19, outcome.out.find('\n', at) - at - 19 + 1);
  }
  EXPECT_EQ(shown,
            "  edit      250  2E -> 41  past the end of the file now\n"
            "  edit        7  2E -> 42  changed since: now 55\n"
            "  edit        9  2E -> 43  still in the file\n");

  const Outcome hex = RunVek({"--history", "--hex", b});
  EXPECT_EQ(hex.status, kExitFound);
  EXPECT_NE(hex.out.find("  edit        1  2E -> 44  still in the file\n"), std::string::npos) << hex.out;
}

TEST_F(JournalCommands, HistoryOfAFileWithoutRecordsIsStatusOneAndOfAMissingFileTwo) {
  EXPECT_EQ(RunVek({"--history", a}).status, kExitNotFound);
  Edit(a, {{1, 0x41}});
  EXPECT_EQ(RunVek({"--history", b}).status, kExitNotFound);
  const Outcome missing = RunVek({"--history", dir.Path() + "/missing"});
  EXPECT_EQ(missing.status, kExitError);
  EXPECT_EQ(missing.err, "vek: " + dir.Path() + "/missing: No such file or directory\n");
}

TEST_F(JournalCommands, UndoTakesBackTheNewestWriteStillInTheFileOneAtATime) {
  Edit(a, {{3, 0x41}, {4, 0x42}});
  const Outcome first = RunVek({"--undo", a});
  EXPECT_EQ(first.status, kExitFound);
  EXPECT_EQ(first.out, a + ": offset 4 (0x4): 0x42 back to 0x2E\n");
  Bytes expected = original;
  expected[3] = 0x41;
  EXPECT_EQ(ReadBytes(a), expected);

  EXPECT_EQ(RunVek({"--undo", a}).status, kExitFound);
  EXPECT_EQ(ReadBytes(a), original);
  const Outcome none = RunVek({"--undo", a});
  EXPECT_EQ(none.status, kExitNotFound);
  EXPECT_EQ(none.out, a + ": nothing to undo\n");

  const Outcome history = RunVek({"--history", a});
  EXPECT_NE(history.out.find("  undo        4  42 -> 2E  still in the file\n"), std::string::npos) << history.out;
}

TEST_F(JournalCommands, UndoPassesOverAWriteWhoseByteAnotherProgramChangedAndSaysSo) {
  Edit(a, {{3, 0x41}, {4, 0x42}});
  PokeByte(a, 4, 0x99);
  const Outcome outcome = RunVek({"--undo", a});
  EXPECT_EQ(outcome.status, kExitFound);
  EXPECT_NE(outcome.err.find("offset 4 (0x4) is no longer 0x42, as vek wrote it, but 0x99"), std::string::npos)
      << outcome.err;
  Bytes expected = original;
  expected[4] = 0x99;
  EXPECT_EQ(ReadBytes(a), expected);
}

TEST_F(JournalCommands, UndoAllGivesEveryFileBackByteForByte) {
  Edit(a, {{3, 0x41}, {3, 0x42}, {299, 0x43}});
  Edit(b, {{0, 0x44}});
  Edit(a, {{3, 0x45}});
  const Outcome outcome = RunVek({"--undo", "--all"});
  EXPECT_EQ(outcome.status, kExitFound) << outcome.err;
  EXPECT_EQ(outcome.out, a + ": offset 3 (0x3): 0x45 back to 0x42\n" + a + ": offset 299 (0x12B): 0x43 back to 0x2E\n" +
                             a + ": offset 3 (0x3): 0x42 back to 0x41\n" + a + ": offset 3 (0x3): 0x41 back to 0x2E\n" +
                             b + ": offset 0 (0x0): 0x44 back to 0x2E\n");
  EXPECT_EQ(ReadBytes(a), original);
  EXPECT_EQ(ReadBytes(b), original);
  const Outcome again = RunVek({"--undo", "--all"});
  EXPECT_EQ(again.status, kExitNotFound);
  EXPECT_EQ(again.out, "nothing to undo\n");
}

TEST_F(JournalCommands, AFileReplacedUnderItsNameIsNeitherUndoneNorWritten) {
  Edit(a, {{3, 0x41}});
  Bytes edited = original;
  edited[3] = 0x41;
  std::filesystem::rename(a, a + ".old");
  dir.Write("a.bin", edited);

  const Outcome one = RunVek({"--undo", a});
  EXPECT_EQ(one.status, kExitError);
  EXPECT_NE(one.err.find("vek wrote to another file of this name"), std::string::npos) << one.err;
  const Outcome all = RunVek({"--undo", "--all"});
  EXPECT_EQ(all.status, kExitError);
  EXPECT_NE(all.err.find("is no longer the file vek wrote to"), std::string::npos) << all.err;
  EXPECT_EQ(ReadBytes(a), edited);
  EXPECT_EQ(ReadBytes(a + ".old"), edited);
  EXPECT_NE(RunVek({"--history", a}).out.find("written to another file"), std::string::npos);
}

TEST_F(JournalCommands, ADamagedLineIsSkippedWithAWarningAndTheRestStillCounts) {
  Edit(a, {{3, 0x41}});
  std::ofstream(JournalFile(), std::ios::app) << "vek1 W garbage\n";
  Edit(a, {{4, 0x42}});
  const Outcome outcome = RunVek({"--undo", "--all", a});
  EXPECT_EQ(outcome.status, kExitFound);
  EXPECT_EQ(outcome.err, "vek: warning: " + JournalFile() +
                             ": 1 line is not a record of vek (damaged, or written by another program) and was skipped, "
                             "the first at line 2\n");
  EXPECT_EQ(ReadBytes(a), original);
}

TEST_F(JournalCommands, AJournalOthersCanWriteIsRefusedAndNothingIsUndone) {
  Edit(a, {{3, 0x41}});
  ::chmod((dir.Path() + "/state/vek").c_str(), 0777);
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--undo", a}, {"--history", a}}) {
    const Outcome outcome = RunVek(args);
    EXPECT_EQ(outcome.status, kExitError);
    EXPECT_NE(outcome.err.find("can be written by other users"), std::string::npos) << outcome.err;
  }
  Bytes edited = original;
  edited[3] = 0x41;
  EXPECT_EQ(ReadBytes(a), edited);
}

} // namespace
} // namespace vek::cli::test
