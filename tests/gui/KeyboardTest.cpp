// Reading and editing bytes without a mouse: Tab to the page, move the selected byte with the
// arrow keys (the page turning at its edges), F2 or Space to edit it, and the mark that shows
// where the keyboard is.
#include <gtest/gtest.h>

#include <cstdlib>

#include <QApplication>
#include <QImage>
#include <QTest>

#include "AppHarness.h"
#include "core/FileSession.h"
#include "ResourceIds.h"
#include "core/CellGeometry.h"
#include "view/CVekView.h"
#include "view/PageArea.h"

namespace vek::test {
namespace {

class Keyboard : public ::testing::Test {
 protected:
  void Open(const QByteArray& bytes) {
    path = h.files.Write(QStringLiteral("keys.bin"), bytes);
    view = h.StartOn(path);
    ASSERT_NE(view, nullptr);
    area = view->findChild<PageArea*>();
    ASSERT_NE(area, nullptr);
    QApplication::setActiveWindow(view->window());
  }
  // Tab from the Start field until the page has the focus, as a person would.
  void TabToThePage() {
    view->findChild<QWidget*>(QStringLiteral("ctl%1").arg(ids::kStart))->setFocus();
    for (int i = 0; i < 40 && !area->hasFocus(); ++i) h.Key(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(area->hasFocus());
  }
  void Press(int key) { h.Key(area, key); }
  QString PositionLine() const { return h.ControlText(view, ids::kPositionLine); }

  AppHarness h;
  QString path;
  CVekView* view = nullptr;
  PageArea* area = nullptr;
};

TEST_F(Keyboard, ThePageTakesTheFocusByTabOnlyAfterTheFormsControls) {
  Open(TestFiles::Counting(300));
  EXPECT_EQ(area->focusPolicy(), Qt::TabFocus) << "a click never gives it the focus";
  TabToThePage();
  h.Key(area, Qt::Key_Tab);
  EXPECT_FALSE(area->hasFocus()) << "Tab goes on round the form";
  h.Key(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_TRUE(area->hasFocus());
}

// Each key as a click on the byte it moves to: the position line, the page turned by the same rule
// as the page buttons at both ends, and nothing at all before the first or past the last byte.
TEST_F(Keyboard, ArrowKeysMoveTheSelectedByteAndTurnThePageAtItsEdges) {
  Open(TestFiles::Counting(1050));
  TabToThePage();
  struct Step {
    int key;
    Offset pageStart;
    int selIndex;
    const char* positionLine;
  };
  const Step steps[] = {
      {Qt::Key_Left, 0, 0, ""},              // the file's first byte: nothing before it
      {Qt::Key_Right, 0, 1, "Byte 1 = 1"},
      {Qt::Key_Down, 0, 21, "Byte 21 = 21"},
      {Qt::Key_End, 0, 39, "Byte 39 = 39"},
      {Qt::Key_Home, 0, 20, "Byte 20 = 20"},
      {Qt::Key_Up, 0, 0, "Byte 0 = 0"},
  };
  for (const Step& step : steps) {
    Press(step.key);
    EXPECT_EQ(view->Session().Page().start, step.pageStart) << step.key;
    EXPECT_EQ(view->Session().SelIndex(), step.selIndex) << step.key;
    EXPECT_EQ(PositionLine(), QString::fromUtf8(step.positionLine)) << step.key;
  }
  // The turns themselves are the session's (tests/core/FileSessionTest): one each way here.
  for (int i = 0; i < 9; ++i) Press(Qt::Key_Down);
  Press(Qt::Key_End);
  Press(Qt::Key_Right); // byte 199 to byte 200: the next page
  EXPECT_EQ(view->Session().Page().start, 200);
  EXPECT_EQ(view->Session().SelIndex(), 0);
  EXPECT_EQ(PositionLine(), QStringLiteral("Byte 200 = 200"));
  Press(Qt::Key_Left); // and back
  EXPECT_EQ(view->Session().Page().start, 0);
  EXPECT_EQ(view->Session().SelIndex(), 199);
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST_F(Keyboard, F2AndSpaceEditTheSelectedByteAsADoubleClickDoes) {
  Open(TestFiles::Counting(300));
  TabToThePage();
  Press(Qt::Key_Right);
  Press(Qt::Key_Right);
  for (const auto& [key, value] : {std::pair{Qt::Key_F2, "41"}, std::pair{Qt::Key_Space, "42"}}) {
    h.ui.dialogSteps.push_back([value](QDialog& d) {
      ClickButton(d, ids::kEditRadioHex);
      TypeInto(d, ids::kEditNewValue, QString::fromUtf8(value));
      ClickButton(d, ids::kOk);
    });
    Press(key);
  }
  QByteArray expected = TestFiles::Counting(300);
  expected[2] = 0x42;
  EXPECT_EQ(TestFiles::Read(path), expected);
  EXPECT_EQ(h.fileSystem.counters.writes, 2);
}

// The mark is a frame in the highlight colour round the byte's hex pair and its character, drawn
// only while the page has the keyboard focus.
TEST_F(Keyboard, TheFocusMarkShowsOnlyWhileThePageHasTheFocus) {
  Open(TestFiles::Counting(300));
  const QColor highlight = view->palette().color(QPalette::Highlight);
  // The grabbed picture may round a channel by a step or two.
  const auto IsHighlight = [&highlight](const QColor& c) {
    return std::abs(c.red() - highlight.red()) + std::abs(c.green() - highlight.green()) +
               std::abs(c.blue() - highlight.blue()) <= 8;
  };
  const auto marked = [&] {
    const QImage shot = view->grab().toImage();
    int framed = 0;
    for (const CellRect& cell : {HexByteCell(view->ColumnFrame(ids::kHexFrame), 1),
                                 AsciiByteCell(view->ColumnFrame(ids::kAsciiFrame), 1)}) {
      framed += IsHighlight(shot.pixelColor(cell.left, cell.top)) &&
                IsHighlight(shot.pixelColor(cell.left + cell.width - 1, cell.top + cell.height - 1));
    }
    return framed;
  };
  TabToThePage();
  Press(Qt::Key_Right);
  EXPECT_EQ(marked(), 2);
  view->findChild<QWidget*>(QStringLiteral("ctl%1").arg(ids::kStart))->setFocus();
  EXPECT_EQ(marked(), 0);
}

} // namespace
} // namespace vek::test
