// The accelerator table: every key of the main frame and its document windows, from whichever
// control has the focus, before the control sees it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include "AppHarness.h"
#include "core/FileSession.h"
#include "ResourceIds.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "platform/AcceleratorTable.h"
#include "platform/ControlTemplate.h"
#include "view/CVekView.h"

namespace vek::test {

TEST(AcceleratorTable, HoldsTheTwentyEntriesInOrderAndMatchesOnlyExactModifiers) {
  const auto table = MainAccelerators();
  ASSERT_EQ(table.size(), 20u);
  EXPECT_EQ(table.front().command, ids::ID_EDIT_COPY);
  EXPECT_EQ(table.back().flags, 0x8Bu);
  EXPECT_EQ(TranslateAccelerator(table, Qt::Key_PageDown, Qt::NoModifier), ids::ID_PAGE_NEXT);
  EXPECT_EQ(TranslateAccelerator(table, Qt::Key_PageDown, Qt::ShiftModifier), std::nullopt);
  EXPECT_EQ(TranslateAccelerator(table, Qt::Key_F3, Qt::NoModifier), ids::kNext);
  EXPECT_EQ(TranslateAccelerator(table, Qt::Key_F3, Qt::ShiftModifier), ids::kFind);
  EXPECT_EQ(TranslateAccelerator(table, Qt::Key_F3, Qt::ControlModifier), std::nullopt);
  EXPECT_EQ(TranslateAccelerator(table, Qt::Key_End, Qt::ControlModifier), ids::ID_PAGE_LAST);
  EXPECT_EQ(TranslateAccelerator(table, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier), std::nullopt);
  EXPECT_EQ(TranslateAccelerator(table, Qt::Key_Enter, Qt::KeypadModifier), ids::ID_GOTO_START);
  EXPECT_EQ(TranslateAccelerator(table, Qt::Key_Backspace, Qt::AltModifier), ids::ID_EDIT_UNDO);
  EXPECT_EQ(TranslateAccelerator(table, Qt::Key_Backspace, Qt::NoModifier), std::nullopt);
}

class AcceleratorKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    path = h.files.WriteCounting("a.bin", 1050);
    view = h.StartOn(path);
    ASSERT_NE(view, nullptr);
    start = qobject_cast<QLineEdit*>(GetDlgItem(view, ids::kStart));
    next = qobject_cast<QAbstractButton*>(GetDlgItem(view, ids::kNextPage));
  }
  AppHarness h;
  QString path;
  CVekView* view = nullptr;
  QLineEdit* start = nullptr;
  QAbstractButton* next = nullptr;
};

TEST_F(AcceleratorKeys, PagingKeysWorkFromTheStartFieldAndFromAButton) {
  for (QWidget* focus : {static_cast<QWidget*>(start), static_cast<QWidget*>(next)}) {
    h.Key(focus, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(view->Session().Page().start, 0);
    h.Key(focus, Qt::Key_PageDown);
    EXPECT_EQ(view->Session().Page().start, 200);
    h.Key(focus, Qt::Key_PageUp);
    EXPECT_EQ(view->Session().Page().start, 0);
    h.Key(focus, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(view->Session().Page().start, 850);
  }
}

TEST_F(AcceleratorKeys, EnterGoesToTheTypedStartAndNeverPressesTheFocusedButton) {
  h.TypeStart(view, "300");
  next->setFocus();
  h.Key(next, Qt::Key_Return);
  EXPECT_EQ(view->Session().Page().start, 300) << "Enter on '>' would have shown 500";
  h.Key(start, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(view->Session().Page().start, 300);
}

TEST_F(AcceleratorKeys, TheStartFieldsClipboardAndUndoKeysDoNothing) {
  QGuiApplication::clipboard()->setText("777");
  h.TypeStart(view, "123");
  start->selectAll();
  const std::pair<int, Qt::KeyboardModifiers> keys[] = {
      {Qt::Key_C, Qt::ControlModifier},      {Qt::Key_V, Qt::ControlModifier},
      {Qt::Key_X, Qt::ControlModifier},      {Qt::Key_Z, Qt::ControlModifier},
      {Qt::Key_Insert, Qt::ControlModifier}, {Qt::Key_Insert, Qt::ShiftModifier},
      {Qt::Key_Delete, Qt::ShiftModifier},   {Qt::Key_Backspace, Qt::AltModifier},
  };
  for (const auto& [key, modifiers] : keys) {
    h.Key(start, key, modifiers);
    EXPECT_EQ(start->text(), "123") << key;
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "777") << key;
  }
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST_F(AcceleratorKeys, F3AndShiftF3ReachNextAndFindFromTheStartField) {
  int dialogs = 0;
  h.ui.dialogSteps.push_back([&dialogs](QDialog& dialog) {
    ++dialogs;
    TypeInto(dialog, ids::kFindPattern, "AB");
    ClickButton(dialog, ids::kOk);
  });
  h.Key(start, Qt::Key_F3); // no pattern yet: nothing
  EXPECT_EQ(dialogs, 0);
  EXPECT_EQ(h.ui.dialogsRun, 0);
  h.Key(start, Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(dialogs, 1);
  EXPECT_EQ(view->Session().Page().start, 0x41); // the counting file holds "AB" at 65, 321, 577, ...
  h.Key(start, Qt::Key_F3);
  EXPECT_EQ(view->Session().Page().start, 0x141);
}

TEST_F(AcceleratorKeys, F6AndShiftF6AreDisabledAndConsumed) {
  h.TypeStart(view, "12");
  h.Key(start, Qt::Key_F6);
  h.Key(start, Qt::Key_F6, Qt::ShiftModifier);
  EXPECT_EQ(start->text(), "12");
  EXPECT_EQ(view->Session().Page().start, 12);
  EXPECT_EQ(h.Frame()->Children().size(), 1);
}

TEST_F(AcceleratorKeys, CtrlF6ActivatesTheNextWindowAndCtrlF4ClosesTheActiveOne) {
  ASSERT_NE(h.app->OpenDocumentFile(TestFiles::Local(h.files.WriteCounting("b.bin", 10))), nullptr);
  CChildFrame* second = h.ActiveChild();
  h.Key(second->GetView(), Qt::Key_F6, Qt::ControlModifier);
  EXPECT_NE(h.ActiveChild(), second);
  h.Key(h.ActiveView(), Qt::Key_F4, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_EQ(h.Frame()->Children().size(), 1);
}

TEST_F(AcceleratorKeys, CtrlNMakesANewDocumentAndCtrlOOpensAFile) {
  h.ui.fileAnswers.push_back(QString()); // the new document's view asks; cancel
  h.Key(start, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(h.Frame()->Children().size(), 2);
  EXPECT_EQ(h.ui.fileDialogTitles.back(), "VEK - Input Filename");
  h.ui.fileAnswers.push_back(h.files.WriteCounting("c.bin", 10));
  h.Key(h.ActiveView(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(h.ui.fileDialogTitles.back(), "Open");
  EXPECT_EQ(h.Frame()->Children().size(), 3);
}

TEST_F(AcceleratorKeys, CtrlSNeverAltersTheFile) {
  h.Key(start, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(TestFiles::Read(path), TestFiles::Counting(1050));
  EXPECT_EQ(h.fileSystem.counters.writeOpens, 0);
}

TEST(AcceleratorKeysWithoutDocument, ViewKeysDoNothingAndCtrlOStillOpens) {
  AppHarness h;
  h.ui.fileAnswers.push_back(QString());
  ASSERT_TRUE(h.Start());
  h.ActiveChild()->close();
  QApplication::processEvents();
  for (int key : {int(Qt::Key_PageDown), int(Qt::Key_PageUp), int(Qt::Key_Return), int(Qt::Key_F3)}) {
    h.Key(h.Frame(), key);
  }
  h.Key(h.Frame(), Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(h.ui.dialogsRun, 0);
  EXPECT_TRUE(h.ui.messages.empty());
  h.ui.fileAnswers.push_back(h.files.WriteCounting("c.bin", 10));
  h.Key(h.Frame(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(h.Frame()->Children().size(), 1);
}

} // namespace vek::test

namespace vek::test {

TEST(AcceleratorKeysInDialogs, TheTableDoesNotApplyInsideAModalDialog) {
  AppHarness h;
  CVekView* view = h.StartOn(h.files.WriteCounting("a.bin", 1050));
  ASSERT_NE(view, nullptr);
  QString typed;
  h.ui.dialogSteps.push_back([&](QDialog& dialog) {
    TypeInto(dialog, ids::kFindPattern, "12");
    QWidget* edit = GetDlgItem(&dialog, ids::kFindPattern);
    h.Key(edit, Qt::Key_PageDown);
    h.Key(edit, Qt::Key_V, Qt::ControlModifier);
    typed = edit->property("text").toString();
  });
  h.Key(view, Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(view->Session().Page().start, 0) << "Page Down inside the dialog moved the page";
  EXPECT_EQ(h.ui.dialogsRun, 1);
  EXPECT_TRUE(typed.startsWith("12"));
}

} // namespace vek::test
