// The order of undo and redo, and the history a journal's records leave behind.

#include "core/EditHistory.h"

#include <gtest/gtest.h>

#include "core/EditMenuText.h"
#include "core/Journal.h"

namespace vek {
namespace {

const ByteEdit kA{10, 0x01, 0x02};
const ByteEdit kB{20, 0x03, 0x04};
const ByteEdit kC{10, 0x02, 0x05}; // the byte of kA once more

enum class Step { Undone, Redone, DropNextUndo, DropRedos };

struct Case {
  const char* name;
  std::vector<ByteEdit> recorded;
  std::vector<Step> steps;
  std::vector<ByteEdit> edits;
  std::size_t inFile;
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class EditHistoryOrder : public testing::TestWithParam<Case> {};

TEST_P(EditHistoryOrder, LeavesTheWritesAndHowManyAreInTheFile) {
  const Case& c = GetParam();
  EditHistory history;
  for (const ByteEdit& edit : c.recorded) history.Record(edit);
  for (const Step step : c.steps) {
    switch (step) {
      case Step::Undone: history.Undone(); break;
      case Step::Redone: history.Redone(); break;
      case Step::DropNextUndo: history.DropNextUndo(); break;
      case Step::DropRedos: history.DropRedos(); break;
    }
  }
  EXPECT_EQ(history.Edits(), c.edits);
  EXPECT_EQ(history.InFile(), c.inFile);
  EXPECT_EQ(history.NextUndo(), c.inFile > 0 ? std::optional(c.edits[c.inFile - 1]) : std::nullopt);
  EXPECT_EQ(history.NextRedo(), c.inFile < c.edits.size() ? std::optional(c.edits[c.inFile]) : std::nullopt);
}

using S = Step;
INSTANTIATE_TEST_SUITE_P(
    EditHistory, EditHistoryOrder,
    testing::Values(Case{"Empty", {}, {}, {}, 0},
                    Case{"NothingToUndoOrRedoIsHarmless", {}, {S::Undone, S::Redone, S::DropNextUndo}, {}, 0},
                    Case{"UndoTakesTheNewestFirst", {kA, kB}, {S::Undone}, {kA, kB}, 1},
                    Case{"RedoAfterUndoGivesItBack", {kA, kB}, {S::Undone, S::Undone, S::Redone}, {kA, kB}, 1},
                    Case{"RedoPastTheNewestDoesNothing", {kA}, {S::Redone}, {kA}, 1},
                    Case{"ADroppedUndoLeavesTheOneBeforeIt", {kA, kB, kC}, {S::DropNextUndo}, {kA, kB}, 2},
                    Case{"ADroppedUndoKeepsTheRedos", {kA, kB, kC}, {S::Undone, S::DropNextUndo}, {kA, kC}, 1},
                    Case{"DroppedRedosAreGone", {kA, kB, kC}, {S::Undone, S::Undone, S::DropRedos}, {kA}, 1}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(EditHistory, ANewWriteAfterAnUndoCannotBeFollowedByARedo) {
  EditHistory history;
  history.Record(kA);
  history.Record(kB);
  history.Undone();
  history.Record(kC);
  EXPECT_EQ(history.Edits(), (std::vector<ByteEdit>{kA, kC}));
  EXPECT_EQ(history.NextRedo(), std::nullopt);
  EXPECT_EQ(history.NextUndo(), kC);
}

// The journal's records replayed: one run's own records, and two runs writing to one file at once.
TEST(EditHistory, TheJournalsRecordsLeaveTheHistoryTheirRunHad) {
  const FileIdentity file{1, 2};
  const FileIdentity other{1, 3};
  const auto record = [](JournalKind kind, FileIdentity identity, ByteEdit edit) {
    return JournalRecord{kind, 0, "/f", identity, edit};
  };
  using K = JournalKind;
  struct Replay {
    const char* name;
    std::vector<JournalRecord> records;
    std::vector<ByteEdit> edits;
    std::size_t inFile;
  };
  const Replay cases[] = {
      {"OnlyThisFilesRecordsCount", {record(K::Edit, file, kA), record(K::Edit, other, kB)}, {kA}, 1},
      {"UndoAndRedoAsOneRunMadeThem",
       {record(K::Edit, file, kA), record(K::Edit, file, kB), record(K::Undo, file, kB), record(K::Undo, file, kA),
        record(K::Redo, file, kA)},
       {kA, kB},
       1},
      {"AnUndoOfAnOlderWriteTakesItOut",
       {record(K::Edit, file, kA), record(K::Edit, file, kB), record(K::Undo, file, kA)},
       {kB},
       1},
      {"AnUndoOfNothingKnownIsIgnored", {record(K::Edit, file, kA), record(K::Undo, file, kC)}, {kA}, 1},
      {"ARedoNotNextIsPutBackInTheFile",
       {record(K::Edit, file, kA), record(K::Edit, file, kB), record(K::Undo, file, kB), record(K::Undo, file, kA),
        record(K::Redo, file, kB)},
       {kB, kA},
       1},
      {"ARedoOfAnEditNeverSeenCountsAsInTheFile", {record(K::Redo, file, kC)}, {kC}, 1},
  };
  for (const Replay& c : cases) {
    SCOPED_TRACE(c.name);
    const EditHistory history = HistoryOf(c.records, file);
    EXPECT_EQ(history.Edits(), c.edits);
    EXPECT_EQ(history.InFile(), c.inFile);
  }
}

TEST(EditMenuText, SaysWhichByteGoesFromWhichValueToWhichInThePagesRadix) {
  const ByteEdit edit{413, 10, 65};
  EXPECT_EQ(UndoMenuText(edit, false), "Undo: Byte 413 from 65 back to 10");
  EXPECT_EQ(UndoMenuText(edit, true), "Undo: Byte 19D from 41 back to A");
  EXPECT_EQ(RedoMenuText(edit, false), "Redo: Byte 413 from 10 to 65 again");
  EXPECT_EQ(RedoMenuText(edit, true), "Redo: Byte 19D from A to 41 again");
  EXPECT_EQ(UndoMenuText({0, 0xFF, 0}, true), "Undo: Byte 0 from 0 back to FF");
}

} // namespace
} // namespace vek
