// Two document windows compared side by side: paired from the "Compare with" list of a page's menu,
// the differing bytes marked in both views on a wash of their own under any palette, Next and
// Previous difference across pages and past the shorter file's end, a page move in one view
// followed by the other, the position line's description for screen readers, a long compare
// cancelled, a file cut short meanwhile, and the pairing ended by Stop, by a new pairing and by
// closing either window.
#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

#include "AppHarness.h"
#include "ResourceIds.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "core/CellGeometry.h"
#include "core/FileSession.h"
#include "platform/ControlTemplate.h"
#include "tools/CompareKeys.h"
#include "view/CVekView.h"
#include "view/PageArea.h"

namespace vek::test {
namespace {

const QString kKept = QStringLiteral("\nThe pages and the selected bytes stay as they were.");
const std::string kPositionDescription = "Offset and value of the selected byte";

class CompareWindows : public ::testing::Test {
 protected:
  // a.bin counts 0, 1, 2, ... for 1050 bytes; b.bin is a.bin with bytes 57, 58, 640 and 1001
  // changed, and ends at 1020.
  void Open(QByteArray first = TestFiles::Counting(1050), QByteArray second = {}) {
    if (second.isEmpty()) {
      second = first.left(1020);
      second[57] = 0x41;
      second[58] = 0x42;
      second[640] = 1;
      second[1001] = 9;
    }
    pathA = h.files.Write(QStringLiteral("a.bin"), first);
    pathB = h.files.Write(QStringLiteral("b.bin"), second);
    a = h.StartOn(pathA);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(h.app->OpenDocumentFile(TestFiles::Local(pathB)), nullptr);
    b = h.ActiveView();
    ASSERT_NE(b, a);
    for (CVekView* view : {a, b}) view->grab(); // painting makes the columns clickable
  }

  PageArea* Area(CVekView* view) const { return view->findChild<PageArea*>(); }

  void Focus(CVekView* view) const {
    QApplication::setActiveWindow(view->window());
    h.Frame()->MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(view->parentWidget()));
    Area(view)->setFocus();
  }

  void Key(CVekView* view, QKeyCombination key) {
    Focus(view);
    h.Key(Area(view), key.key(), key.keyboardModifiers());
  }

  // The list of the other windows, opened from the page of `view` with its key, as offered; it is
  // closed again.
  std::vector<std::string> Offered(CVekView* view) {
    QMenu* list = OpenList(view);
    if (list == nullptr) return {};
    std::vector<std::string> items;
    for (const QAction* action : list->actions()) {
      items.push_back(action->text().toStdString() + (action->isChecked() ? "*" : " ") + (action->isEnabled() ? "" : "(off)"));
    }
    list->hide();
    return items;
  }

  // The list names the windows by their titles, which name their files.
  static std::string Title(const CVekView* view) { return view->parentWidget()->windowTitle().toStdString(); }

  // Chooses the window of the file `name` from the list of `view`'s page.
  void CompareWith(CVekView* view, const QString& name) {
    QMenu* list = OpenList(view);
    ASSERT_NE(list, nullptr);
    for (QAction* action : list->actions()) {
      if (action->text().endsWith(u'/' + name)) {
        list->hide();
        action->trigger();
        return;
      }
    }
    QStringList offered;
    for (const QAction* action : list->actions()) offered << action->text();
    FAIL() << "no window of " << name.toStdString() << " in the list: " << offered.join(u'|').toStdString();
  }

  QMenu* OpenList(CVekView* view) {
    Key(view, kCompareWithKey);
    for (QMenu* menu : view->findChildren<QMenu*>()) {
      if (menu->isVisible() && menu->accessibleName() == QStringLiteral("Compare with")) return menu;
    }
    return nullptr;
  }

  QAction* Command(CVekView* view, const QString& text) const {
    for (QAction* action : Area(view)->actions()) {
      if (action->text() == text) return action;
    }
    return nullptr;
  }

  std::string PositionLine(const CVekView* view) const { return h.ControlText(view, ids::kPositionLine).toStdString(); }
  std::string Note(const CVekView* view) const {
    QAccessibleInterface* label = QAccessible::queryAccessibleInterface(GetDlgItem(view, ids::kPositionLine));
    return label != nullptr ? label->text(QAccessible::Description).toStdString() : std::string();
  }
  std::vector<int> Marked(const CVekView* view) const {
    std::vector<int> marked;
    for (int i = 0; i < kPageBytes; ++i) {
      if (view->Session().Differs(i)) marked.push_back(i);
    }
    return marked;
  }
  void Click(CVekView* view, int index) { h.Click(view, view->HexCellCenter(index)); }

  AppHarness h;
  QString pathA;
  QString pathB;
  CVekView* a = nullptr;
  CVekView* b = nullptr;
};

TEST_F(CompareWindows, CompareWithListsTheOtherWindowsAndPairsTheChosenOneAtTheSamePage) {
  Open();
  h.ClickControl(b, ids::kNextPage); // b.bin at 200, a.bin at 0
  ASSERT_EQ(a->Session().Page().start, 0);
  for (const QString& command : {QStringLiteral("Ne&xt difference"), QStringLiteral("Pre&vious difference"),
                                 QStringLiteral("&Stop comparing")}) {
    ASSERT_NE(Command(b, command), nullptr) << command.toStdString();
    EXPECT_FALSE(Command(b, command)->isEnabled()) << command.toStdString() << " before any pairing";
  }
  EXPECT_EQ(Offered(b), (std::vector<std::string>{"&1 " + Title(a) + " "}));
  EXPECT_TRUE(Marked(a).empty());

  CompareWith(b, QStringLiteral("a.bin"));
  EXPECT_EQ(a->Session().Page().start, 200) << "the other window shows the offsets of the one that chose it";
  EXPECT_EQ(h.ControlText(a, ids::kStart), QStringLiteral("200"));
  EXPECT_EQ(Marked(a), (std::vector<int>{}));
  h.ClickControl(a, ids::kPrevPage); // both at 0, where bytes 57 and 58 differ
  EXPECT_EQ(Marked(a), (std::vector<int>{57, 58}));
  EXPECT_EQ(Marked(b), (std::vector<int>{57, 58}));
  EXPECT_EQ(Offered(b), (std::vector<std::string>{"&1 " + Title(a) + "*"})) << "the partner is checked";
  EXPECT_EQ(Offered(a), (std::vector<std::string>{"&1 " + Title(b) + "*"}));
  for (const QString& command : {QStringLiteral("Ne&xt difference"), QStringLiteral("&Stop comparing")}) {
    EXPECT_TRUE(Command(a, command)->isEnabled()) << command.toStdString();
    EXPECT_TRUE(Command(b, command)->isEnabled()) << command.toStdString();
  }

  // A third window with a file, and a fourth without one (its file dialog cancelled), which has
  // nothing to compare and is not listed.
  const QString pathC = h.files.WriteCounting(QStringLiteral("c.bin"), 300);
  ASSERT_NE(h.app->OpenDocumentFile(TestFiles::Local(pathC)), nullptr);
  CVekView* c = h.ActiveView();
  h.app->OnFileNew();
  ASSERT_EQ(h.Frame()->Children().size(), 4);
  EXPECT_EQ(Offered(c), (std::vector<std::string>{"&1 " + Title(a) + " ", "&2 " + Title(b) + " "}));

  // Pairing a window anew ends the pairing it was in: b.bin is no longer compared.
  CompareWith(c, QStringLiteral("a.bin"));
  EXPECT_TRUE(Marked(b).empty());
  EXPECT_FALSE(Command(b, QStringLiteral("Ne&xt difference"))->isEnabled());
  EXPECT_EQ(Note(b), kPositionDescription);
  EXPECT_EQ(Marked(a), (std::vector<int>{}));
  h.Click(c, c->HexCellCenter(0));
  EXPECT_TRUE(Marked(c).empty()) << "a.bin and c.bin agree on the first page";
  EXPECT_EQ(h.ui.messages.size(), 0u);
}

TEST_F(CompareWindows, TheOnlyWindowHasNoneToCompareWith) {
  const QString path = h.files.WriteCounting(QStringLiteral("alone.bin"), 300);
  a = h.StartOn(path);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(Offered(a), (std::vector<std::string>{"No other document window is open (off)"}));
}

// The colour of a cell of the page, where no digit is painted (its top left corner).
QColor CellColour(const QImage& page, const CellRect& cell) { return page.pixelColor(cell.left, cell.top); }

bool Near(const QColor& one, const QColor& other) {
  return std::abs(one.red() - other.red()) + std::abs(one.green() - other.green()) + std::abs(one.blue() - other.blue()) <= 8;
}

TEST_F(CompareWindows, TheDifferingBytesAreWashedInBothViewsApartFromTheRangeUnderEveryPalette) {
  Open();
  const QImage before = a->grab().toImage();
  CompareWith(a, QStringLiteral("b.bin"));
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(0x31, 0x36, 0x3b));
  dark.setColor(QPalette::WindowText, QColor(0xef, 0xf0, 0xf1));
  dark.setColor(QPalette::Highlight, QColor(0x3d, 0xae, 0xe9));
  dark.setColor(QPalette::HighlightedText, QColor(0xfc, 0xfc, 0xfc));
  QPalette grey = dark;
  grey.setColor(QPalette::Highlight, QColor(0x80, 0x80, 0x80));
  const struct {
    const char* name;
    QPalette palette;
  } palettes[] = {{"default", a->palette()}, {"dark", dark}, {"grey highlight", grey}};
  for (const auto& p : palettes) {
    SCOPED_TRACE(p.name);
    for (CVekView* view : {a, b}) {
      view->setPalette(p.palette);
      // A range of the two bytes before the first difference: on the highlight.
      Click(view, 55);
      h.Key(Area(view), Qt::Key_Right, Qt::ShiftModifier);
      Area(view)->clearFocus(); // the focus mark would frame the selected byte
      const QImage page = view->grab().toImage();
      const FrameRect hexFrame = view->ColumnFrame(ids::kHexFrame);
      const FrameRect asciiFrame = view->ColumnFrame(ids::kAsciiFrame);
      const QColor background = CellColour(page, HexByteCell(hexFrame, 10));
      const QColor range = CellColour(page, HexByteCell(hexFrame, 55));
      const QColor wash = CellColour(page, HexByteCell(hexFrame, 57));
      EXPECT_TRUE(Near(range, p.palette.color(QPalette::Highlight)));
      EXPECT_FALSE(Near(wash, background));
      EXPECT_FALSE(Near(wash, range));
      EXPECT_TRUE(Near(CellColour(page, HexByteCell(hexFrame, 58)), wash));
      EXPECT_TRUE(Near(CellColour(page, AsciiByteCell(asciiFrame, 57)), wash));
      EXPECT_TRUE(Near(CellColour(page, HexByteCell(hexFrame, 59)), background));
      // Where the highlight has a hue, the wash has the opposite one: apart from a change of
      // another program's too, which is washed in the highlight's hue.
      const int hue = p.palette.color(QPalette::Highlight).hsvHue();
      if (hue >= 0) {
        const int apart = std::abs(wash.hsvHue() - hue) % 360;
        EXPECT_GE(std::min(apart, 360 - apart), 150) << wash.name().toStdString();
      }
    }
  }
  // Stopped, the page under the default palette is as it was before the pairing.
  for (CVekView* view : {a, b}) view->setPalette(QPalette());
  Key(a, kStopComparingKey);
  Click(a, 0);
  Area(a)->clearFocus();
  const QRect columns = Area(a)->geometry();
  EXPECT_EQ(a->grab().toImage().copy(columns), before.copy(columns));
}

TEST_F(CompareWindows, NextAndPreviousDifferenceMoveBothViewsAndSelectTheByte) {
  Open();
  CompareWith(a, QStringLiteral("b.bin"));
  const QString noMoreNext = QStringLiteral("No difference between a.bin and b.bin from offset 1021 on: b.bin ends at "
                                            "offset 1020, and the bytes of a.bin after it are not compared.") + kKept;
  const QString noMorePrevious =
      QStringLiteral("No difference between a.bin and b.bin before offset 57: they are the same from the start.") + kKept;
  const struct {
    const char* step;
    CVekView* from;
    QKeyCombination key;
    std::string lineA;
    std::string lineB;
    Offset startA;
    Offset startB;
    QString message; // none: the step found a difference
  } steps[] = {
      {"the first difference, on the first page", a, kNextDifferenceKey, "Byte 57 = 57", "Byte 57 = 65", 40, 40, {}},
      {"the next byte", a, kNextDifferenceKey, "Byte 58 = 58", "Byte 58 = 66", 40, 40, {}},
      {"pages on", a, kNextDifferenceKey, "Byte 640 = 128", "Byte 640 = 1", 640, 640, {}},
      {"from the other view", b, kNextDifferenceKey, "Byte 1001 = 233", "Byte 1001 = 9", 1000, 1000, {}},
      {"where b.bin ends: its last byte", a, kNextDifferenceKey, "Byte 1020 = 252", "Byte 1019 = 251", 1020, 1000, {}},
      {"nothing after the end", a, kNextDifferenceKey, "Byte 1020 = 252", "Byte 1019 = 251", 1020, 1000, noMoreNext},
      {"back", a, kPreviousDifferenceKey, "Byte 1001 = 233", "Byte 1001 = 9", 1000, 1000, {}},
      {"back pages", b, kPreviousDifferenceKey, "Byte 640 = 128", "Byte 640 = 1", 640, 640, {}},
      {"back to the first page", a, kPreviousDifferenceKey, "Byte 58 = 58", "Byte 58 = 66", 40, 40, {}},
      {"the first difference", a, kPreviousDifferenceKey, "Byte 57 = 57", "Byte 57 = 65", 40, 40, {}},
      {"nothing before the first", a, kPreviousDifferenceKey, "Byte 57 = 57", "Byte 57 = 65", 40, 40, noMorePrevious},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.step);
    h.ui.messages.clear();
    Key(s.from, s.key);
    EXPECT_EQ(PositionLine(a), s.lineA);
    EXPECT_EQ(PositionLine(b), s.lineB);
    EXPECT_EQ(a->Session().Page().start, s.startA);
    EXPECT_EQ(b->Session().Page().start, s.startB);
    EXPECT_EQ(h.ui.MessageTexts(), s.message.isEmpty() ? QStringList() : QStringList{s.message});
    EXPECT_EQ(h.ui.waitDepth, 0);
  }
  // The menu's items do what the keys do.
  h.ui.messages.clear();
  Command(b, QStringLiteral("Ne&xt difference"))->trigger();
  EXPECT_EQ(PositionLine(a), "Byte 58 = 58");
  Command(b, QStringLiteral("Pre&vious difference"))->trigger();
  EXPECT_EQ(PositionLine(b), "Byte 57 = 65");
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST_F(CompareWindows, APageMoveInOneViewMovesTheOtherToTheSameStart) {
  Open();
  CompareWith(a, QStringLiteral("b.bin"));
  const struct {
    const char* move;
    CVekView* view;
    std::function<void(CVekView*)> act;
    Offset startA;
    Offset startB;
  } moves[] = {
      {"Page Down", a, [&](CVekView* v) { Key(v, QKeyCombination(Qt::Key_PageDown)); }, 200, 200},
      {"the > button", b, [&](CVekView* v) { h.ClickControl(v, ids::kNextPage); }, 400, 400},
      {"a start typed and Enter", a,
       [&](CVekView* v) {
         h.TypeStart(v, QStringLiteral("613"));
         h.Key(GetDlgItem(v, ids::kStart), Qt::Key_Return);
       },
       613, 613},
      {"a key that turns the page", b,
       [&](CVekView* v) {
         Click(v, 195);
         Key(v, QKeyCombination(Qt::Key_Down));
       },
       813, 813},
      // a.bin's last page runs past b.bin's end: b.bin shows what it has from the same start.
      {"Ctrl+End, past the other's end", a, [&](CVekView* v) { Key(v, QKeyCombination(Qt::ControlModifier, Qt::Key_End)); }, 850, 850},
      {"Ctrl+Home", b, [&](CVekView* v) { Key(v, QKeyCombination(Qt::ControlModifier, Qt::Key_Home)); }, 0, 0},
  };
  for (const auto& m : moves) {
    SCOPED_TRACE(m.move);
    m.act(m.view);
    EXPECT_EQ(a->Session().Page().start, m.startA);
    EXPECT_EQ(b->Session().Page().start, m.startB);
    EXPECT_EQ(h.ControlText(a, ids::kStart), QString::number(m.startA));
    EXPECT_EQ(h.ControlText(b, ids::kStart), QString::number(m.startB));
  }
  // The marks follow the pages: both views at 613 hold the difference at 640.
  Key(a, kNextDifferenceKey);
  Key(a, kNextDifferenceKey);
  Key(a, kNextDifferenceKey); // at 640
  h.TypeStart(a, QStringLiteral("613"));
  h.Key(GetDlgItem(a, ids::kStart), Qt::Key_Return);
  EXPECT_EQ(Marked(a), (std::vector<int>{27}));
  EXPECT_EQ(Marked(b), (std::vector<int>{27}));
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.MessageTexts().join(u'|').toStdString();
}

TEST_F(CompareWindows, ThePositionLinesDescriptionSaysWhetherTheSelectedByteDiffersAndTheOtherValue) {
  Open();
  CompareWith(a, QStringLiteral("b.bin"));
  const struct {
    const char* name;
    std::function<void()> act;
    std::string noteA;
    std::string noteB;
  } cases[] = {
      {"a byte that differs", [&] { Click(a, 57); }, "Differs from b.bin: 65", "Same in a.bin"},
      {"one that does not", [&] { Click(a, 56); }, "Same in b.bin", "Same in a.bin"},
      {"the other view's byte", [&] { Click(b, 58); }, "Same in b.bin", "Differs from a.bin: 58"},
      {"in hex",
       [&] {
         h.ClickControl(a, ids::kRadix);
         Click(a, 57);
       },
       "Differs from b.bin: 41", "Differs from a.bin: 58"},
      {"past the other file's end",
       [&] {
         Key(a, QKeyCombination(Qt::ControlModifier, Qt::Key_End));
         Click(a, 199);
       },
       "Not in b.bin, which ends before this byte", "Differs from a.bin: 58"},
      {"the other file gone: the next read of it says so",
       [&] {
         QFile::remove(pathB);
         h.ClickControl(a, ids::kRadix); // the page's text changes: the other file is read again
       },
       "Not compared: b.bin: No such file or directory", "Differs from a.bin: 58"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    c.act();
    EXPECT_EQ(Note(a), c.noteA);
    EXPECT_EQ(Note(b), c.noteB);
  }
  Key(a, kStopComparingKey);
  EXPECT_EQ(Note(a), kPositionDescription);
  EXPECT_EQ(Note(b), kPositionDescription);
}

TEST_F(CompareWindows, ALongCompareCanBeCancelledAndMovesNothing) {
  // Two sparse files, the same but for their last byte: seconds of zeros to compare.
  const Offset size = Offset{64} << 30;
  for (const QString& name : {QStringLiteral("a.bin"), QStringLiteral("b.bin")}) {
    QFile file(h.files.Path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(size));
  }
  pathA = h.files.Path(QStringLiteral("a.bin"));
  pathB = h.files.Path(QStringLiteral("b.bin"));
  a = h.StartOn(pathA);
  ASSERT_NE(h.app->OpenDocumentFile(TestFiles::Local(pathB)), nullptr);
  b = h.ActiveView();
  a->grab();
  CompareWith(a, QStringLiteral("b.bin"));
  bool progressShown = false;
  QString label;
  QTimer::singleShot(900, a, [&] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      auto* progress = qobject_cast<QProgressDialog*>(window);
      if (progress == nullptr || !progress->isVisible()) continue;
      progressShown = true;
      label = progress->labelText();
      for (QAbstractButton* button : progress->findChildren<QAbstractButton*>()) QTest::mouseClick(button, Qt::LeftButton);
    }
  });
  Key(a, kNextDifferenceKey);
  EXPECT_TRUE(progressShown);
  EXPECT_EQ(label, QStringLiteral("Comparing..."));
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.MessageTexts().join(u'|').toStdString();
  EXPECT_EQ(a->Session().Page().start, 0);
  EXPECT_EQ(b->Session().Page().start, 0);
  EXPECT_EQ(h.ui.waitDepth, 0);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(CompareWindows, AFileCutShortOrGoneDuringTheCompareIsNamedInOurMessage) {
  // The difference lies past the first blocks: the compare reads them first.
  QByteArray first(3 << 20, '\0');
  QByteArray second = first;
  second[(3 << 20) - 1] = 1;
  Open(first, second);
  CompareWith(a, QStringLiteral("b.bin"));
  const std::string cutPath = TestFiles::Local(pathB);
  std::atomic<bool> cut = false;
  h.fileSystem.beforeRead = [&](const std::string& path, Offset offset) {
    // Another program cuts b.bin short while the compare reads its second block.
    if (path == cutPath && offset >= (1 << 20) && !cut.exchange(true)) ::truncate(path.c_str(), (1 << 20) + 100);
  };
  Key(a, kNextDifferenceKey);
  h.fileSystem.beforeRead = {};
  EXPECT_TRUE(cut);
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{QStringLiteral("a.bin and b.bin could not be compared: b.bin: the file "
                                                            "shrank while it was read.") + kKept});
  EXPECT_EQ(h.ui.messages.front().icon, MessageIcon::Exclamation);
  EXPECT_EQ(a->Session().Page().start, 0);
  EXPECT_EQ(a->Session().SelIndex(), 0);

  h.ui.messages.clear();
  QFile::remove(pathA);
  Key(b, kNextDifferenceKey);
  EXPECT_EQ(h.ui.MessageTexts(),
            QStringList{QStringLiteral("b.bin and a.bin could not be compared: a.bin: No such file or directory.") + kKept});
  EXPECT_EQ(b->Session().Page().start, 0);
  EXPECT_EQ(h.ui.waitDepth, 0);
}

TEST_F(CompareWindows, StopAndClosingEitherWindowEndTheCompareAndLeaveTheOtherAsItWas) {
  Open();
  CompareWith(a, QStringLiteral("b.bin"));
  ASSERT_FALSE(Marked(a).empty());
  Key(b, kStopComparingKey);
  EXPECT_TRUE(Marked(a).empty());
  EXPECT_TRUE(Marked(b).empty());
  EXPECT_FALSE(Command(a, QStringLiteral("Ne&xt difference"))->isEnabled());
  Key(a, kNextDifferenceKey);
  EXPECT_EQ(PositionLine(a), "") << "Next difference does nothing while not compared";
  h.ClickControl(a, ids::kNextPage);
  EXPECT_EQ(b->Session().Page().start, 0) << "the pages no longer move together";

  for (const bool closeFirst : {true, false}) {
    SCOPED_TRACE(closeFirst ? "the first window closed" : "the second window closed");
    if (a == nullptr || b == nullptr) {
      ASSERT_NE(h.app->OpenDocumentFile(TestFiles::Local(a == nullptr ? pathA : pathB)), nullptr);
      (a == nullptr ? a : b) = h.ActiveView();
    }
    CompareWith(a, QStringLiteral("b.bin"));
    h.ClickControl(a, ids::kPrevPage);
    ASSERT_FALSE(Marked(b).empty());
    CVekView*& closing = closeFirst ? a : b;
    CVekView* staying = closeFirst ? b : a;
    qobject_cast<QMdiSubWindow*>(closing->parentWidget())->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    closing = nullptr;
    EXPECT_TRUE(Marked(staying).empty());
    EXPECT_EQ(Note(staying), kPositionDescription);
    EXPECT_FALSE(Command(staying, QStringLiteral("&Stop comparing"))->isEnabled());
    h.ui.messages.clear();
    Key(staying, kNextDifferenceKey);
    h.ClickControl(staying, ids::kNextPage);
    EXPECT_TRUE(h.ui.messages.empty());
    EXPECT_EQ(Offered(staying), (std::vector<std::string>{"No other document window is open (off)"}));
  }
}

} // namespace
} // namespace vek::test
