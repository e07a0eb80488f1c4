// The bytes the data inspector reads at the selected byte, over real files: one read from there on,
// past the page's end, short where the file ends, the page's bytes where the page on screen holds
// them, and a failure of the file as a cause.
#include "core/SelectedBytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "CountingBytes.h"
#include "FaultyFileSystem.h"
#include "TempDir.h"
#include "core/FileSession.h"

namespace vek::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

class SelectedBytesTest : public ::testing::Test {
 public:
  void Load(const Bytes& bytes) {
    path = dir.Write("f.bin", bytes);
    ASSERT_FALSE(session.LoadFile(files, path).message);
  }
  void GoTo(Offset offset) { ASSERT_FALSE(session.GoTo(files, offset).message); }
  Bytes Read() {
    const std::optional<FileResult<SelectedBytes>> read = ReadSelectedBytes(files, session);
    if (!read || !read->ok()) {
      ADD_FAILURE() << "nothing read";
      return {};
    }
    EXPECT_EQ(std::optional<Offset>(read->value.offset), session.SelectedOffset());
    const std::span<const std::uint8_t> bytes = read->value.Bytes();
    return {bytes.begin(), bytes.end()};
  }

  TempDir dir;
  FaultyFileSystem files;
  FileSession session;
  std::string path;
};

TEST_F(SelectedBytesTest, OneReadFromTheSelectedByteOnAsFarAsTheFileGoes) {
  Load(CountingBytes(1050));
  const struct {
    Offset selected;
    Bytes bytes;
  } cases[] = {
      {0, {0, 1, 2, 3, 4, 5, 6, 7}},
      {195, {195, 196, 197, 198, 199, 200, 201, 202}}, // past the page's end
      {1040, {16, 17, 18, 19, 20, 21, 22, 23}},
      {1045, {21, 22, 23, 24, 25}},                    // the file ends
      {1049, {25}},
  };
  for (const auto& c : cases) {
    GoTo(c.selected);
    const FaultCounters before = files.counters;
    EXPECT_EQ(Read(), c.bytes) << c.selected;
    EXPECT_EQ(files.counters.opens - before.opens, 1) << c.selected;
    EXPECT_EQ(files.counters.reads - before.reads, 1) << c.selected;
  }
}

TEST_F(SelectedBytesTest, ThePageOnScreenCountsWhereItHoldsTheBytes) {
  Load(CountingBytes(1050));
  session.Select(195); // five bytes before the page's end
  // An edit on screen, before it is written: the inspector explains what the page shows, and the
  // file gives what lies past the page.
  session.SetByte(195, 0xAA);
  EXPECT_EQ(Read(), (Bytes{0xAA, 196, 197, 198, 199, 200, 201, 202}));
  // The file cut short after the page was read: the page keeps its bytes, the file gives no more.
  std::filesystem::resize_file(path, 198);
  EXPECT_EQ(Read(), (Bytes{0xAA, 196, 197, 198, 199}));
  std::filesystem::resize_file(path, 0);
  EXPECT_EQ(Read(), (Bytes{0xAA, 196, 197, 198, 199}));
}

TEST_F(SelectedBytesTest, NoSelectedByteReadsNothing) {
  Load({});
  EXPECT_FALSE(ReadSelectedBytes(files, session));
  Load(CountingBytes(50));
  session.Select(60); // past the bytes of a short page
  EXPECT_FALSE(ReadSelectedBytes(files, session));
}

TEST_F(SelectedBytesTest, AFileThatFailsGivesItsCause) {
  const struct {
    const char* name;
    void (*fail)(FaultPlan&);
    FileError error;
  } cases[] = {
      {"open", [](FaultPlan& p) { p.openForRead = FileError::AccessDenied; }, FileError::AccessDenied},
      {"read", [](FaultPlan& p) { p.failRead = true; }, FileError::HardwareError},
      {"position", [](FaultPlan& p) { p.failSeek = true; }, FileError::BadOffset},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Load(CountingBytes(300));
    GoTo(250);
    c.fail(files.plan);
    const std::optional<FileResult<SelectedBytes>> read = ReadSelectedBytes(files, session);
    files.plan = {};
    ASSERT_TRUE(read);
    EXPECT_EQ(read->error, c.error);
    EXPECT_EQ(read->value.offset, 250);
  }
  // A file gone is not found.
  std::filesystem::remove(path);
  EXPECT_EQ(ReadSelectedBytes(files, session)->error, FileError::NotFound);
}

} // namespace
} // namespace vek::test
