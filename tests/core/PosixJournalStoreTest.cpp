// The journal's files on a real file system: made private, never reached through a link planted
// in their place, refused where another user could write them, bounded, and a line cut short by a
// crash kept apart from the next record.

#include "platform/PosixJournalStore.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "TempDir.h"
#include "core/Journal.h"

namespace vek {
namespace {

namespace fs = std::filesystem;

JournalRecord At(Offset offset) { return JournalRecord{JournalKind::Edit, 1717000000, "/f", {1, 2}, {offset, 1, 2}}; }

mode_t ModeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

std::vector<Offset> OffsetsIn(JournalStore& store) {
  std::vector<Offset> offsets;
  for (const JournalRecord& r : Journal(store).Read().records) offsets.push_back(r.edit.offset);
  return offsets;
}

class PosixJournalStoreTest : public testing::Test {
 protected:
  std::string Directory() const { return dir.Path() + "/state/deeper/vek"; }
  std::string JournalFile() const { return Directory() + "/journal"; }

  test::TempDir dir;
};

TEST_F(PosixJournalStoreTest, MakesAPrivateDirectoryAndFileOnTheFirstRecordOnly) {
  PosixJournalStore store(Directory());
  EXPECT_TRUE(store.Read().texts.empty());
  EXPECT_TRUE(store.Read().problems.empty());
  EXPECT_FALSE(fs::exists(dir.Path() + "/state")) << "reading makes nothing";

  EXPECT_EQ(store.Append(EncodeRecord(At(7))), std::nullopt);
  EXPECT_EQ(ModeOf(dir.Path() + "/state"), 0700u);
  EXPECT_EQ(ModeOf(Directory()), 0700u);
  EXPECT_EQ(ModeOf(JournalFile()), 0600u);
  PosixJournalStore later(Directory());
  EXPECT_EQ(OffsetsIn(later), std::vector<Offset>{7});
}

TEST_F(PosixJournalStoreTest, TightensADirectoryAndFileThatOthersMayRead) {
  fs::create_directories(Directory());
  ::chmod(Directory().c_str(), 0755);
  PosixJournalStore store(Directory());
  ASSERT_EQ(store.Append(EncodeRecord(At(1))), std::nullopt);
  ::chmod(JournalFile().c_str(), 0644);
  ASSERT_EQ(store.Append(EncodeRecord(At(2))), std::nullopt);
  EXPECT_EQ(ModeOf(Directory()), 0700u);
  EXPECT_EQ(ModeOf(JournalFile()), 0600u);
}

// Each refusal leaves the journal unwritten and unread, says why and names what it refused.
struct Refusal {
  const char* name;
  void (*plant)(const std::string& directory, const std::string& elsewhere);
  const char* reason;
};
void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

class Refused : public PosixJournalStoreTest, public testing::WithParamInterface<Refusal> {};

TEST_P(Refused, NothingIsWrittenThroughItAndSoIsWhy) {
  const std::string elsewhere = dir.Path() + "/elsewhere";
  fs::create_directories(elsewhere);
  GetParam().plant(Directory(), elsewhere);
  const std::string target = elsewhere + "/journal";
  const bool targetExisted = fs::exists(target);
  const auto before = targetExisted ? fs::file_size(target) : 0;

  PosixJournalStore store(Directory());
  const std::optional<std::string> appended = store.Append(EncodeRecord(At(1)));
  ASSERT_TRUE(appended.has_value());
  EXPECT_NE(appended->find(GetParam().reason), std::string::npos) << *appended;
  EXPECT_NE(appended->find(Directory()), std::string::npos) << *appended;
  EXPECT_EQ(fs::exists(target), targetExisted);
  if (targetExisted) {
    EXPECT_EQ(fs::file_size(target), before);
  }

  const JournalContents read = store.Read();
  EXPECT_TRUE(read.texts.empty());
  ASSERT_EQ(read.problems.size(), 1u);
  EXPECT_NE(read.problems[0].find(GetParam().reason), std::string::npos) << read.problems[0];
}

INSTANTIATE_TEST_SUITE_P(
    PosixJournalStore, Refused,
    testing::Values(
        Refusal{"ALinkPlantedAsTheJournal",
                [](const std::string& d, const std::string& e) {
                  fs::create_directories(d);
                  ::chmod(d.c_str(), 0700);
                  // a file of the person's own, which a record must not reach
                  std::FILE* f = std::fopen((e + "/journal").c_str(), "w");
                  std::fputs("precious\n", f);
                  std::fclose(f);
                  fs::create_symlink(e + "/journal", d + "/journal");
                },
                "is a symbolic link"},
        Refusal{"ALinkPlantedAsTheDirectory",
                [](const std::string& d, const std::string& e) {
                  fs::create_directories(fs::path(d).parent_path());
                  fs::create_symlink(e, d);
                },
                "is a symbolic link"},
        Refusal{"ADirectoryOthersCanWrite",
                [](const std::string& d, const std::string&) {
                  fs::create_directories(d);
                  ::chmod(d.c_str(), 0777);
                },
                "can be written by other users"},
        Refusal{"AGroupWritableDirectory",
                [](const std::string& d, const std::string&) {
                  fs::create_directories(d);
                  ::chmod(d.c_str(), 0770);
                },
                "can be written by other users"},
        Refusal{"AJournalOthersCanWrite",
                [](const std::string& d, const std::string&) {
                  fs::create_directories(d);
                  ::chmod(d.c_str(), 0700);
                  std::FILE* f = std::fopen((d + "/journal").c_str(), "w");
                  std::fclose(f);
                  ::chmod((d + "/journal").c_str(), 0666);
                },
                "can be written by other users"},
        Refusal{"AJournalThatIsADirectory",
                [](const std::string& d, const std::string&) {
                  fs::create_directories(d + "/journal");
                  ::chmod(d.c_str(), 0700);
                },
                "is not a regular file"}),
    [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });

TEST_F(PosixJournalStoreTest, ADirectoryOfAnotherUserIsRefused) {
  fs::create_directories(Directory());
  ::chmod(Directory().c_str(), 0700);
  if (::geteuid() != 0 || ::chown(Directory().c_str(), 65534, 65534) != 0) GTEST_SKIP() << "needs root to chown";
  PosixJournalStore store(Directory());
  const std::optional<std::string> appended = store.Append(EncodeRecord(At(1)));
  ASSERT_TRUE(appended.has_value());
  EXPECT_NE(appended->find("belongs to another user"), std::string::npos) << *appended;
}

TEST_F(PosixJournalStoreTest, AJournalThatCannotBeMadeSaysWhy) {
  dir.Write("state", {}); // a file where the directory should be
  PosixJournalStore store(Directory());
  const std::optional<std::string> appended = store.Append(EncodeRecord(At(1)));
  ASSERT_TRUE(appended.has_value());
  EXPECT_NE(appended->find(dir.Path() + "/state"), std::string::npos) << *appended;
  EXPECT_EQ(store.Read().problems.size(), 1u);

  PosixJournalStore nowhere(std::nullopt);
  const std::optional<std::string> none = nowhere.Append(EncodeRecord(At(1)));
  ASSERT_TRUE(none.has_value());
  EXPECT_NE(none->find("XDG_STATE_HOME"), std::string::npos);
}

TEST_F(PosixJournalStoreTest, KeepsTheNewestRecordsInTwoFilesAndForgetsTheOldest) {
  PosixJournalStore store(Directory(), 3);
  for (Offset at = 1; at <= 7; ++at) ASSERT_EQ(store.Append(EncodeRecord(At(at))), std::nullopt) << at;
  EXPECT_EQ(OffsetsIn(store), (std::vector<Offset>{4, 5, 6, 7}));
  EXPECT_EQ(ModeOf(Directory() + "/journal.old"), 0600u);

  // Another run appending meanwhile is counted too.
  PosixJournalStore other(Directory(), 3);
  ASSERT_EQ(other.Append(EncodeRecord(At(8))), std::nullopt);
  ASSERT_EQ(other.Append(EncodeRecord(At(9))), std::nullopt);
  ASSERT_EQ(store.Append(EncodeRecord(At(10))), std::nullopt);
  EXPECT_EQ(OffsetsIn(store), (std::vector<Offset>{7, 8, 9, 10}));
}

TEST_F(PosixJournalStoreTest, AJournalRemovedOrMovedAwayWhileVekRunsIsMadeAgainAtItsName) {
  PosixJournalStore store(Directory());
  ASSERT_EQ(store.Append(EncodeRecord(At(1))), std::nullopt);
  fs::remove(JournalFile());
  ASSERT_EQ(store.Append(EncodeRecord(At(2))), std::nullopt);
  EXPECT_EQ(OffsetsIn(store), std::vector<Offset>{2});

  fs::rename(Directory(), Directory() + ".moved");
  ASSERT_EQ(store.Append(EncodeRecord(At(3))), std::nullopt);
  EXPECT_EQ(OffsetsIn(store), std::vector<Offset>{3});
  EXPECT_EQ(ModeOf(Directory()), 0700u);

  ::chmod(Directory().c_str(), 0777);
  EXPECT_TRUE(store.Append(EncodeRecord(At(4))).has_value()) << "made writable by others while vek runs";
}

TEST_F(PosixJournalStoreTest, ALineCutShortByACrashStaysApartFromTheNextRecord) {
  PosixJournalStore store(Directory());
  ASSERT_EQ(store.Append(EncodeRecord(At(1))), std::nullopt);
  const std::string cut = EncodeRecord(At(2)).substr(0, 20);
  std::FILE* f = std::fopen(JournalFile().c_str(), "a");
  std::fputs(cut.c_str(), f);
  std::fclose(f);

  // Restarted: the first append after a read of the journal, and one straight away.
  for (const bool readFirst : {true, false}) {
    PosixJournalStore restarted(Directory());
    if (readFirst) restarted.Read();
    ASSERT_EQ(restarted.Append(EncodeRecord(At(3))), std::nullopt);
    f = std::fopen(JournalFile().c_str(), "a");
    std::fputs(cut.c_str(), f);
    std::fclose(f);
  }
  const JournalReading reading = Journal(store).Read();
  ASSERT_EQ(reading.records, (std::vector<JournalRecord>{At(1), At(3), At(3)}));
  ASSERT_EQ(reading.warnings.size(), 1u);
  EXPECT_NE(reading.warnings[0].find("3 lines are not a record"), std::string::npos) << reading.warnings[0];
  EXPECT_NE(reading.warnings[0].find("the first at line 2"), std::string::npos) << reading.warnings[0];
}

} // namespace
} // namespace vek
