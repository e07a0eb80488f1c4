// vek's writes to one file on real files: undo and redo, each checked against what another program
// did meanwhile; the journal read back by a later run; a journal that cannot be written; read-only.

#include "core/FileEditor.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "FaultyFileSystem.h"
#include "MemoryJournalStore.h"
#include "TempDir.h"
#include "platform/PosixJournalStore.h"

namespace vek {
namespace {

using test::Bytes;
using test::ReadBytes;

std::vector<JournalKind> Kinds(const std::vector<JournalRecord>& records) {
  std::vector<JournalKind> kinds;
  for (const JournalRecord& r : records) kinds.push_back(r.kind);
  return kinds;
}

class FileEditorTest : public testing::Test {
 protected:
  void SetUp() override { path = dir.Write("data.bin", original); }

  FileEditor Editor(Journal* journalToUse, EditHistory history = {}) {
    return FileEditor(files, journalToUse, path, *files.Identity(path), std::move(history));
  }

  Bytes With(std::initializer_list<std::pair<Offset, std::uint8_t>> changes) const {
    Bytes bytes = original;
    for (const auto& [at, value] : changes) bytes[static_cast<std::size_t>(at)] = value;
    return bytes;
  }

  test::TempDir dir;
  test::FaultyFileSystem files;
  test::MemoryJournalStore store;
  Journal journal{store};
  const Bytes original = Bytes{0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  std::string path;
};

TEST_F(FileEditorTest, UndoTakesTheNewestWriteBackAndRedoMakesItAgain) {
  FileEditor editor = Editor(&journal);
  ASSERT_EQ(editor.Write(2, 2, 0x20).outcome, WriteOutcome::Written);
  ASSERT_EQ(editor.Write(5, 5, 0x50).outcome, WriteOutcome::Written);
  EXPECT_EQ(editor.UndoText(false), "Undo: Byte 5 from 80 back to 5");

  const ByteWriteResult undone = editor.Undo();
  EXPECT_EQ(undone.outcome, WriteOutcome::Written);
  EXPECT_EQ(undone.offset, 5);
  EXPECT_EQ(ReadBytes(path), With({{2, 0x20}}));
  EXPECT_EQ(editor.RedoText(true), "Redo: Byte 5 from 5 to 50 again");

  EXPECT_EQ(editor.Redo().outcome, WriteOutcome::Written);
  EXPECT_EQ(ReadBytes(path), With({{2, 0x20}, {5, 0x50}}));
  EXPECT_EQ(editor.Redo().outcome, WriteOutcome::Nothing);
  EXPECT_EQ(editor.RedoText(false), std::nullopt);

  EXPECT_EQ(editor.Undo().outcome, WriteOutcome::Written);
  EXPECT_EQ(editor.Undo().outcome, WriteOutcome::Written);
  EXPECT_EQ(editor.Undo().outcome, WriteOutcome::Nothing);
  EXPECT_EQ(editor.UndoText(false), std::nullopt);
  EXPECT_EQ(ReadBytes(path), original);

  using K = JournalKind;
  EXPECT_EQ(Kinds(journal.Read().records), (std::vector<K>{K::Edit, K::Edit, K::Undo, K::Redo, K::Undo, K::Undo}));
}

TEST_F(FileEditorTest, AWriteOfTheValueShownIsWrittenButIsNothingToUndo) {
  FileEditor editor = Editor(&journal);
  EXPECT_EQ(editor.Write(3, 3, 3).outcome, WriteOutcome::Written);
  EXPECT_EQ(editor.UndoText(false), std::nullopt);
  EXPECT_EQ(store.appends, 0);
  EXPECT_EQ(files.counters.writes, 1);
}

TEST_F(FileEditorTest, AnUndoIsRefusedWhenAnotherProgramChangedTheByteAndTheWriteBeforeItIsNext) {
  FileEditor editor = Editor(&journal);
  editor.Write(2, 2, 0x20);
  editor.Write(5, 5, 0x50);
  test::PokeByte(path, 5, 0x77);
  const int writes = files.counters.writes;

  const ByteWriteResult refused = editor.Undo();
  EXPECT_EQ(refused.outcome, WriteOutcome::ByteChanged);
  EXPECT_EQ(refused.found, 0x77);
  EXPECT_EQ(files.counters.writes, writes);
  EXPECT_EQ(ReadBytes(path), With({{2, 0x20}, {5, 0x77}}));
  EXPECT_EQ(editor.UndoText(false), "Undo: Byte 2 from 32 back to 2");

  EXPECT_EQ(editor.Undo().outcome, WriteOutcome::Written);
  EXPECT_EQ(ReadBytes(path), With({{5, 0x77}}));
}

TEST_F(FileEditorTest, ARedoIsRefusedWhenAnotherProgramChangedTheByteSinceTheUndo) {
  FileEditor editor = Editor(&journal);
  editor.Write(2, 2, 0x20);
  editor.Undo();
  test::PokeByte(path, 2, 0x66);
  const ByteWriteResult refused = editor.Redo();
  EXPECT_EQ(refused.outcome, WriteOutcome::ByteChanged);
  EXPECT_EQ(ReadBytes(path), With({{2, 0x66}}));
  EXPECT_EQ(editor.RedoText(false), std::nullopt);
}

TEST_F(FileEditorTest, AnUndoOfAFileReplacedUnderItsNameWritesNeitherFile) {
  FileEditor editor = Editor(&journal);
  editor.Write(2, 2, 0x20);
  std::filesystem::rename(path, path + ".old");
  dir.Write("data.bin", With({{2, 0x20}}));
  EXPECT_EQ(editor.Undo().outcome, WriteOutcome::FileReplaced);
  EXPECT_EQ(ReadBytes(path), With({{2, 0x20}}));
  EXPECT_EQ(ReadBytes(path + ".old"), With({{2, 0x20}}));
  EXPECT_TRUE(editor.UndoText(false).has_value()) << "kept, should the file come back";
}

TEST_F(FileEditorTest, ALaterRunUndoesFromTheJournalWhatAnEarlierOneWrote) {
  const std::string state = dir.Path() + "/state/vek";
  {
    PosixJournalStore firstStore(state);
    Journal first(firstStore);
    FileEditor editor = Editor(&first);
    editor.Write(1, 1, 0x10);
    editor.Write(1, 0x10, 0x11);
    editor.Write(8, 8, 0x80);
    editor.Undo();
  }
  ASSERT_EQ(ReadBytes(path), With({{1, 0x11}}));

  PosixJournalStore laterStore(state);
  Journal later(laterStore);
  const JournalReading reading = later.Read();
  EXPECT_TRUE(reading.warnings.empty());
  EXPECT_TRUE(reading.problems.empty());
  ASSERT_EQ(reading.records.size(), 4u);
  EXPECT_EQ(reading.records[0].path, path);
  EXPECT_EQ(reading.records[0].identity, *files.Identity(path));

  FileEditor editor = Editor(&later, HistoryOf(reading.records, *files.Identity(path)));
  EXPECT_EQ(editor.RedoText(false), "Redo: Byte 8 from 8 to 128 again");
  EXPECT_EQ(editor.Undo().outcome, WriteOutcome::Written);
  EXPECT_EQ(editor.Undo().outcome, WriteOutcome::Written);
  EXPECT_EQ(editor.Undo().outcome, WriteOutcome::Nothing);
  EXPECT_EQ(ReadBytes(path), original);
}

TEST_F(FileEditorTest, ARecordWhoseWriteNeverHappenedIsPassedOverByUndo) {
  // What kill -9 between the record and the write leaves: the record, and the byte as it was.
  FileEditor editor = Editor(&journal);
  editor.Write(4, 4, 0x40);
  journal.Record(JournalRecord{JournalKind::Edit, 0, path, *files.Identity(path), {4, 0x40, 0x41}});

  FileEditor restarted = Editor(&journal, HistoryOf(journal.Read().records, *files.Identity(path)));
  const ByteWriteResult passed = restarted.Undo();
  EXPECT_EQ(passed.outcome, WriteOutcome::ByteChanged);
  ASSERT_TRUE(passed.message.has_value());
  EXPECT_NE(passed.message->text.find("holds 0x40 again"), std::string::npos) << passed.message->text;
  EXPECT_EQ(restarted.Undo().outcome, WriteOutcome::Written);
  EXPECT_EQ(ReadBytes(path), original);
}

TEST_F(FileEditorTest, AJournalThatCannotBeWrittenStillWritesTheByteAndSaysSoOnce) {
  store.failure = "/state/vek/journal: Read-only file system";
  FileEditor editor = Editor(&journal);
  const ByteWriteResult first = editor.Write(2, 2, 0x20);
  EXPECT_EQ(first.outcome, WriteOutcome::Written);
  ASSERT_TRUE(first.note.has_value());
  EXPECT_NE(first.note->text.find("after a restart this write cannot be undone"), std::string::npos);
  const ByteWriteResult second = editor.Write(3, 3, 0x30);
  EXPECT_EQ(second.outcome, WriteOutcome::Written);
  EXPECT_EQ(second.note, std::nullopt);
  EXPECT_EQ(ReadBytes(path), With({{2, 0x20}, {3, 0x30}}));

  EXPECT_EQ(editor.Undo().outcome, WriteOutcome::Written) << "undo still works in this run";
  EXPECT_EQ(editor.Undo().outcome, WriteOutcome::Written);
  EXPECT_EQ(ReadBytes(path), original);
}

TEST_F(FileEditorTest, WithoutAJournalUndoLastsAsLongAsTheEditor) {
  FileEditor editor = Editor(nullptr);
  editor.Write(2, 2, 0x20);
  EXPECT_EQ(editor.Undo().outcome, WriteOutcome::Written);
  EXPECT_EQ(editor.Redo().outcome, WriteOutcome::Written);
  EXPECT_EQ(ReadBytes(path), With({{2, 0x20}}));
}

TEST_F(FileEditorTest, ReadOnlyRefusesEveryWriteWithoutOpeningTheFileForWriting) {
  FileEditor editor = Editor(&journal);
  editor.Write(2, 2, 0x20);
  editor.Write(3, 3, 0x30);
  editor.Undo();
  const Bytes before = ReadBytes(path);
  const int appends = store.appends;
  files.counters = {};
  editor.SetReadOnly(true);

  for (const ByteWriteResult& result : {editor.Write(5, 5, 0x50), editor.Undo(), editor.Redo()}) {
    EXPECT_EQ(result.outcome, WriteOutcome::ReadOnly);
    ASSERT_TRUE(result.message.has_value());
    EXPECT_NE(result.message->text.find(path + " is open read-only"), std::string::npos) << result.message->text;
  }
  EXPECT_EQ(files.counters.opens, 0);
  EXPECT_EQ(store.appends, appends);
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_TRUE(editor.UndoText(false).has_value()) << "the history waits for read-only to end";

  editor.SetReadOnly(false);
  EXPECT_EQ(editor.Redo().outcome, WriteOutcome::Written);
}

} // namespace
} // namespace vek
