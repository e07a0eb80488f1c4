// The write of one byte on real files, with another program changing them underneath and with the
// file layer failing at each step.

#include "core/ByteWrite.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "FaultyFileSystem.h"
#include "Strings.h"
#include "TempDir.h"

namespace vek {
namespace {

using test::Bytes;
using test::FaultPlan;
using test::ReadBytes;

constexpr Offset kAt = 8;
constexpr std::uint8_t kNew = 0x41;

Bytes Counting(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i);
  return bytes;
}

// The system's text with %1, where it has one, replaced by the path.
std::string WithPath(const char* text, const std::string& path) {
  std::string message(text);
  if (const std::size_t at = message.find("%1"); at != std::string::npos) message.replace(at, 2, path);
  return message;
}

class ByteWriteTest : public testing::Test {
 protected:
  void SetUp() override {
    path = dir.Write("data.bin", original);
    identity = *files.Identity(path);
  }

  ByteWriteResult Write(const BeforeByteWrite& before = {}) {
    return WriteCheckedByte(files, path, {identity, kAt, original[kAt], kNew, WriteKind::Edit}, before);
  }

  test::TempDir dir;
  test::FaultyFileSystem files;
  const Bytes original = Counting(300);
  std::string path;
  FileIdentity identity;
};

TEST_F(ByteWriteTest, WritesTheByteWhenTheFileIsAsThePageShowedIt) {
  int journaled = 0;
  const ByteWriteResult result = Write([&] {
    ++journaled;
    EXPECT_EQ(ReadBytes(path), original) << "the journal comes before the write";
    return std::optional<Message>(Message{"noted"});
  });
  EXPECT_EQ(result.outcome, WriteOutcome::Written);
  EXPECT_EQ(result.offset, kAt);
  EXPECT_EQ(result.message, std::nullopt);
  EXPECT_EQ(result.note, Message{"noted"});
  EXPECT_FALSE(result.PageIsStale());
  EXPECT_EQ(journaled, 1);
  Bytes expected = original;
  expected[kAt] = kNew;
  EXPECT_EQ(ReadBytes(path), expected);
  EXPECT_EQ(files.counters.syncs, 1);
  EXPECT_EQ(files.counters.bytesWritten, 1u);
}

// Another program got there between the page read and the write.
struct Underneath {
  const char* name;
  std::function<void(const std::string& path, test::TempDir& dir)> change;
  WriteOutcome outcome;
  std::vector<const char*> mentions; // beside the path
  std::optional<std::uint8_t> found;
};
void PrintTo(const Underneath& c, std::ostream* os) { *os << c.name; }

class ChangedUnderneath : public ByteWriteTest, public testing::WithParamInterface<Underneath> {};

TEST_P(ChangedUnderneath, RefusesAndWritesNothing) {
  const Underneath& c = GetParam();
  c.change(path, dir);
  const Bytes there = ReadBytes(path);
  int journaled = 0;
  const ByteWriteResult result = Write([&] {
    ++journaled;
    return std::nullopt;
  });
  EXPECT_EQ(result.outcome, c.outcome);
  EXPECT_TRUE(result.PageIsStale());
  EXPECT_EQ(result.found, c.found);
  ASSERT_TRUE(result.message.has_value());
  EXPECT_NE(result.message->text.find(path), std::string::npos) << result.message->text;
  for (const char* word : c.mentions) EXPECT_NE(result.message->text.find(word), std::string::npos) << result.message->text;
  EXPECT_EQ(journaled, 0);
  EXPECT_EQ(files.counters.writes, 0);
  EXPECT_EQ(ReadBytes(path), there);
  if (std::filesystem::exists(path + ".old")) {
    EXPECT_EQ(ReadBytes(path + ".old"), original);
  }
}

INSTANTIATE_TEST_SUITE_P(
    ByteWrite, ChangedUnderneath,
    testing::Values(
        Underneath{"TheByteChanged", [](const std::string& p, test::TempDir&) { test::PokeByte(p, kAt, 0x99); },
                   WriteOutcome::ByteChanged, {"offset 8 (0x8)", "0x08", "0x99", "another program"}, 0x99},
        Underneath{"TheFileWasReplacedUnderTheSameName",
                   [](const std::string& p, test::TempDir& d) {
                     std::filesystem::rename(p, p + ".old");
                     d.Write("data.bin", Counting(300)); // the same bytes, another file
                   },
                   WriteOutcome::FileReplaced, {"offset 8 (0x8)", "no longer the one the page was read from"}, std::nullopt},
        Underneath{"TheFileShrankBelowTheByte",
                   [](const std::string& p, test::TempDir&) { std::filesystem::resize_file(p, kAt); },
                   WriteOutcome::ByteChanged, {"shorter than offset 8 (0x8)", "nothing was written"}, std::nullopt}),
    [](const testing::TestParamInfo<Underneath>& info) { return std::string(info.param.name); });

// The failures the system words itself: the same for the checked write and the plain one.
struct Fault {
  const char* name;
  void (*apply)(FaultPlan&);
  const char* text; // %1 the path
  MessageIcon icon;
  bool written;     // the write was tried
};
void PrintTo(const Fault& c, std::ostream* os) { *os << c.name; }

class WriteFault : public ByteWriteTest, public testing::WithParamInterface<Fault> {};

TEST_P(WriteFault, IsReportedWithTheSystemsTextAndNoMoreIsWritten) {
  const Fault& c = GetParam();
  c.apply(files.plan);
  const Message expected{WithPath(c.text, path), c.icon};
  const ByteWriteResult checked = Write();
  EXPECT_EQ(checked.outcome, WriteOutcome::Failed);
  EXPECT_EQ(checked.message, expected);
  EXPECT_NE(checked.cause, FileError::None);
  EXPECT_FALSE(checked.PageIsStale()) << "the page keeps the new value until Refresh";
  EXPECT_EQ(files.counters.writes > 0, c.written);

  EXPECT_EQ(WriteByteAt(files, path, kAt, kNew), expected);
  EXPECT_EQ(std::filesystem::file_size(path), original.size());
  if (!c.written) {
    EXPECT_EQ(ReadBytes(path), original);
  }
}

INSTANTIATE_TEST_SUITE_P(
    ByteWrite, WriteFault,
    testing::Values(
        Fault{"DoesNotOpenForWriting", [](FaultPlan& p) { p.openForWrite = FileError::AccessDenied; },
              strings::kFileNotOpened, MessageIcon::Warning, false},
        Fault{"CannotBePositioned", [](FaultPlan& p) { p.failSeek = true; }, strings::kSeekError, MessageIcon::Warning,
              false},
        Fault{"FailedLength", [](FaultPlan& p) { p.failLength = true; }, strings::kOpenHardware, MessageIcon::Stop, false},
        Fault{"FailedWrite", [](FaultPlan& p) { p.failWrite = FileError::DiskFull; }, strings::kDiskFull,
              MessageIcon::Stop, true},
        Fault{"ShortWrite", [](FaultPlan& p) { p.shortWrite = true; }, strings::kDiskFull, MessageIcon::Stop, true},
        Fault{"FailedSync", [](FaultPlan& p) { p.failSync = FileError::HardwareError; }, strings::kOpenHardware,
              MessageIcon::Stop, true}),
    [](const testing::TestParamInfo<Fault>& info) { return std::string(info.param.name); });

TEST_F(ByteWriteTest, AFailedCheckReadOrIdentityIsAFailureWithTheCausesText) {
  const std::function<void(FaultPlan&)> faults[] = {
      [](FaultPlan& p) { p.failRead = true; },
      [](FaultPlan& p) { p.failIdentity = FileError::HardwareError; },
  };
  for (const auto& fault : faults) {
    files.plan = {};
    fault(files.plan);
    const ByteWriteResult result = Write();
    EXPECT_EQ(result.outcome, WriteOutcome::Failed);
    EXPECT_EQ(result.message, (Message{WithPath(strings::kOpenHardware, path), MessageIcon::Stop}));
  }
  EXPECT_EQ(files.counters.writes, 0);
  EXPECT_EQ(ReadBytes(path), original);
}

TEST_F(ByteWriteTest, ADifferentByteReadBackAfterTheSyncIsReported) {
  files.afterWrite = [&](Offset at) { test::PokeByte(path, at, 0x42); };
  const ByteWriteResult result = Write();
  EXPECT_EQ(result.outcome, WriteOutcome::ReadBackDiffers);
  EXPECT_EQ(result.found, 0x42);
  EXPECT_TRUE(result.PageIsStale());
  ASSERT_TRUE(result.message.has_value());
  EXPECT_EQ(result.message->icon, MessageIcon::Stop);
  EXPECT_NE(result.message->text.find("written as 0x41 and synced, but reads back as 0x42"), std::string::npos)
      << result.message->text;

  files.afterWrite = [&](Offset) { std::filesystem::resize_file(path, 2); };
  const ByteWriteResult gone = WriteCheckedByte(files, path, {identity, 2, 2, kNew, WriteKind::Edit});
  EXPECT_EQ(gone.outcome, WriteOutcome::ReadBackDiffers);
  EXPECT_EQ(gone.found, std::nullopt);
}

TEST_F(ByteWriteTest, ARefusedUndoOrRedoSaysWhatVekWroteAndThatItWasLeftAlone) {
  test::PokeByte(path, kAt, 0x99);
  struct Case {
    WriteKind kind;
    std::uint8_t expected, value;
    const char* says;
  };
  const Case cases[] = {
      {WriteKind::Undo, 0x41, 0x08, "no longer 0x41, as vek wrote it, but 0x99"},
      {WriteKind::Undo, 0x41, 0x99, "holds 0x99 again, as before vek wrote 0x41"},
      {WriteKind::Redo, 0x08, 0x41, "no longer 0x08, as the undo left it, but 0x99"},
  };
  for (const Case& c : cases) {
    const ByteWriteResult result = WriteCheckedByte(files, path, {identity, kAt, c.expected, c.value, c.kind});
    EXPECT_EQ(result.outcome, WriteOutcome::ByteChanged);
    ASSERT_TRUE(result.message.has_value());
    EXPECT_NE(result.message->text.find(c.says), std::string::npos) << result.message->text;
  }
  EXPECT_EQ(files.counters.writes, 0);
}

} // namespace
} // namespace vek
