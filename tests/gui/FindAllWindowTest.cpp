// Find All as a person uses it: Ctrl+Shift+F (or the page's menu) asks for a pattern when there is
// none, as Find asks, and lists every occurrence in a tool window without moving the page; the list
// fills while the search runs, counts them, and shows the bytes around each in the radix of the
// document; Enter or a double-click on a row shows its page with the occurrence selected, in the
// document the list belongs to, opened again when its window has closed; Cancel and Esc stop the
// search; a list with less room holds the first occurrences and still counts all.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "AppHarness.h"
#include "ResourceIds.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "core/FileSession.h"
#include "tools/FindAllWindow.h"
#include "tools/MatchListModel.h"
#include "view/CVekView.h"
#include "view/PageArea.h"

namespace vek::test {
namespace {

constexpr int kPatience = 20000; // ms: a search of a few MiB that has not ended by then never will

// `mark` at each offset of `at` in `size` bytes of dots.
QByteArray Marked(int size, const QByteArray& mark, const std::vector<int>& at) {
  QByteArray bytes(size, '.');
  for (const int offset : at) bytes.replace(offset, static_cast<int>(mark.size()), mark);
  return bytes;
}

class FindAllWindowTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(h.ui.waitDepth, 0) << "the wait cursor outlived a command"; }

  void Open(const QByteArray& bytes) {
    path = h.files.Write(QStringLiteral("hay.bin"), bytes);
    view = h.StartOn(path);
    ASSERT_NE(view, nullptr);
    FocusThePage();
  }
  void FocusThePage() {
    QApplication::setActiveWindow(view->window());
    area = view->findChild<PageArea*>();
    ASSERT_NE(area, nullptr);
    area->setFocus();
  }
  void ScriptPattern(const QString& text) {
    h.ui.dialogSteps.push_back([text](QDialog& d) {
      TypeInto(d, ids::kFindPattern, text);
      ClickButton(d, ids::kOk);
    });
  }
  // Ctrl+Shift+F on the page, and the list once its search has ended.
  FindAllWindow* FindAll() {
    FocusThePage();
    h.Key(area, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    FindAllWindow* window = Window();
    if (window == nullptr || !window->isVisible()) return nullptr;
    EXPECT_TRUE(QTest::qWaitFor([window] { return !window->Searching(); }, kPatience));
    return window;
  }
  FindAllWindow* Window() const { return h.Frame()->findChild<FindAllWindow*>(); }
  static QStringList Column(const FindAllWindow* window, int column) {
    QStringList cells;
    const QAbstractItemModel* model = window->Rows()->model();
    for (int row = 0; row < model->rowCount(); ++row) cells << model->index(row, column).data().toString();
    return cells;
  }
  static QString Status(const FindAllWindow* window) { return window->findChildren<QLabel*>().at(1)->text(); }
  static QString Heading(const FindAllWindow* window) { return window->findChildren<QLabel*>().at(0)->text(); }
  // The keyboard in the list, as a person who clicked into it.
  static QTableView* FocusTheRows(FindAllWindow* window) {
    QApplication::setActiveWindow(window);
    window->Rows()->setFocus();
    return window->Rows();
  }
  QString PositionLine() const { return h.ControlText(view, ids::kPositionLine); }
  static void DoubleClickRow(QTableView* rows, int row) {
    const QPoint at = rows->visualRect(rows->model()->index(row, MatchListModel::kHexColumn)).center();
    QTest::mousePress(rows->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(rows->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(rows->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(rows->viewport(), Qt::LeftButton, {}, at);
  }
  // Closed as the close box closes it, and gone, as once the event loop has turned.
  void CloseDocument() {
    h.ActiveChild()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }

  AppHarness h;
  QString path;
  CVekView* view = nullptr;
  PageArea* area = nullptr;
};

TEST_F(FindAllWindowTest, AsksForAPatternWhenThereIsNoneAndListsEveryOccurrenceWithoutMovingThePage) {
  // Across the seam of the search's first two blocks, too.
  const std::vector<int> at = {0, 7, 500, (1 << 20) - 3, (1 << 20) + 40, (2 << 20) + 11};
  Open(Marked((2 << 20) + 20, "needle", at));
  h.ClickControl(view, ids::kNextPage);
  ScriptPattern(QStringLiteral("needle"));
  FindAllWindow* window = FindAll();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(h.ui.dialogsRun, 1) << "the Find dialog asked for the pattern";
  EXPECT_EQ(Column(window, MatchListModel::kOffsetColumn),
            (QStringList{"0", "7", "500", "1048573", "1048616", "2097163"}));
  EXPECT_EQ(Status(window), QStringLiteral("6 occurrences"));
  EXPECT_EQ(Heading(window), QStringLiteral("Occurrences of \"needle\" in hay.bin"));
  EXPECT_TRUE(window->isWindow() && window->windowFlags().testFlag(Qt::Tool));
  EXPECT_EQ(window->parentWidget(), h.Frame());
  EXPECT_EQ(view->Session().Page().start, 200) << "the page stays";
  EXPECT_FALSE(window->findChild<QProgressBar*>()->isVisible());
  EXPECT_FALSE(window->findChild<QPushButton*>()->isVisible());

  // The pattern stays for Next, and the next Find All asks for none.
  h.ClickControl(view, ids::kNext);
  EXPECT_EQ(view->Session().Page().start, 500);
  FocusThePage();
  ASSERT_EQ(FindAll(), window);
  EXPECT_EQ(h.ui.dialogsRun, 1);
  EXPECT_EQ(h.Frame()->findChildren<FindAllWindow*>().size(), 1) << "one list window, used again";
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.MessageTexts().join(u'\n').toStdString();
}

TEST_F(FindAllWindowTest, ACancelledDialogOrAPatternWithoutBytesListsNothing) {
  Open(Marked(600, "ab", {10}));
  h.ui.dialogSteps.push_back([](QDialog& d) {
    TypeInto(d, ids::kFindPattern, QStringLiteral("ab"));
    ClickButton(d, ids::kCancel);
  });
  EXPECT_EQ(FindAll(), nullptr);
  EXPECT_TRUE(view->Session().SearchPattern().Empty());
  ScriptPattern(QString()); // OK on an empty pattern
  EXPECT_EQ(FindAll(), nullptr);
  EXPECT_EQ(h.ui.dialogsRun, 2);
  // The menu's item does what the key does.
  ScriptPattern(QStringLiteral("ab"));
  QMenu* menu = view->findChild<QMenu*>();
  ASSERT_NE(menu, nullptr);
  for (QAction* action : menu->actions()) {
    if (action->text() == QStringLiteral("&Find All")) action->trigger();
  }
  ASSERT_NE(Window(), nullptr);
  EXPECT_TRUE(QTest::qWaitFor([this] { return !Window()->Searching(); }, kPatience));
  EXPECT_EQ(Column(Window(), MatchListModel::kOffsetColumn), QStringList{"10"});
}

TEST_F(FindAllWindowTest, SaysWhyThereIsNothingToList) {
  Open(Marked(600, "ab", {10}));
  ScriptPattern(QStringLiteral("ab"));
  ASSERT_TRUE(view->EnsureSearchPattern());
  ASSERT_TRUE(QFile::remove(path));
  FindAllWindow* window = FindAll();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Status(window), QStringLiteral("hay.bin: No such file or directory"));
  EXPECT_EQ(window->Rows()->model()->rowCount(), 0);

  h.app->OnFileNew(); // its file name asked for and not given: a window without a file
  view = h.ActiveView();
  ASSERT_TRUE(view->Session().Path().empty());
  ScriptPattern(QStringLiteral("ab"));
  ASSERT_EQ(FindAll(), window);
  EXPECT_EQ(Status(window), QStringLiteral("The document window shows no file."));
  EXPECT_EQ(Heading(window), QString());
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.MessageTexts().join(u'\n').toStdString();
}

TEST_F(FindAllWindowTest, RowsShowTheBytesAroundEachOccurrenceInTheRadixOfTheDocument) {
  QByteArray bytes = Marked(3000, "KEY", {2, 1994, 2997});
  bytes.replace(1990, 4, "\x01\x02 a");
  Open(bytes);
  ScriptPattern(QStringLiteral("KEY"));
  FindAllWindow* window = FindAll();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(Column(window, MatchListModel::kHexColumn),
            (QStringList{"2E 2E 4B 45 59 2E 2E 2E 2E 2E 2E 2E 2E 2E 2E 2E", "01 02 20 61 4B 45 59 2E 2E 2E 2E 2E 2E 2E 2E 2E",
                         "2E 2E 2E 2E 4B 45 59"}));
  EXPECT_EQ(Column(window, MatchListModel::kTextColumn), (QStringList{"..KEY...........", ".. aKEY.........", "....KEY"}));
  const QAbstractItemModel* model = window->Rows()->model();
  EXPECT_EQ(model->index(1, MatchListModel::kHexColumn).data(MatchListModel::kMatchFirstRole), 12);
  EXPECT_EQ(model->index(1, MatchListModel::kTextColumn).data(MatchListModel::kMatchCountRole), 3);
  EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Offset"));

  // The document's radix, both ways; and the bytes as the file holds them after an edit.
  h.ClickControl(view, ids::kRadix);
  EXPECT_EQ(Column(window, MatchListModel::kOffsetColumn), (QStringList{"0x2", "0x7CA", "0xBB5"}));
  EXPECT_EQ(Status(window), QStringLiteral("3 occurrences"));
  h.ui.dialogSteps.push_back([](QDialog& d) {
    TypeInto(d, ids::kEditNewValue, QStringLiteral("41"));
    ClickButton(d, ids::kOk);
  });
  h.DoubleClick(view, view->HexCellCenter(0)); // byte 0 of the first page
  EXPECT_EQ(model->index(0, MatchListModel::kTextColumn).data().toString(), QStringLiteral("A.KEY..........."));
  h.ClickControl(view, ids::kRadix);
  EXPECT_EQ(Column(window, MatchListModel::kOffsetColumn), (QStringList{"2", "1994", "2997"}));

  // A screen reader reads the list as a table of named cells.
  QAccessibleInterface* table = QAccessible::queryAccessibleInterface(window->Rows());
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->role(), QAccessible::Table);
  EXPECT_EQ(table->text(QAccessible::Name), QStringLiteral("Occurrences"));
  ASSERT_NE(table->tableInterface(), nullptr);
  EXPECT_EQ(table->tableInterface()->rowCount(), 3);
  EXPECT_EQ(table->tableInterface()->cellAt(1, 0)->text(QAccessible::Name), QStringLiteral("1994"));
  EXPECT_EQ(table->tableInterface()->cellAt(1, 2)->text(QAccessible::Name), QStringLiteral(".. aKEY........."));
  EXPECT_EQ(table->tableInterface()->columnDescription(1), QStringLiteral("Hex"));
}

TEST_F(FindAllWindowTest, EnterOrADoubleClickOnARowShowsItsPageWithTheOccurrenceSelected) {
  Open(Marked(5000, "find me", {30, 1994, 4990}));
  ScriptPattern(QStringLiteral("find me"));
  FindAllWindow* window = FindAll();
  ASSERT_NE(window, nullptr);
  QTableView* rows = FocusTheRows(window);
  EXPECT_EQ(rows->currentIndex().row(), 0) << "the first row is current";
  const struct {
    const char* name;
    std::function<void()> choose;
    Offset pageStart;
    const char* line;
  } steps[] = {
      {"Down, Enter", [&] { h.Key(rows, Qt::Key_Down), h.Key(rows, Qt::Key_Return); }, 1980, "1994-2000 (7 bytes)"},
      {"a double-click on the last row",
       [&] { DoubleClickRow(rows, 2); },
       4980, "4990-4996 (7 bytes)"},
      {"Home, Enter on the keypad", [&] { h.Key(rows, Qt::Key_Home), h.Key(rows, Qt::Key_Enter); }, 20, "30-36 (7 bytes)"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    step.choose();
    EXPECT_EQ(view->Session().Page().start, step.pageStart);
    EXPECT_EQ(view->Session().SelectedOffset(), window->Matches().OffsetAt(rows->currentIndex().row()));
    EXPECT_EQ(PositionLine(), QString::fromUtf8(step.line));
    EXPECT_TRUE(window->isVisible()) << "Enter chose a row; it closed nothing";
    EXPECT_EQ(QApplication::focusWidget(), rows) << "the keyboard stays in the list, for the next row";
  }
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.MessageTexts().join(u'\n').toStdString();
}

TEST_F(FindAllWindowTest, ARowChosenInAnotherDocumentsListBringsItsWindowToTheFront) {
  Open(Marked(800, "xy", {300}));
  CChildFrame* listed = h.ActiveChild();
  ScriptPattern(QStringLiteral("xy"));
  FindAllWindow* window = FindAll();
  ASSERT_NE(window, nullptr);
  CChildFrame* other = h.app->OpenDocumentFile(TestFiles::Local(h.files.Write(QStringLiteral("other.bin"), "xy")));
  ASSERT_NE(other, nullptr);
  ASSERT_EQ(h.ActiveChild(), other);
  h.Key(FocusTheRows(window), Qt::Key_Return);
  EXPECT_EQ(h.Frame()->MdiArea()->currentSubWindow(), listed);
  EXPECT_EQ(listed->GetView()->Session().Page().start, 300);
  EXPECT_EQ(other->GetView()->Session().Page().start, 0) << "the other document stays where it was";
}

TEST_F(FindAllWindowTest, WhenItsDocumentWindowHasClosedARowChosenOpensTheFileAgain) {
  Open(Marked(900, "xy", {20, 640}));
  ScriptPattern(QStringLiteral("xy"));
  FindAllWindow* window = FindAll();
  ASSERT_NE(window, nullptr);
  CloseDocument();
  ASSERT_EQ(h.ActiveChild(), nullptr);
  EXPECT_EQ(window->Document(), nullptr);
  EXPECT_TRUE(Heading(window).endsWith(QStringLiteral("Its document window is closed: a row chosen opens the file again.")));
  EXPECT_EQ(Column(window, MatchListModel::kTextColumn).size(), 2) << "the list stays";

  QTableView* rows = FocusTheRows(window);
  h.Key(rows, Qt::Key_End);
  h.Key(rows, Qt::Key_Return);
  ASSERT_NE(h.ActiveView(), nullptr);
  EXPECT_EQ(window->Document(), h.ActiveView());
  EXPECT_EQ(QString::fromStdString(h.ActiveView()->Session().Path()), path);
  EXPECT_EQ(h.ActiveView()->Session().Page().start, 640);
  EXPECT_EQ(h.ActiveView()->Session().Selection(), (ByteRange{640, 641}));
  EXPECT_EQ(Heading(window), QStringLiteral("Occurrences of \"xy\" in hay.bin"));
  // Once it is open again, the next row goes to that same window.
  h.Key(rows, Qt::Key_Home);
  h.Key(rows, Qt::Key_Return);
  EXPECT_EQ(h.Frame()->Children().size(), 1);
  EXPECT_EQ(h.ActiveView()->Session().Page().start, 20);

  // The window shows another file now: the listed one opens in a window of its own.
  const std::string other = TestFiles::Local(h.files.Write(QStringLiteral("other.bin"), "other"));
  h.ActiveView()->LoadFile(other);
  EXPECT_TRUE(Heading(window).endsWith(QStringLiteral("Its document window shows another file now: a row chosen opens this one again.")));
  h.Key(rows, Qt::Key_Return);
  EXPECT_EQ(h.Frame()->Children().size(), 2);
  EXPECT_EQ(QString::fromStdString(window->Document()->Session().Path()), path);
  EXPECT_EQ(window->Document()->Session().Page().start, 20);
  CloseDocument(); // the one of hay.bin, in front

  // A file that is gone says so, as opening it says, and the list stays.
  ASSERT_TRUE(QFile::remove(path));
  h.Key(rows, Qt::Key_Return);
  EXPECT_EQ(h.Frame()->Children().size(), 1) << "only the window of other.bin";
  EXPECT_EQ(h.ui.messages.size(), 1u);
  EXPECT_TRUE(window->isVisible());
}

TEST_F(FindAllWindowTest, AListHoldsAtMostItsRoomAndCountsEveryOccurrence) {
  // Two blocks of the search, an occurrence every 100 bytes: 20973 of them.
  QByteArray bytes((2 << 20) + 55, '-');
  for (int at = 0; at + 4 <= bytes.size(); at += 100) bytes.replace(at, 4, "mark");
  Open(bytes);
  EXPECT_FALSE(view->EnsureSearchPattern()) << "no step scripted: the dialog was cancelled";
  ScriptPattern(QStringLiteral("mark"));
  ASSERT_TRUE(view->EnsureSearchPattern());
  FindAllWindow window(h.fileSystem, {}, h.Frame(), 25);
  window.Run(*view);
  ASSERT_TRUE(QTest::qWaitFor([&window] { return !window.Searching(); }, kPatience));
  EXPECT_EQ(Status(&window), QStringLiteral("20973 occurrences; the list holds the first 25"));
  EXPECT_EQ(window.State().count, 20973u);
  const QStringList offsets = Column(&window, MatchListModel::kOffsetColumn);
  ASSERT_EQ(offsets.size(), 25);
  EXPECT_EQ(offsets.front(), QStringLiteral("0"));
  EXPECT_EQ(offsets.back(), QStringLiteral("2400"));
}

TEST_F(FindAllWindowTest, TheListFillsWhileTheSearchRunsAndCancelOrEscStopsIt) {
  // A sparse file takes no disk space but many seconds to search through; occurrences near its start.
  path = h.files.Path(QStringLiteral("huge.bin"));
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(Offset{64} << 30));
    for (const qint64 at : {qint64{10}, qint64{5000}, qint64{3} << 20}) {
      ASSERT_TRUE(file.seek(at));
      ASSERT_EQ(file.write("deep"), 4);
    }
  }
  view = h.StartOn(path);
  ASSERT_NE(view, nullptr);
  FocusThePage();
  for (const bool byEsc : {false, true}) {
    SCOPED_TRACE(byEsc ? "Esc" : "Cancel");
    if (!byEsc) ScriptPattern(QStringLiteral("deep"));
    h.Key(area, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    FindAllWindow* window = Window();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([window] { return window->Rows()->model()->rowCount() == 3; }, kPatience));
    ASSERT_TRUE(window->Searching()) << "the rows came before the end";
    EXPECT_EQ(Status(window), QStringLiteral("Searching... 3 occurrences so far"));
    auto* cancel = window->findChild<QPushButton*>();
    EXPECT_TRUE(cancel->isVisible());
    EXPECT_TRUE(window->findChild<QProgressBar*>()->isVisible());
    if (byEsc) {
      h.Key(FocusTheRows(window), Qt::Key_Escape);
      EXPECT_FALSE(window->isVisible());
    } else {
      QTest::mouseClick(cancel, Qt::LeftButton);
    }
    ASSERT_TRUE(QTest::qWaitFor([window] { return !window->Searching(); }, kPatience));
    EXPECT_TRUE(Status(window).startsWith(QStringLiteral("Cancelled: 3 occurrences before offset "))) << Status(window).toStdString();
    EXPECT_EQ(window->State().status, SearchStatus::Cancelled);
    EXPECT_FALSE(cancel->isVisible());
    EXPECT_EQ(view->Session().Page().start, 0);
    FocusThePage();
  }
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.MessageTexts().join(u'\n').toStdString();
}

} // namespace
} // namespace vek::test
