// The main window's two menus, the Window menu, and the routing of menu commands.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>

#include "AppHarness.h"
#include "ResourceIds.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CVekDoc.h"
#include "view/CVekView.h"

namespace vek::test {

namespace {

struct Item {
  QString text;
  int command; // 0 for a separator
  friend bool operator==(const Item&, const Item&) = default;
};
using Popup = std::pair<QString, std::vector<Item>>;

std::vector<Popup> MenuOf(const CMainFrame* frame) {
  std::vector<Popup> popups;
  for (QAction* top : frame->menuBar()->actions()) {
    std::vector<Item> items;
    for (QAction* action : top->menu()->actions()) {
      const QVariant command = action->property("vekCommand");
      if (action->isSeparator()) items.push_back({QString(), 0});
      else if (command.isValid()) items.push_back({action->text(), command.toInt()});
    }
    popups.emplace_back(top->text(), items);
  }
  return popups;
}

void PrintTo(const Item& item, std::ostream* os) { *os << item.text.toStdString() << " " << item.command; }

} // namespace

TEST(Menus, WithoutADocumentWindowTheMainFrameShowsMenu128) {
  AppHarness h;
  h.ui.fileAnswers.push_back(QString());
  ASSERT_TRUE(h.Start());
  h.ActiveChild()->close(); // the untitled window whose file choice was cancelled
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(h.Frame()->MenuId(), 128);
  const std::vector<Popup> expected = {
      {"&File", {{"&Open...\tCtrl+O", ids::ID_FILE_OPEN}, {"", 0}, {"E&xit", ids::ID_APP_EXIT}}},
      {"&Help", {{"&About vek...", ids::ID_APP_ABOUT}}},
  };
  EXPECT_EQ(MenuOf(h.Frame()), expected);
}

TEST(Menus, WithADocumentWindowTheMainFrameShowsMenu129AndReturnsTo128WhenItCloses) {
  AppHarness h;
  ASSERT_NE(h.StartOn(h.files.WriteCounting("a.bin", 300)), nullptr);
  EXPECT_EQ(h.Frame()->MenuId(), 129);
  const std::vector<Popup> expected = {
      {"&File",
       {{"&Open...\tCtrl+O", ids::ID_FILE_OPEN}, {"&Close", ids::ID_FILE_CLOSE}, {"", 0}, {"E&xit", ids::ID_APP_EXIT}}},
      {"&Window",
       {{"&Cascade", ids::ID_WINDOW_CASCADE}, {"&Tile", ids::ID_WINDOW_TILE_HORZ},
        {"&Arrange Icons", ids::ID_WINDOW_ARRANGE}}},
      {"&Help", {{"&About vek...", ids::ID_APP_ABOUT}, {"Help...", ids::ID_APP_HELP}}},
  };
  EXPECT_EQ(MenuOf(h.Frame()), expected);

  h.Frame()->OnCommand(ids::ID_FILE_CLOSE);
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_TRUE(h.Frame()->Children().isEmpty());
  EXPECT_EQ(h.Frame()->MenuId(), 128);
  EXPECT_TRUE(h.ui.messages.empty()) << "closing never asks about saving";
}

TEST(Menus, TheWindowMenuListsTheDocumentWindowsWithTheActiveOneCheckedAndActivatesTheChosenOne) {
  AppHarness h;
  ASSERT_NE(h.StartOn(h.files.WriteCounting("a.bin", 300)), nullptr);
  ASSERT_NE(h.app->OpenDocumentFile(TestFiles::Local(h.files.WriteCounting("b.bin", 300))), nullptr);
  QMenu* window = nullptr;
  for (QAction* top : h.Frame()->menuBar()->actions()) {
    if (top->text() == "&Window") window = top->menu();
  }
  ASSERT_NE(window, nullptr);
  emit window->aboutToShow();
  QStringList listed;
  QAction* first = nullptr;
  for (QAction* action : window->actions()) {
    if (!action->isCheckable()) continue;
    listed << action->text() + (action->isChecked() ? "*" : "");
    if (first == nullptr) first = action;
  }
  const QString a = h.Frame()->Children()[0]->windowTitle();
  const QString b = h.Frame()->Children()[1]->windowTitle();
  EXPECT_EQ(listed, QStringList({"&1 " + a, "&2 " + b + "*"}));
  first->trigger();
  EXPECT_EQ(h.ActiveChild(), h.Frame()->Children()[0]);
}

TEST(Menus, TileAndCascadeKeepTheDocumentWindowsFixedSize) {
  AppHarness h;
  ASSERT_NE(h.StartOn(h.files.WriteCounting("a.bin", 300)), nullptr);
  ASSERT_NE(h.app->OpenDocumentFile(TestFiles::Local(h.files.WriteCounting("b.bin", 300))), nullptr);
  for (int command : {ids::ID_WINDOW_TILE_HORZ, ids::ID_WINDOW_CASCADE, ids::ID_WINDOW_ARRANGE}) {
    h.Frame()->OnCommand(command);
    for (CChildFrame* child : h.Frame()->Children()) {
      EXPECT_EQ(child->size(), QSize(kChildFrameWidth, kChildFrameHeight)) << command;
      EXPECT_EQ(child->minimumSize(), child->maximumSize()) << command;
    }
  }
}

TEST(Menus, SaveReachesTheDocumentAndLeavesTheFileAsItWas) {
  AppHarness h;
  const QString path = h.files.WriteCounting("a.bin", 300);
  ASSERT_NE(h.StartOn(path), nullptr);
  h.Frame()->OnCommand(ids::ID_FILE_SAVE);
  EXPECT_EQ(TestFiles::Read(path), TestFiles::Counting(300));
  EXPECT_EQ(h.fileSystem.counters.writeOpens, 0);
}

TEST(Menus, AboutAndHelpRunTheirDialogsModally) {
  AppHarness h;
  ASSERT_NE(h.StartOn(h.files.WriteCounting("a.bin", 300)), nullptr);
  QStringList captions;
  auto record = [&captions](QDialog& dialog) { captions << dialog.windowTitle(); };
  h.ui.dialogSteps.push_back(record);
  h.ui.dialogSteps.push_back(record);
  h.Frame()->OnCommand(ids::ID_APP_ABOUT);
  h.Frame()->OnCommand(ids::ID_APP_HELP);
  EXPECT_EQ(captions, QStringList({"About VEK", "VEK Help"}));
}

} // namespace vek::test

namespace vek::test {

TEST(MainFrame, KeepsTheSizeAPersonGaveItWhenMinimisedAndRestored) {
  AppHarness h;
  ASSERT_NE(h.StartOn(h.files.WriteCounting("a.bin", 300)), nullptr);
  EXPECT_EQ(h.Frame()->frameGeometry().size(), QSize(kMainFrameWidth, kMainFrameHeight));
  h.Frame()->resize(900, 500);
  h.Frame()->showMinimized();
  QApplication::processEvents();
  h.Frame()->showNormal();
  QApplication::processEvents();
  EXPECT_EQ(h.Frame()->size(), QSize(900, 500));
}

TEST(MainFrame, ShowsAMaximisedDocumentsTitleInBracketsAndTheRestoredOneAfterADash) {
  AppHarness h;
  ASSERT_NE(h.StartOn(h.files.WriteCounting("a.bin", 300)), nullptr);
  CChildFrame* child = h.ActiveChild();
  const QString title = child->GetDocument()->GetTitle();
  EXPECT_EQ(h.Frame()->windowTitle(), "vek - " + title);
  child->showMaximized();
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(h.Frame()->windowTitle(), "vek - [" + title + "]");
  h.ClickControl(child->GetView(), ids::kNextPage); // the title becomes "VEK - ..."
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(h.Frame()->windowTitle(), "vek - [" + child->GetDocument()->GetTitle() + "]");
  child->showNormal();
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(h.Frame()->windowTitle(), "vek - " + child->GetDocument()->GetTitle());
}

TEST(MainFrame, CtrlWIsNoKeyOfTheProgram) {
  AppHarness h;
  CVekView* view = h.StartOn(h.files.WriteCounting("a.bin", 300));
  ASSERT_NE(view, nullptr);
  h.Key(view, Qt::Key_W, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_EQ(h.Frame()->Children().size(), 1);
}

TEST(MainFrame, SwitchingMenusLeavesNoFormerMenusBehind) {
  AppHarness h;
  ASSERT_NE(h.StartOn(h.files.WriteCounting("a.bin", 300)), nullptr);
  for (int i = 0; i < 3; ++i) {
    h.Frame()->OnCommand(ids::ID_FILE_CLOSE);
    QApplication::processEvents();
    QApplication::processEvents();
    ASSERT_NE(h.app->OpenDocumentFile(TestFiles::Local(h.files.Path("a.bin"))), nullptr);
    QApplication::processEvents();
  }
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(h.Frame()->menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly).size(), 3);
}

} // namespace vek::test
