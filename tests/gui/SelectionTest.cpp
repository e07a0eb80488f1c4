// Selecting a byte with a real click on the painted columns, and the position line that names it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include "AppHarness.h"
#include "app/CVekDoc.h"
#include "core/FileSession.h"
#include "ResourceIds.h"
#include "core/PageGeometry.h"
#include "platform/ControlTemplate.h"
#include "view/CVekView.h"

namespace vek::test {

namespace {

class Selection : public ::testing::Test {
 protected:
  // Opens the file and paints the view once, which is what makes the columns clickable.
  CVekView* Open(const QString& path) {
    view = h.StartOn(path);
    if (view != nullptr) view->grab();
    return view;
  }
  CVekView* OpenCounting(int size) { return Open(h.files.WriteCounting(QStringLiteral("count.bin"), size)); }
  void GoTo(const QString& start) {
    h.TypeStart(view, start);
    h.Key(GetDlgItem(view, ids::kStart), Qt::Key_Return);
  }
  QPoint HexOrigin() const {
    return ControlRect(view, ids::kHexFrame).topLeft() + QPoint(kTextInsetX, kTextInsetY);
  }
  QPoint AsciiOrigin() const {
    return ControlRect(view, ids::kAsciiFrame).topLeft() + QPoint(kTextInsetX, kTextInsetY);
  }
  void ClickHex(int dx, int dy, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    h.Click(view, HexOrigin() + QPoint(dx, dy), mods);
  }
  void ClickAscii(int dx, int dy) { h.Click(view, AsciiOrigin() + QPoint(dx, dy)); }
  QString PositionLine() const { return h.ControlText(view, ids::kPositionLine); }

  AppHarness h;
  CVekView* view = nullptr;
};

} // namespace

TEST_F(Selection, AClickOnAHexByteNamesItsOffsetAndValueInEitherRadix) {
  QByteArray bytes = TestFiles::Counting(1050);
  bytes[413] = 10;
  ASSERT_NE(Open(h.files.Write(QStringLiteral("ten.bin"), bytes)), nullptr);
  GoTo(QStringLiteral("400"));
  ASSERT_EQ(view->Session().Page().start, 400);
  EXPECT_EQ(PositionLine(), QString()); // empty until the first hit

  h.Click(view, view->HexCellCenter(13));
  EXPECT_EQ(view->Session().SelIndex(), 13);
  EXPECT_EQ(PositionLine(), QStringLiteral("Byte 413 = 10"));
  h.ClickControl(view, ids::kRadix);
  EXPECT_EQ(PositionLine(), QStringLiteral("Byte 19D = A"));
  h.ClickControl(view, ids::kRadix);
  EXPECT_EQ(PositionLine(), QStringLiteral("Byte 413 = 10"));

  h.Click(view, view->HexCellCenter(199));
  EXPECT_EQ(view->Session().SelIndex(), 199);
  EXPECT_EQ(PositionLine(), QStringLiteral("Byte 599 = 87")); // 599 & 0xFF
}

TEST_F(Selection, AClickOnTheBlankAfterAPairKeepsTheByteAndWritesTheLineAgain) {
  ASSERT_NE(OpenCounting(1050), nullptr);
  h.Click(view, view->HexCellCenter(13));
  ASSERT_EQ(PositionLine(), QStringLiteral("Byte 13 = 13"));
  h.ClickControl(view, ids::kNextPage);
  EXPECT_EQ(PositionLine(), QStringLiteral("Byte 13 = 13")); // paging leaves the line alone
  for (const int blank : {28, 34, 49 * kCellWidth + 1}) {
    ClickHex(blank, 7 + kLineHeight);
    EXPECT_EQ(view->Session().SelIndex(), 13) << blank;
    EXPECT_EQ(PositionLine(), QStringLiteral("Byte 213 = 213")) << blank;
  }
}

TEST_F(Selection, ClicksOnTheCharacterColumnSelectTheirByte) {
  ASSERT_NE(OpenCounting(1050), nullptr);
  GoTo(QStringLiteral("600"));
  h.Click(view, view->AsciiCellCenter(19));
  EXPECT_EQ(view->Session().SelIndex(), 19);
  EXPECT_EQ(PositionLine(), QStringLiteral("Byte 619 = 107"));
  h.Click(view, view->AsciiCellCenter(25));
  EXPECT_EQ(view->Session().SelIndex(), 25);
  ClickAscii(1, 7);
  EXPECT_EQ(view->Session().SelIndex(), 0);
  ClickAscii(6, 7);
  EXPECT_EQ(view->Session().SelIndex(), 0);
  ClickAscii(133, 7);
  EXPECT_EQ(view->Session().SelIndex(), 19);
  ClickAscii(139, 7 + 9 * kLineHeight);
  EXPECT_EQ(view->Session().SelIndex(), 199);
  EXPECT_EQ(PositionLine(), QStringLiteral("Byte 799 = 31"));
}

TEST_F(Selection, AClickWithShiftOrControlHeldSelectsNothing) {
  ASSERT_NE(OpenCounting(1050), nullptr);
  h.Click(view, view->HexCellCenter(3));
  ASSERT_EQ(PositionLine(), QStringLiteral("Byte 3 = 3"));
  for (const Qt::KeyboardModifiers mods : {Qt::KeyboardModifiers(Qt::ShiftModifier),
                                           Qt::KeyboardModifiers(Qt::ControlModifier),
                                           Qt::ShiftModifier | Qt::ControlModifier}) {
    h.Click(view, view->HexCellCenter(11), mods);
    h.Click(view, view->AsciiCellCenter(11), mods);
    EXPECT_EQ(view->Session().SelIndex(), 3);
    EXPECT_EQ(PositionLine(), QStringLiteral("Byte 3 = 3"));
  }
  // With the right button also down the left press selects nothing either.
  QPoint point = view->HexCellCenter(11);
  QWidget* target = view->childAt(point) != nullptr ? view->childAt(point) : view;
  point = target->mapFrom(view, point);
  QMouseEvent press(QEvent::MouseButtonPress, point, target->mapToGlobal(point), Qt::LeftButton,
                    Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(target, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, point, target->mapToGlobal(point), Qt::LeftButton,
                      Qt::RightButton, Qt::NoModifier);
  QApplication::sendEvent(target, &release);
  EXPECT_EQ(view->Session().SelIndex(), 3);
  EXPECT_EQ(PositionLine(), QStringLiteral("Byte 3 = 3"));
}

TEST_F(Selection, PagingKeepsTheLineAndTheIndexForTheNextToggle) {
  ASSERT_NE(OpenCounting(1050), nullptr);
  h.Click(view, view->HexCellCenter(13));
  ASSERT_EQ(PositionLine(), QStringLiteral("Byte 13 = 13"));
  h.ClickControl(view, ids::kNextPage);
  h.Key(GetDlgItem(view, ids::kStart), Qt::Key_PageDown);
  EXPECT_EQ(view->Session().Page().start, 400);
  EXPECT_EQ(view->Session().SelIndex(), 13);
  EXPECT_EQ(PositionLine(), QStringLiteral("Byte 13 = 13"));
  h.ClickControl(view, ids::kRadix);
  EXPECT_EQ(PositionLine(), QStringLiteral("Byte 19D = 9D"));
}

TEST(SelectionBeforePaint, EveryClickIsAMissUntilThePageHasBeenPainted) {
  AppHarness h;
  const QString path = h.files.WriteCounting(QStringLiteral("count.bin"), 1050);
  CVekDoc document;
  CVekView view(h.ui, h.fileSystem, document);
  view.LoadFile(TestFiles::Local(path));
  ASSERT_EQ(view.Session().Page().count, 200);
  QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, view.HexCellCenter(13));
  QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, view.AsciiCellCenter(13));
  EXPECT_EQ(view.Session().SelIndex(), 0);
  EXPECT_EQ(h.ControlText(&view, ids::kPositionLine), QString());
  view.grab();
  QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, view.HexCellCenter(13));
  EXPECT_EQ(view.Session().SelIndex(), 13);
  EXPECT_EQ(h.ControlText(&view, ids::kPositionLine), QStringLiteral("Byte 13 = 13"));
}

} // namespace vek::test

namespace vek::test {

} // namespace vek::test
