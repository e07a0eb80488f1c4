// Working in the page beyond the form's controls: the context menu and its keys, a range made with
// Shift or a drag and what Copy puts on the clipboard, the wheel, dropped files, a dark palette.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "AppHarness.h"
#include "ResourceIds.h"
#include "app/CMainFrame.h"
#include "platform/AcceleratorTable.h"
#include "core/CellGeometry.h"
#include "core/FileSession.h"
#include "platform/ControlTemplate.h"
#include "view/CVekView.h"
#include "view/PageArea.h"

namespace vek::test {
namespace {

class PageTools : public ::testing::Test {
 protected:
  void Open(int size) {
    path = h.files.WriteCounting(QStringLiteral("tools.bin"), size);
    view = h.StartOn(path);
    ASSERT_NE(view, nullptr);
    view->grab(); // painting makes the columns clickable
    area = view->findChild<PageArea*>();
    QApplication::setActiveWindow(view->window());
    area->setFocus();
  }
  QMenu* OpenMenu() const {
    for (QMenu* menu : view->findChildren<QMenu*>()) {
      if (menu->isVisible()) return menu;
    }
    return nullptr;
  }
  QString PositionLine() const { return h.ControlText(view, ids::kPositionLine); }
  QString Clipboard() const { return QGuiApplication::clipboard()->text(); }

  AppHarness h;
  QString path;
  CVekView* view = nullptr;
  PageArea* area = nullptr;
};

TEST_F(PageTools, TheContextMenuOpensByTheRightButtonTheMenuKeyAndShiftF10AndNamesItsKeys) {
  Open(300);
  const auto openedBy = [&](const std::function<void()>& open) {
    open();
    QMenu* menu = OpenMenu();
    if (menu != nullptr) menu->hide();
    return menu;
  };
  QMenu* menu = openedBy([&] {
    QContextMenuEvent click(QContextMenuEvent::Mouse, view->HexCellCenter(5), view->mapToGlobal(view->HexCellCenter(5)));
    QApplication::sendEvent(view, &click);
  });
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->pos(), view->mapToGlobal(view->HexCellCenter(5)));
  QStringList items;
  for (const QAction* action : menu->actions()) items << action->text() + u'|' + action->shortcut().toString();
  EXPECT_EQ(items.mid(0, 4), (QStringList{QStringLiteral("Copy as &Hex|Ctrl+Shift+C"), QStringLiteral("Copy as &Text|Ctrl+Shift+T"),
                                          QStringLiteral("Copy as C &Array|Ctrl+Shift+A"),
                                          QStringLiteral("Copy &Offset|Ctrl+Shift+O")}));
  // Every command has a key of its own, and none is a key of the accelerator table, which would
  // take it before the page sees it.
  QSet<QKeyCombination> keys;
  for (const QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    ASSERT_FALSE(action->shortcut().isEmpty()) << action->text().toStdString();
    const QKeyCombination key = action->shortcut()[0];
    EXPECT_FALSE(keys.contains(key)) << action->text().toStdString();
    keys.insert(key);
    EXPECT_EQ(TranslateAccelerator(MainAccelerators(), key.key(), key.keyboardModifiers()), std::nullopt)
        << action->text().toStdString();
  }
  h.Click(view, view->HexCellCenter(45));
  // From the keyboard the menu appears at the selected byte.
  EXPECT_EQ(openedBy([&] { h.Key(area, Qt::Key_Menu); }), menu);
  EXPECT_EQ(menu->pos(), view->mapToGlobal(view->HexCellCenter(45)));
  EXPECT_EQ(openedBy([&] { h.Key(area, Qt::Key_F10, Qt::ShiftModifier); }), menu);
  EXPECT_EQ(PositionLine(), QStringLiteral("Byte 45 = 45")) << "opening the menu selects nothing";
}

TEST_F(PageTools, ARangeMadeWithShiftOrADragIsHighlightedAndCopied) {
  Open(1050);
  h.Click(view, view->HexCellCenter(18));
  for (int i = 0; i < 3; ++i) h.Key(area, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(PositionLine(), QStringLiteral("18-21 (4 bytes)")) << "across two lines";
  h.Key(area, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Clipboard(), QStringLiteral("12 13 14 15"));
  h.Key(area, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(Clipboard().startsWith(QStringLiteral("unsigned char bytes[4] = {\n    0x12, 0x13,")));
  h.Key(area, Qt::Key_O, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Clipboard(), QStringLiteral("21"));

  // The range in the highlight, in both columns; the bytes beside it are not.
  const QImage page = view->grab().toImage();
  const QColor highlight = view->palette().color(QPalette::Highlight);
  // Near the palette's colour: the grab's pixels may round it by a step or two.
  const auto highlighted = [&](const CellRect& cell) {
    const QColor pixel = page.pixelColor(cell.left, cell.top);
    return std::abs(pixel.red() - highlight.red()) + std::abs(pixel.green() - highlight.green()) +
               std::abs(pixel.blue() - highlight.blue()) <= 8;
  };
  const FrameRect hexFrame = view->ColumnFrame(ids::kHexFrame);
  const FrameRect asciiFrame = view->ColumnFrame(ids::kAsciiFrame);
  for (const int index : {18, 19, 20, 21}) {
    EXPECT_TRUE(highlighted(HexByteCell(hexFrame, index))) << index;
    EXPECT_TRUE(highlighted(AsciiByteCell(asciiFrame, index))) << index;
  }
  for (const int index : {17, 22}) EXPECT_FALSE(highlighted(HexByteCell(hexFrame, index))) << index;

  // A drag from one byte to another; a range beyond the page is read from the file.
  const QPoint from = view->HexCellCenter(150);
  QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, from);
  QMouseEvent move(QEvent::MouseMove, view->HexCellCenter(152), view->mapToGlobal(view->HexCellCenter(152)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(view, &move);
  QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, view->HexCellCenter(152));
  EXPECT_EQ(PositionLine(), QStringLiteral("150-152 (3 bytes)"));
  for (int i = 0; i < 3; ++i) h.Key(area, Qt::Key_Down, Qt::ShiftModifier); // to byte 212 on the next page
  ASSERT_EQ(view->Session().Page().start, 200);
  h.Key(area, Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Clipboard().size(), 63);
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST_F(PageTools, AWheelNotchMovesThePageStartByTheDesktopsLines) {
  Open(1050);
  const auto turn = [&](int delta) {
    QWheelEvent wheel(view->HexCellCenter(3), view->mapToGlobal(view->HexCellCenter(3)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
  };
  const int bytesPerNotch = QApplication::wheelScrollLines() * kBytesPerLine;
  turn(-120);
  EXPECT_EQ(view->Session().Page().start, bytesPerNotch);
  EXPECT_EQ(h.ControlText(view, ids::kStart), QString::number(bytesPerNotch));
  turn(60);
  EXPECT_EQ(view->Session().Page().start, bytesPerNotch) << "half a notch waits for the other half";
  turn(60);
  EXPECT_EQ(view->Session().Page().start, 0);
  turn(120);
  EXPECT_EQ(view->Session().Page().start, 0);
}

TEST_F(PageTools, DroppedFilesOpenAsCtrlOOpensThem) {
  Open(300);
  CChildFrame* first = h.ActiveChild();
  const QString other = h.files.WriteCounting(QStringLiteral("dropped.bin"), 20);
  const auto drop = [&](const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(h.Frame(), &enter);
    QDropEvent dropped(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(h.Frame(), &dropped);
    return enter.isAccepted();
  };
  EXPECT_FALSE(drop({QUrl(QStringLiteral("https://example.invalid/a.bin"))})) << "not a local file";
  EXPECT_TRUE(drop({QUrl::fromLocalFile(other), QUrl::fromLocalFile(path)}));
  ASSERT_EQ(h.Frame()->Children().size(), 2) << "a window for the new file; the open one is activated";
  EXPECT_EQ(h.ActiveChild(), first);
  drop({QUrl::fromLocalFile(h.files.Path(QStringLiteral("missing.bin")))});
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{QStringLiteral("%1 was not found.").arg(h.files.Path(QStringLiteral("missing.bin")))});
  EXPECT_EQ(h.Frame()->Children().size(), 2);
  EXPECT_FALSE(GetDlgItem(view, ids::kStart)->acceptDrops()) << "the Start field takes digits from the keyboard only";
}

// The relative luminance of a colour, and the contrast of two, as the web's accessibility rules
// define them.
double Luminance(const QColor& colour) {
  const auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

TEST_F(PageTools, UnderADarkPaletteThePageReadsAsClearlyAsUnderALightOne) {
  Open(300);
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(0x31, 0x36, 0x3b));
  dark.setColor(QPalette::WindowText, QColor(0xef, 0xf0, 0xf1));
  dark.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
  dark.setColor(QPalette::HighlightedText, QColor(0xfc, 0xfc, 0xfc));
  view->setPalette(dark);
  const QImage page = view->grab().toImage();
  const FrameRect hexFrame = view->ColumnFrame(ids::kHexFrame);
  // The brightest pixel of the first byte's digits against the background behind them.
  const CellRect cell = HexByteCell(hexFrame, 1);
  QColor brightest = page.pixelColor(cell.left, cell.top);
  for (int y = cell.top; y < cell.top + cell.height; ++y) {
    for (int x = cell.left; x < cell.left + cell.width; ++x) {
      if (Luminance(page.pixelColor(x, y)) > Luminance(brightest)) brightest = page.pixelColor(x, y);
    }
  }
  const double background = Luminance(page.pixelColor(cell.left, cell.top));
  EXPECT_GE((Luminance(brightest) + 0.05) / (background + 0.05), 4.5);
}

} // namespace
} // namespace vek::test
