// What the screen shows after page reads: nothing of a former, longer page or of a former file
// stays painted. (What a read reads and says: tests/core/FileSessionTest.)
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QScreen>

#include "AppHarness.h"
#include "ResourceIds.h"
#include "app/CMainFrame.h"
#include "core/PageGeometry.h"
#include "platform/ControlTemplate.h"
#include "view/CVekView.h"

namespace vek::test {

namespace {

// The Start field typed and applied with Enter, as a person would.
void GoTo(AppHarness& h, CVekView* view, const QString& start) {
  h.TypeStart(view, start);
  h.Key(GetDlgItem(view, ids::kStart), Qt::Key_Return);
}

// Dark pixels in a rectangle of an image: where text was drawn.
int DarkPixels(const QImage& image, const QRect& area) {
  int dark = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (qGray(image.pixel(x, y)) < 128) ++dark;
  return dark;
}

// What the screen shows of the view now, from the window's own backing store (no new paint).
QImage OnScreen(AppHarness& h, CVekView* view) {
  QApplication::processEvents();
  QScreen* screen = h.Frame()->screen();
  const QPoint topLeft = view->mapToGlobal(QPoint(0, 0)) - h.Frame()->mapToGlobal(QPoint(0, 0));
  const QImage window = screen->grabWindow(h.Frame()->winId()).toImage();
  return window.copy(QRect(topLeft, view->size()));
}

// The band of page line `line` in the hex column, in view pixels.
QRect HexLineBand(const CVekView* view, int line) {
  const QRect frame = ControlRect(view, ids::kHexFrame);
  return {frame.left() + kTextInsetX, frame.top() + kTextInsetY + line * kLineHeight, kHexLineWidth, kLineHeight};
}
} // namespace

TEST(PageReading, AShorterPageLeavesNothingOfTheLongerOneOnScreen) {
  AppHarness h;
  CVekView* view = h.StartOn(h.files.WriteCounting(QStringLiteral("count.bin"), 1050));
  ASSERT_NE(view, nullptr);
  QImage shown = OnScreen(h, view);
  ASSERT_FALSE(shown.isNull());
  for (int line = 0; line < kMaxPageLines; ++line) EXPECT_GT(DarkPixels(shown, HexLineBand(view, line)), 0) << line;

  GoTo(h, view, QStringLiteral("1000"));
  ASSERT_EQ(HexLines(view).size(), 3);
  shown = OnScreen(h, view);
  for (int line = 0; line < 3; ++line) EXPECT_GT(DarkPixels(shown, HexLineBand(view, line)), 0) << line;
  for (int line = 3; line < kMaxPageLines; ++line) EXPECT_EQ(DarkPixels(shown, HexLineBand(view, line)), 0) << line;
}

} // namespace vek::test

namespace vek::test {

TEST(PageReading, AFileThatFailsToLoadLeavesNothingOfTheFormerFileOnScreen) {
  AppHarness h;
  CVekView* view = h.StartOn(h.files.WriteCounting(QStringLiteral("former.bin"), 1050));
  ASSERT_NE(view, nullptr);
  ASSERT_GT(DarkPixels(OnScreen(h, view), HexLineBand(view, 0)), 0);
  h.ui.fileAnswers.push_back(h.files.WriteCounting(QStringLiteral("next.bin"), 10));
  h.fileSystem.plan.failRead = true;
  h.ClickControl(view, ids::kNew);
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{"Read Error"});
  const QImage shown = OnScreen(h, view);
  for (int line = 0; line < kMaxPageLines; ++line) EXPECT_EQ(DarkPixels(shown, HexLineBand(view, line)), 0) << line;
}

TEST(PageReading, ASoftHyphenShowsAsAHyphenInTheCharacterColumn) {
  AppHarness h;
  CVekView* view = h.StartOn(h.files.Write(QStringLiteral("shy.bin"), QByteArray("a\xAD" "b")));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(AsciiLines(view), QStringList{"a-b"});
}

} // namespace vek::test
