// What assistive technology reads: the page area's text against the page the view shows, the
// caret and selection after a click, the stretch a change reports, and the names of the controls
// of the form and of every dialog. (The events themselves need a live accessibility bus; the
// AT-SPI end-to-end test listens to them.)
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QTimer>

#include "AppHarness.h"
#include "core/FileSession.h"
#include "ResourceIds.h"
#include "app/CAboutDlg.h"
#include "app/CHelpDlg.h"
#include "edit/CConverterDlg.h"
#include "edit/CEditByteDlg.h"
#include "platform/ControlTemplate.h"
#include "platform/QtUiServices.h"
#include "search/CFindDlg.h"
#include "view/CVekView.h"
#include "view/PageAccessible.h"
#include "view/PageArea.h"

namespace vek::test {

namespace {

QAccessibleInterface* Accessible(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

QString Name(QObject* object) {
  QAccessibleInterface* a = Accessible(object);
  return a != nullptr ? a->text(QAccessible::Name) : QStringLiteral("<not accessible>");
}

QString Description(QObject* object) {
  QAccessibleInterface* a = Accessible(object);
  return a != nullptr ? a->text(QAccessible::Description) : QStringLiteral("<not accessible>");
}

// Every control of a form or dialog has a name a screen reader can say.
void ExpectEveryControlNamed(const QWidget& window) {
  for (QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    EXPECT_FALSE(Name(control).trimmed().isEmpty())
        << control->metaObject()->className() << " " << control->objectName().toStdString() << " of "
        << window.windowTitle().toStdString() << " has no accessible name";
  }
}

void CollectNames(QAccessibleInterface* node, QStringList& names) {
  for (int i = 0; node != nullptr && i < node->childCount(); ++i) {
    names << node->child(i)->text(QAccessible::Name);
    CollectNames(node->child(i), names);
  }
}

class AccessibilityTest : public ::testing::Test {
 protected:
  void Open(const QByteArray& bytes) {
    const QString path = h.files.Write(QStringLiteral("a11y.bin"), bytes);
    view = h.StartOn(path);
    ASSERT_NE(view, nullptr);
    view->grab(); // painting sets the widths that the hit test needs
    area = view->findChild<PageArea*>();
    ASSERT_NE(area, nullptr);
    page = Accessible(area);
    ASSERT_NE(page, nullptr);
    text = page->textInterface();
    ASSERT_NE(text, nullptr);
  }
  QString PageText() const { return text->text(0, text->characterCount()); }
  // The two hex digits the page shows for byte `index`.
  QString HexOf(int index) const {
    const int inLine = index % 20;
    return HexLines(view)[index / 20].mid(inLine / 2 * 5 + inLine % 2 * 2, 2);
  }

  AppHarness h;
  CVekView* view = nullptr;
  PageArea* area = nullptr;
  QAccessibleInterface* page = nullptr;
  QAccessibleTextInterface* text = nullptr;
};

} // namespace

TEST_F(AccessibilityTest, PageTextIsThePageAsShownAfterLoadPagingEditAndRadixToggle) {
  Open(TestFiles::Counting(1050));
  EXPECT_EQ(page->role(), QAccessible::EditableText);
  EXPECT_TRUE(page->state().readOnly);
  EXPECT_EQ(page->text(QAccessible::Name), QStringLiteral("Page bytes"));
  ASSERT_EQ(PageLines(view).size(), 10);
  EXPECT_TRUE(PageText().startsWith(QStringLiteral("      0  0001 0203 ")));

  h.ClickControl(view, ids::kNextPage);
  EXPECT_EQ(view->Session().Page().start, 200);
  EXPECT_TRUE(PageText().startsWith(QStringLiteral("    200  C8C9 CACB ")));

  h.ui.dialogSteps.push_back([](QDialog& d) {
    TypeInto(d, ids::kEditNewValue, QStringLiteral("65"));
    ClickButton(d, ids::kOk);
  });
  h.DoubleClick(view, view->HexCellCenter(1));
  EXPECT_EQ(HexOf(1), QStringLiteral("41"));
  EXPECT_TRUE(PageText().startsWith(QStringLiteral("    200  C841 CACB ")));

  h.ClickControl(view, ids::kRadix);
  ASSERT_TRUE(view->Session().HexMode());
  EXPECT_TRUE(PageText().startsWith(QStringLiteral("     C8  C841 CACB ")));
}

TEST_F(AccessibilityTest, EmptyFileGivesItsOnePageLine) {
  Open(QByteArray());
  EXPECT_EQ(PageText(), QStringLiteral("      0"));
  EXPECT_EQ(text->cursorPosition(), 0);
  EXPECT_EQ(text->selectionCount(), 0);
}

TEST_F(AccessibilityTest, CaretAndSelectionFollowTheClickedByte) {
  QByteArray bytes = TestFiles::Counting(300);
  Open(bytes);
  EXPECT_EQ(text->selectionCount(), 0); // no byte clicked yet

  h.Click(view, view->HexCellCenter(45));
  ASSERT_EQ(view->Session().SelIndex(), 45);
  int caret = text->cursorPosition();
  EXPECT_EQ(text->text(caret, caret + 2), QStringLiteral("2D"));
  // On the third page line, in the hex column.
  EXPECT_EQ(PageText().left(caret).count(u'\n'), 2);
  ASSERT_EQ(text->selectionCount(), 1);
  int start = -1;
  int end = -1;
  text->selection(0, &start, &end);
  EXPECT_EQ(start, caret);
  EXPECT_EQ(end, caret + 2);

  // A click in the character column selects the byte there, its hex digits again.
  h.Click(view, view->AsciiCellCenter(7));
  ASSERT_EQ(view->Session().SelIndex(), 7);
  caret = text->cursorPosition();
  EXPECT_EQ(text->text(caret, caret + 2), QStringLiteral("07"));
  EXPECT_EQ(PageText().left(caret).count(u'\n'), 0);

  // The caret's screen cell lies on that byte: a click there selects it, and the point maps back.
  const QRect cell = text->characterRect(caret);
  ASSERT_TRUE(cell.isValid());
  EXPECT_EQ(text->offsetAtPoint(cell.center()), caret);
  h.Click(view, view->HexCellCenter(0));
  ASSERT_EQ(view->Session().SelIndex(), 0);
  h.Click(view, view->mapFromGlobal(cell.center()) + QPoint(1, 0));
  EXPECT_EQ(view->Session().SelIndex(), 7);
  // The character column's cells map to their characters.
  const int line0Ascii = static_cast<int>(PageText().indexOf(u'\n')) - 20;
  EXPECT_EQ(text->offsetAtPoint(view->mapToGlobal(view->AsciiCellCenter(3))), line0Ascii + 3);

  // On a shorter page the caret stays on the page's last byte, without a selection.
  h.Click(view, view->HexCellCenter(150));
  ASSERT_EQ(view->Session().SelIndex(), 150);
  h.ClickControl(view, ids::kNextPage);
  ASSERT_EQ(view->Session().Page().count, 100);
  caret = text->cursorPosition();
  EXPECT_EQ(text->text(caret, caret + 2), QStringLiteral("2B")); // byte 299
  EXPECT_EQ(text->selectionCount(), 0);
}

TEST_F(AccessibilityTest, PageAreaNeitherPaintsNorTakesClicks) {
  Open(TestFiles::Counting(200));
  EXPECT_TRUE(area->testAttribute(Qt::WA_TransparentForMouseEvents));
  EXPECT_EQ(view->childAt(view->HexCellCenter(3)), nullptr);
  const QImage with = view->grab().toImage();
  area->hide();
  const QImage without = view->grab().toImage();
  area->show();
  EXPECT_EQ(with, without);
}

TEST_F(AccessibilityTest, FormControlsAreNamedAsShownOrByTheirToolTips) {
  Open(TestFiles::Counting(50));
  const auto control = [this](int id) { return GetDlgItem(view, id); };
  EXPECT_EQ(Name(control(ids::kPrevPage)), QStringLiteral("Prev Page"));
  EXPECT_EQ(Name(control(ids::kNextPage)), QStringLiteral("Next Page"));
  EXPECT_EQ(Name(control(ids::kStart)), QStringLiteral("Start"));
  EXPECT_EQ(Name(control(ids::kFind)), QStringLiteral("Find"));
  EXPECT_EQ(Description(control(ids::kFind)), QStringLiteral("Find Pattern"));
  EXPECT_EQ(Description(control(ids::kStart)), QStringLiteral("Byte Pos"));
  EXPECT_EQ(Description(control(ids::kConverter)), QStringLiteral("Hex/Dec Conv."));
  EXPECT_EQ(Name(control(ids::kRadix)), QStringLiteral("Dec"));
  h.ClickControl(view, ids::kRadix);
  EXPECT_EQ(Name(control(ids::kRadix)), QStringLiteral("Hex")); // the name follows the label
  EXPECT_EQ(Name(control(ids::kFileSize)), h.ControlText(view, ids::kFileSize));
  EXPECT_EQ(Name(control(ids::kHexFrame)), QStringLiteral("File bytes in hex-words"));

  // Titled group boxes speak their titles, and the position line its text once written.
  QStringList groups;
  for (QWidget* child : view->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (child->inherits("QGroupBox")) groups << Name(child);
  }
  EXPECT_TRUE(groups.contains(QStringLiteral("Current Position")));
  EXPECT_TRUE(groups.contains(QStringLiteral("Converter")));
  h.Click(view, view->HexCellCenter(3));
  EXPECT_EQ(Name(control(ids::kPositionLine)), QStringLiteral("Byte 3 = 3"));
  ExpectEveryControlNamed(*view);
}

TEST_F(AccessibilityTest, ScreenReaderToggleSwitchesTheRadixAsAClickDoes) {
  Open(TestFiles::Counting(300));
  QWidget* radix = GetDlgItem(view, ids::kRadix);
  QAccessibleActionInterface* actions = Accessible(radix)->actionInterface();
  ASSERT_NE(actions, nullptr);
  ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));

  actions->doAction(QAccessibleActionInterface::toggleAction());
  QApplication::processEvents();
  EXPECT_TRUE(view->Session().HexMode());
  EXPECT_EQ(Name(radix), QStringLiteral("Hex"));
  EXPECT_EQ(h.ControlText(view, ids::kFileSize), QStringLiteral("0x12C\r\nBytes"));
  EXPECT_TRUE(PageText().startsWith(QStringLiteral("      0  0001 ")));
  EXPECT_TRUE(PageText().contains(QStringLiteral("\n     14  1415 ")));

  // A click still switches once, not twice.
  h.ClickControl(view, ids::kRadix);
  QApplication::processEvents();
  EXPECT_FALSE(view->Session().HexMode());
  EXPECT_EQ(Name(radix), QStringLiteral("Dec"));
  EXPECT_TRUE(PageText().contains(QStringLiteral("\n     20  1415 ")));
}

TEST(DialogAccessibility, EveryControlOfEveryDialogIsNamed) {
  CFindDlg find;
  find.show();
  EXPECT_EQ(Name(GetDlgItem(&find, ids::kFindPattern)), QStringLiteral("Find Pattern"));
  EXPECT_EQ(Name(GetDlgItem(&find, ids::kFindRadioAscii)), QStringLiteral("ASCII (strings)"));
  EXPECT_EQ(Name(GetDlgItem(&find, ids::kCancel)), QStringLiteral("Cancel"));
  ExpectEveryControlNamed(find);

  CEditByteDlg edit;
  edit.m_lOffset = 12;
  edit.m_byValue = 7;
  edit.m_bHexMode = true;
  edit.show(); // the labels change as it opens; the edit keeps a name that fits both radixes
  EXPECT_EQ(Name(GetDlgItem(&edit, ids::kEditNewValue)), QStringLiteral("New value"));
  EXPECT_EQ(Name(GetDlgItem(&edit, ids::kEditPosition)), QStringLiteral("Offset : 0xc"));
  ExpectEveryControlNamed(edit);

  CConverterDlg converter;
  EXPECT_EQ(Name(GetDlgItem(&converter, ids::kConvHex)), QStringLiteral("Hex"));
  EXPECT_EQ(Name(GetDlgItem(&converter, ids::kConvDecimal)), QStringLiteral("Decimal"));
  ExpectEveryControlNamed(converter);

  CAboutDlg about;
  ExpectEveryControlNamed(about);
  CHelpDlg help;
  ExpectEveryControlNamed(help);
}

TEST(DialogAccessibility, MessageBoxIsReadWithItsTitleAndText) {
  QtUiServices ui;
  QString title;
  QStringList texts;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    title = Name(box);
    QAccessibleInterface* a = Accessible(box);
    CollectNames(a, texts);
    static_cast<QMessageBox*>(box)->accept();
  });
  ui.MessageBox(QStringLiteral("Not that many bytes in the file"), MessageIcon::Warning);
  EXPECT_EQ(title, QStringLiteral("vek"));
  EXPECT_TRUE(texts.contains(QStringLiteral("Not that many bytes in the file"))) << texts.join(u'|').toStdString();
  EXPECT_TRUE(texts.contains(QStringLiteral("OK"))) << texts.join(u'|').toStdString();
}

} // namespace vek::test
