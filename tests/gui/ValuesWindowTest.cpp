// The data inspector as a person uses it: Ctrl+Shift+I on the page shows it beside the main window,
// and it follows the active document window and in it the selected byte through moves, page turns,
// edits and the radix; it reads nothing while closed; Esc closes it; its rows name each reading.
#include <gtest/gtest.h>

#include <filesystem>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMdiArea>
#include <QTest>
#include <QTreeWidget>

#include "AppHarness.h"
#include "ResourceIds.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "tools/ValuesWindow.h"
#include "view/CVekView.h"
#include "view/PageArea.h"

namespace vek::test {
namespace {

// 01 02 03 04 at the start, then bytes that name their offset.
QByteArray Sample(int size) {
  QByteArray bytes = TestFiles::Counting(size);
  bytes.replace(0, 4, QByteArray("\x01\x02\x03\x04", 4));
  return bytes;
}

class ValuesWindowTest : public ::testing::Test {
 protected:
  void Open(const QByteArray& bytes) {
    path = h.files.Write(QStringLiteral("sample.bin"), bytes);
    view = h.StartOn(path);
    ASSERT_NE(view, nullptr);
    view->grab(); // painted once, so that clicks find their bytes
    FocusThePage(view);
  }
  void FocusThePage(CVekView* v) {
    QApplication::setActiveWindow(v->window());
    area = v->findChild<PageArea*>();
    ASSERT_NE(area, nullptr);
    area->setFocus();
  }
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { h.Key(area, key, modifiers); }
  ValuesWindow* ShowByKey() {
    Press(Qt::Key_I, Qt::ControlModifier | Qt::ShiftModifier);
    auto* inspector = h.Frame()->findChild<ValuesWindow*>();
    return inspector != nullptr && inspector->isVisible() ? inspector : nullptr;
  }
  QTreeWidget* Rows(const ValuesWindow* inspector) const { return inspector->findChild<QTreeWidget*>(); }
  // A click into the inspector, as a person gives it the keyboard.
  QTreeWidget* FocusTheRows(ValuesWindow* inspector) const {
    QApplication::setActiveWindow(inspector);
    QTreeWidget* rows = Rows(inspector);
    rows->setFocus();
    return rows;
  }
  QString Value(const ValuesWindow* inspector, const QString& name) const {
    const QList<QTreeWidgetItem*> found = Rows(inspector)->findItems(name, Qt::MatchExactly, 0);
    if (found.size() != 1) {
      ADD_FAILURE() << found.size() << " rows named " << name.toStdString();
      return {};
    }
    return found.front()->text(1);
  }
  QString Heading(const ValuesWindow* inspector) const { return inspector->findChild<QLabel*>()->text(); }

  AppHarness h;
  QString path;
  CVekView* view = nullptr;
  PageArea* area = nullptr;
};

TEST_F(ValuesWindowTest, TheKeyShowsAToolWindowOfTheMainWindowAndLeavesTheFocusOnThePage) {
  Open(Sample(1050));
  const QString mainTitle = h.Frame()->windowTitle();
  const QSize mainSize = h.Frame()->size();
  ValuesWindow* inspector = ShowByKey();
  ASSERT_NE(inspector, nullptr);
  EXPECT_EQ(inspector->windowFlags() & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_EQ(inspector->parentWidget(), h.Frame());
  EXPECT_EQ(inspector->windowTitle(), "Data Inspector");
  EXPECT_TRUE(area->hasFocus()) << "the arrows go on moving the selected byte";
  EXPECT_EQ(h.Frame()->windowTitle(), mainTitle);
  EXPECT_EQ(h.Frame()->size(), mainSize);
  // Each row is a name and a value, every one of them in view without scrolling.
  QTreeWidget* rows = Rows(inspector);
  ASSERT_EQ(rows->topLevelItemCount(), 25);
  EXPECT_EQ(rows->headerItem()->text(0), "Type");
  EXPECT_EQ(rows->headerItem()->text(1), "Value");
  const QRect last = rows->visualItemRect(rows->topLevelItem(24));
  EXPECT_LE(last.bottom(), rows->viewport()->height()) << "the last row is cut off";
  EXPECT_EQ(Heading(inspector), "Offset 0 of sample.bin");
  EXPECT_EQ(Value(inspector, "uint32 LE"), "67305985");
  EXPECT_EQ(Value(inspector, "uint32 BE"), "16909060");
  // Asked for again, the same window comes to the front.
  h.Frame()->ShowInspector();
  EXPECT_EQ(h.Frame()->findChildren<ValuesWindow*>().size(), 1);
}

TEST_F(ValuesWindowTest, FollowsTheSelectedByteThroughMovesPagesEditsAndTheRadix) {
  Open(Sample(1050));
  ValuesWindow* inspector = ShowByKey();
  ASSERT_NE(inspector, nullptr);
  const struct {
    const char* name;
    std::function<void()> act;
    const char* heading;
    const char* hex;
    const char* uint32le;
  } steps[] = {
      {"Right", [this] { Press(Qt::Key_Right); }, "Offset 1 of sample.bin", "02", "67371778"},
      {"a click on byte 198, four bytes past the page's end read from the file",
       [this] { h.Click(view, view->HexCellCenter(198)); }, "Offset 198 of sample.bin", "C6", "3385378758"},
      {"Page Down", [this] { Press(Qt::Key_PageDown); }, "Offset 398 of sample.bin", "8E", "2442170254"},
      {"Hex", [this] { h.ClickControl(view, ids::kRadix); }, "Offset 0x18E of sample.bin", "8E", "2442170254"},
      {"Ctrl+Home", [this] { Press(Qt::Key_Home, Qt::ControlModifier); }, "Offset 0xC6 of sample.bin", "C6", "3385378758"},
      {"an edit of the byte",
       [this] {
         h.ui.dialogSteps.push_back([](QDialog& d) {
           TypeInto(d, ids::kEditNewValue, QStringLiteral("AA"));
           ClickButton(d, ids::kOk);
         });
         Press(Qt::Key_F2);
       },
       "Offset 0xC6 of sample.bin", "AA", "3385378730"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    step.act();
    EXPECT_EQ(Heading(inspector), step.heading);
    EXPECT_EQ(Value(inspector, "Hex"), step.hex);
    EXPECT_EQ(Value(inspector, "uint32 LE"), step.uint32le);
  }
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.MessageTexts().join(u'\n').toStdString();
}

TEST_F(ValuesWindowTest, TheEndOfTheFileLeavesTheLongerValuesUnavailable) {
  Open(Sample(1050));
  ValuesWindow* inspector = ShowByKey();
  ASSERT_NE(inspector, nullptr);
  Press(Qt::Key_End, Qt::ControlModifier); // the last page, 850 to 1049
  h.Click(view, view->HexCellCenter(199)); // its last byte
  EXPECT_EQ(Heading(inspector), "Offset 1049 of sample.bin");
  EXPECT_EQ(Value(inspector, "uint8"), "25");
  EXPECT_EQ(Value(inspector, "uint16 LE"), "unavailable");
  EXPECT_EQ(Value(inspector, "Unix time 64 BE"), "unavailable");
  Press(Qt::Key_Left);
  EXPECT_EQ(Value(inspector, "uint16 BE"), "6169"); // 0x18 0x19
  EXPECT_EQ(Value(inspector, "uint32 LE"), "unavailable");
}

TEST_F(ValuesWindowTest, FollowsTheActiveDocumentWindowAndSaysWhenThereIsNone) {
  Open(Sample(300));
  ValuesWindow* inspector = ShowByKey();
  ASSERT_NE(inspector, nullptr);
  CChildFrame* first = h.ActiveChild();
  CChildFrame* second = h.app->OpenDocumentFile(TestFiles::Local(h.files.Write(QStringLiteral("other.bin"), "\xFF\xFE")));
  ASSERT_NE(second, nullptr);
  QApplication::processEvents();
  EXPECT_EQ(inspector->Followed(), second->GetView());
  EXPECT_EQ(Heading(inspector), "Offset 0 of other.bin");
  EXPECT_EQ(Value(inspector, "int16 LE"), "-257");
  h.Frame()->MdiArea()->setActiveSubWindow(first);
  EXPECT_EQ(Heading(inspector), "Offset 0 of sample.bin");
  EXPECT_EQ(Value(inspector, "int16 LE"), "513");
  // The one shown closes: the other is the current document window.
  first->close();
  QApplication::processEvents();
  EXPECT_EQ(Heading(inspector), "Offset 0 of other.bin");
  second->close();
  QApplication::processEvents();
  EXPECT_EQ(inspector->Followed(), nullptr);
  EXPECT_EQ(Heading(inspector), "No document window is open.");
  EXPECT_EQ(Value(inspector, "Hex"), "");
}

TEST_F(ValuesWindowTest, ReadsNothingWhileClosedAndEscClosesIt) {
  Open(Sample(1050));
  ValuesWindow* inspector = ShowByKey();
  ASSERT_NE(inspector, nullptr);
  QTest::keyClick(FocusTheRows(inspector), Qt::Key_Escape);
  EXPECT_FALSE(inspector->isVisible());
  const int reads = h.fileSystem.counters.reads;
  FocusThePage(view);
  Press(Qt::Key_Right);
  Press(Qt::Key_Right);
  EXPECT_EQ(h.fileSystem.counters.reads, reads) << "a closed inspector reads the file";
  // Shown again, it reads where the selected byte is now.
  ASSERT_EQ(ShowByKey(), inspector);
  EXPECT_EQ(Heading(inspector), "Offset 2 of sample.bin");
  EXPECT_EQ(Value(inspector, "uint8"), "3");
  // One read per move while it shows: open and one positioned read of at most eight bytes.
  const int opens = h.fileSystem.counters.readOpens;
  const int readsShown = h.fileSystem.counters.reads;
  Press(Qt::Key_Right);
  EXPECT_EQ(h.fileSystem.counters.reads - readsShown, 1);
  EXPECT_EQ(h.fileSystem.counters.readOpens - opens, 1);
}

TEST_F(ValuesWindowTest, SaysWhyItShowsNoValues) {
  Open(QByteArray());
  ValuesWindow* inspector = ShowByKey();
  ASSERT_NE(inspector, nullptr);
  EXPECT_EQ(Heading(inspector), "No byte of sample.bin is selected.");
  EXPECT_EQ(Value(inspector, "Hex"), "");
  // A file gone since its page was read: the file and the cause.
  h.files.Write(QStringLiteral("gone.bin"), Sample(300));
  ASSERT_NE(h.app->OpenDocumentFile(TestFiles::Local(h.files.Path(QStringLiteral("gone.bin")))), nullptr);
  QApplication::processEvents();
  FocusThePage(h.ActiveView());
  std::filesystem::remove(TestFiles::Local(h.files.Path(QStringLiteral("gone.bin"))));
  Press(Qt::Key_Right);
  EXPECT_EQ(Heading(inspector), "gone.bin: No such file or directory");
  EXPECT_EQ(Value(inspector, "uint8"), "");
}

TEST_F(ValuesWindowTest, CtrlCCopiesTheCurrentValue) {
  Open(Sample(300));
  ValuesWindow* inspector = ShowByKey();
  ASSERT_NE(inspector, nullptr);
  QTreeWidget* rows = FocusTheRows(inspector);
  QTest::keyClick(rows, Qt::Key_Down); // from the first value to the next, Binary's
  QTest::keyClick(rows, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "00000001");
  QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, rows->visualItemRect(rows->topLevelItem(10)).center() +
                                                             QPoint(rows->columnWidth(0), 0));
  QTest::keyClick(rows, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), "67305985");
}

} // namespace
} // namespace vek::test
