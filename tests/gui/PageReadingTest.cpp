// Reading pages from a file that other programs may change, and what the view does when the file
// system fails at each step of a read.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QScreen>

#include "AppHarness.h"
#include "core/FileSession.h"
#include "ResourceIds.h"
#include "app/CMainFrame.h"
#include "core/PageGeometry.h"
#include "platform/ControlTemplate.h"
#include "view/CVekView.h"

namespace vek::test {

namespace {

void Resize(const QString& path, qint64 size) { ASSERT_TRUE(QFile::resize(path, size)); }

// The Start field typed and applied with Enter, as a person would.
void GoTo(AppHarness& h, CVekView* view, const QString& start) {
  h.TypeStart(view, start);
  h.Key(GetDlgItem(view, ids::kStart), Qt::Key_Return);
}

} // namespace

TEST(PageReading, ThePageTextHoldsTheBytesOfTheFile) {
  AppHarness h;
  const QString path = h.files.WriteCounting(QStringLiteral("count.bin"), 1050);
  CVekView* view = h.StartOn(path);
  ASSERT_NE(view, nullptr);
  ASSERT_EQ(HexLines(view).size(), 10);
  EXPECT_EQ(HexLines(view)[0], QStringLiteral("0001 0203 0405 0607 0809 0A0B 0C0D 0E0F 1011 1213 "));
  EXPECT_EQ(AsciiLines(view)[0], QStringLiteral("...................."));
  EXPECT_EQ(OffsetLines(view)[0], QStringLiteral("      0"));
  EXPECT_EQ(HexLines(view)[1], QStringLiteral("1415 1617 1819 1A1B 1C1D 1E1F 2021 2223 2425 2627 "));
  EXPECT_EQ(AsciiLines(view)[1], QStringLiteral("............ !\"#$%&'"));
  EXPECT_EQ(OffsetLines(view)[9], QStringLiteral("    180"));
  EXPECT_EQ(PageLines(view)[0],
            QStringLiteral("      0  0001 0203 0405 0607 0809 0A0B 0C0D 0E0F 1011 1213  ...................."));
}

TEST(PageReading, ShortFilesShowWhollyWithAPartialLastLine) {
  AppHarness h;
  CVekView* view = h.StartOn(h.files.Write(QStringLiteral("hello.txt"), QByteArrayLiteral("Hello")));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(HexLines(view), QStringList{QStringLiteral("4865 6C6C 6F")});
  EXPECT_EQ(AsciiLines(view), QStringList{QStringLiteral("Hello")});

  const QString path21 = h.files.WriteCounting(QStringLiteral("21.bin"), 21);
  ASSERT_NE(h.app->OpenDocumentFile(TestFiles::Local(path21)), nullptr);
  CVekView* view21 = h.ActiveView();
  ASSERT_EQ(HexLines(view21).size(), 2);
  EXPECT_EQ(HexLines(view21)[1], QStringLiteral("14"));
  EXPECT_EQ(AsciiLines(view21)[1], QStringLiteral("."));
  EXPECT_EQ(OffsetLines(view21)[1], QStringLiteral("     20"));

  const QString path150 = h.files.WriteCounting(QStringLiteral("150.bin"), 150);
  ASSERT_NE(h.app->OpenDocumentFile(TestFiles::Local(path150)), nullptr);
  CVekView* view150 = h.ActiveView();
  EXPECT_EQ(view150->Session().Page().start, 0);
  EXPECT_EQ(view150->Session().Page().count, 150);
  EXPECT_EQ(HexLines(view150).size(), 8);
}

TEST(PageReading, AFileThatShrinksOrGrowsIsMeasuredAgainOnTheNextRead) {
  AppHarness h;
  const QString path = h.files.WriteCounting(QStringLiteral("count.bin"), 1050);
  CVekView* view = h.StartOn(path);
  ASSERT_NE(view, nullptr);
  GoTo(h, view, QStringLiteral("900"));
  ASSERT_EQ(view->Session().Page().start, 900);
  ASSERT_EQ(view->Session().Page().count, 150);

  Resize(path, 500);
  h.ClickControl(view, ids::kRefresh);
  EXPECT_TRUE(h.ui.messages.empty());
  EXPECT_EQ(view->Session().Page().fileSize, 500);
  EXPECT_EQ(view->Session().Page().start, 300);
  EXPECT_EQ(view->Session().Page().end, 500);
  EXPECT_EQ(view->Session().Page().count, 200);
  EXPECT_EQ(h.ControlText(view, ids::kFileSize), QStringLiteral("500\r\nBytes"));
  EXPECT_EQ(h.ControlText(view, ids::kStart), QStringLiteral("300"));

  // Another program shortens the file just before the next page is read.
  bool shrunk = false;
  h.fileSystem.beforeOpen = [&](const std::string&, OpenMode) {
    if (!shrunk) Resize(path, 50);
    shrunk = true;
  };
  h.ClickControl(view, ids::kPrevPage);
  EXPECT_TRUE(h.ui.messages.empty());
  EXPECT_EQ(view->Session().Page().fileSize, 50);
  EXPECT_EQ(view->Session().Page().start, 0); // start 100 lies past the new end
  EXPECT_EQ(view->Session().Page().count, 50);
  EXPECT_EQ(HexLines(view).size(), 3);
  h.fileSystem.beforeOpen = nullptr;

  h.files.WriteCounting(QStringLiteral("count.bin"), 700);
  h.ClickControl(view, ids::kNextPage);
  EXPECT_EQ(view->Session().Page().fileSize, 700);
  EXPECT_EQ(view->Session().Page().start, 200);
  EXPECT_EQ(view->Session().Page().count, 200);
}

TEST(PageReading, AShortOrFailedReadSaysReadErrorAndLeavesThePageOnScreen) {
  for (const bool shortRead : {true, false}) {
    SCOPED_TRACE(shortRead ? "short read" : "failed read");
    AppHarness h;
    CVekView* view = h.StartOn(h.files.WriteCounting(QStringLiteral("count.bin"), 1050));
    ASSERT_NE(view, nullptr);
    const QStringList before = PageLines(view);
    if (shortRead) {
      h.fileSystem.plan.shortRead = 10;
    } else {
      h.fileSystem.plan.failRead = true;
    }
    h.ClickControl(view, ids::kNextPage);
    EXPECT_EQ(h.ui.MessageTexts(), QStringList{QStringLiteral("Read Error")});
    EXPECT_EQ(PageLines(view), before);
    EXPECT_EQ(h.ControlText(view, ids::kStart), QStringLiteral("0"));
    EXPECT_EQ(h.ui.waitDepth, 0); // the wait cursor was taken back

    // Once the file system reads again, the same command goes on from the window it wanted.
    h.fileSystem.plan = FaultPlan{};
    h.ClickControl(view, ids::kRefresh);
    EXPECT_EQ(view->Session().Page().start, 200);
    EXPECT_EQ(OffsetLines(view)[0], QStringLiteral("    200"));
  }
}

TEST(PageReading, AFailedSeekSaysSeekErrorAndLeavesThePageOnScreen) {
  AppHarness h;
  CVekView* view = h.StartOn(h.files.WriteCounting(QStringLiteral("count.bin"), 1050));
  ASSERT_NE(view, nullptr);
  const QStringList before = PageLines(view);
  h.fileSystem.plan.failSeek = true;
  h.ClickControl(view, ids::kNextPage);
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{QStringLiteral("Seek error")});
  EXPECT_EQ(PageLines(view), before);
  EXPECT_EQ(h.ui.waitDepth, 0);
}

TEST(PageReading, AFileThatCannotBeOpenedLeavesThePageStateUntouched) {
  AppHarness h;
  CVekView* view = h.StartOn(h.files.WriteCounting(QStringLiteral("count.bin"), 1050));
  ASSERT_NE(view, nullptr);
  GoTo(h, view, QStringLiteral("400"));
  const QStringList before = PageLines(view);
  h.fileSystem.plan.openForRead = FileError::AccessDenied;
  h.ClickControl(view, ids::kRefresh);
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{QStringLiteral("File could not be opened ")});
  EXPECT_EQ(view->Session().Page().start, 400);
  EXPECT_EQ(view->Session().Page().count, 200);
  EXPECT_EQ(view->Session().Page().fileSize, 1050);
  EXPECT_EQ(PageLines(view), before);
}

TEST(PageReading, AFileDeletedWhileShownCannotBeOpenedAnyMore) {
  AppHarness h;
  const QString path = h.files.WriteCounting(QStringLiteral("count.bin"), 300);
  CVekView* view = h.StartOn(path);
  ASSERT_NE(view, nullptr);
  const QStringList before = PageLines(view);
  ASSERT_TRUE(QFile::remove(path));
  h.ClickControl(view, ids::kNextPage);
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{QStringLiteral("File could not be opened ")});
  EXPECT_EQ(PageLines(view), before);
  EXPECT_EQ(view->Session().Page().fileSize, 300);
}

namespace {
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
