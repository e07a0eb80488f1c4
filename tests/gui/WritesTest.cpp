// The window's writes: undo and redo from the page's menu, an edit refused when the file changed
// underneath, a file open read-only, and the page kept true to the file while another program
// changes it. (The rules themselves: tests/core/FileSessionTest, ByteWriteTest, FileEditorTest.)
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include "AppHarness.h"
#include "ResourceIds.h"
#include "Strings.h"
#include "core/FileSession.h"
#include "platform/ControlTemplate.h"
#include "view/CVekView.h"
#include "view/PageArea.h"

namespace vek::test {
namespace {

class Writes : public ::testing::Test {
 protected:
  void Open(int size, std::vector<std::string> switches = {}) {
    path = h.files.WriteCounting(QStringLiteral("w.bin"), size);
    switches.push_back(TestFiles::Local(path));
    ASSERT_TRUE(h.Start(switches));
    view = h.ActiveView();
    ASSERT_NE(view, nullptr);
    view->grab();
    area = view->findChild<PageArea*>();
  }
  // A double-click on byte `index` and a new value typed in hex.
  void Edit(int index, const QString& hex) {
    h.ui.dialogSteps.push_back([hex](QDialog& d) {
      ClickButton(d, ids::kEditRadioHex);
      TypeInto(d, ids::kEditNewValue, hex);
      ClickButton(d, ids::kOk);
    });
    h.DoubleClick(view, view->HexCellCenter(index));
  }
  void PageKey(int key, Qt::KeyboardModifiers modifiers) {
    QApplication::setActiveWindow(view->window());
    area->setFocus();
    h.Key(area, key, modifiers);
  }
  QString MenuItem(const QString& start) const {
    for (const QAction* action : view->findChild<QMenu*>()->actions()) {
      if (action->text().startsWith(start)) return action->text() + (action->isEnabled() ? "" : " (disabled)");
    }
    return {};
  }

  AppHarness h;
  QString path;
  CVekView* view = nullptr;
  PageArea* area = nullptr;
};

TEST_F(Writes, UndoAndRedoTakeAWriteBackAndMakeItAgainFromThePagesMenu) {
  Open(300);
  EXPECT_EQ(MenuItem(QStringLiteral("&Undo")), QStringLiteral("&Undo (disabled)"));
  Edit(13, QStringLiteral("41"));
  ASSERT_EQ(TestFiles::Read(path)[13], 0x41);
  EXPECT_EQ(h.journalStore.appends, 1) << "recorded before the byte was written";
  EXPECT_EQ(MenuItem(QStringLiteral("Undo")), QStringLiteral("Undo: Byte 13 from 65 back to 13"));
  h.ClickControl(view, ids::kNextPage); // the undo shows the byte wherever the page is
  PageKey(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(TestFiles::Read(path), TestFiles::Counting(300));
  EXPECT_EQ(view->Session().Page().start, 0);
  EXPECT_EQ(view->Session().SelectedOffset(), 13);
  EXPECT_EQ(MenuItem(QStringLiteral("Redo")), QStringLiteral("Redo: Byte 13 from 13 to 65 again"));
  PageKey(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(TestFiles::Read(path)[13], 0x41);
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.MessageTexts().join(u'|').toStdString();
  // Ctrl+Z is the accelerator table's and still does nothing.
  PageKey(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(TestFiles::Read(path)[13], 0x41);
}

TEST_F(Writes, AnEditOfAByteAnotherProgramChangedIsRefusedAndThePageReadAgain) {
  Open(300);
  QByteArray changed = TestFiles::Counting(300);
  changed[20] = 'Q';
  h.files.Write(QStringLiteral("w.bin"), changed);
  Edit(20, QStringLiteral("41"));
  ASSERT_EQ(h.ui.messages.size(), 1u);
  EXPECT_TRUE(h.ui.messages[0].text.contains(path)) << h.ui.messages[0].text.toStdString();
  EXPECT_EQ(TestFiles::Read(path), changed) << "nothing written";
  EXPECT_EQ(AsciiLines(view)[1][0], QLatin1Char('Q')) << "the page shows what the file holds";
}

TEST_F(Writes, AFileOpenReadOnlyIsNeverWrittenAndSaysSo) {
  Open(300, {"--read-only"});
  const QList<QLabel*> labels = view->findChildren<QLabel*>();
  const auto shownMark = [&] {
    for (const QLabel* label : labels) {
      if (label->text() == QStringLiteral("Read-only")) return label->isVisible();
    }
    return false;
  };
  EXPECT_TRUE(shownMark());
  EXPECT_EQ(MenuItem(QStringLiteral("Read-")), QStringLiteral("Read-&only"));
  h.DoubleClick(view, view->HexCellCenter(5));
  ASSERT_EQ(h.ui.messages.size(), 1u);
  EXPECT_EQ(h.ui.dialogsRun, 0) << "no Edit Byte dialog";
  PageKey(Qt::Key_F2, Qt::NoModifier);
  EXPECT_EQ(h.ui.messages.size(), 2u);
  EXPECT_EQ(h.fileSystem.counters.writeOpens, 0) << "never opened for writing";

  PageKey(Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier); // writable again
  EXPECT_FALSE(shownMark());
  Edit(5, QStringLiteral("41"));
  EXPECT_EQ(TestFiles::Read(path)[5], 0x41);
}

TEST_F(Writes, ThePageFollowsAnotherProgramsChangesWithoutACommand) {
  Open(250);
  h.TypeStart(view, QStringLiteral("100")); // typed, not applied
  QByteArray grown = TestFiles::Counting(250) + QByteArray(30, 'N');
  grown[7] = 'X';
  h.files.Write(QStringLiteral("w.bin"), grown);
  ASSERT_TRUE(QTest::qWaitFor([&] { return view->Session().Page().fileSize == 280; }, 5000));
  EXPECT_EQ(h.ControlText(view, ids::kFileSize), QStringLiteral("280\r\nBytes"));
  EXPECT_EQ(AsciiLines(view)[0][7], QLatin1Char('X'));
  EXPECT_TRUE(view->Session().ChangedOutside(7));
  EXPECT_FALSE(view->Session().ChangedOutside(8));
  EXPECT_EQ(h.ControlText(view, ids::kStart), QStringLiteral("100")) << "the typed start stays typed";
  EXPECT_TRUE(h.ui.messages.empty());
  h.ClickControl(view, ids::kNextPage); // a page move ends the marks
  EXPECT_FALSE(view->Session().ChangedOutside(7));
}

} // namespace
} // namespace vek::test
