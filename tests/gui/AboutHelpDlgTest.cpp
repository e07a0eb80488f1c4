// The About and Help boxes: their texts, icon and the ways to close them; and, for every dialog
// of the program, that each text fits the control that shows it in the dialog font.
#include <gtest/gtest.h>

#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ResourceIds.h"
#include "app/CAboutDlg.h"
#include "app/CHelpDlg.h"
#include "edit/CConverterDlg.h"
#include "edit/CEditByteDlg.h"
#include "platform/AppIcons.h"
#include "platform/ControlTemplate.h"
#include "platform/DialogUnits.h"
#include "search/CFindDlg.h"

namespace vek {
namespace {

void ShowActive(QDialog& dialog) {
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

QStringList LabelTexts(const QWidget& dialog) {
  QStringList texts;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    if (!label->text().isEmpty()) texts << label->text();
  }
  return texts;
}

// The icon controls: labels showing a picture.
std::vector<const QLabel*> IconLabels(const QWidget& dialog) {
  std::vector<const QLabel*> icons;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    if (!label->pixmap().isNull()) icons.push_back(label);
  }
  return icons;
}

void ExpectAppIconAt(const QWidget& dialog, int xDlu, int yDlu) {
  const auto icons = IconLabels(dialog);
  ASSERT_EQ(icons.size(), 1u) << "the application icon is missing (resources not linked?)";
  EXPECT_EQ(icons[0]->pixmap().size(), QSize(32, 32));
  EXPECT_EQ(icons[0]->pos(), QPoint(DluToPixelsX(xDlu), DluToPixelsY(yDlu)));
  EXPECT_EQ(icons[0]->pixmap().toImage(), AppIcon().pixmap(32, 32).toImage());
}

TEST(AboutDlgTest, ShowsNameVersionNoticeAndIcon) {
  CAboutDlg dialog;
  EXPECT_EQ(dialog.windowTitle(), "About VEK");
  EXPECT_EQ(dialog.size(), QSize(DluToPixelsX(210), DluToPixelsY(81)));
  const QStringList texts = LabelTexts(dialog);
  EXPECT_TRUE(texts.contains("VEK Version 1.5\nHex file dumper")) << texts.join("|").toStdString();
  ASSERT_EQ(texts.size(), 2);
  EXPECT_TRUE(texts.filter("Copyright").size() == 1) << texts.join("|").toStdString();
  ExpectAppIconAt(dialog, 94, 6);
  auto* ok = qobject_cast<QPushButton*>(GetDlgItem(&dialog, ids::kOk));
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), "OK");
  EXPECT_TRUE(ok->isDefault());
}

TEST(AboutDlgTest, OkEnterAndEscapeEndIt) {
  CAboutDlg byClick;
  ShowActive(byClick);
  QTest::mouseClick(qobject_cast<QWidget*>(GetDlgItem(&byClick, ids::kOk)), Qt::LeftButton);
  EXPECT_FALSE(byClick.isVisible());
  EXPECT_EQ(byClick.result(), QDialog::Accepted);

  CAboutDlg byEnter;
  ShowActive(byEnter);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_FALSE(byEnter.isVisible());
  EXPECT_EQ(byEnter.result(), QDialog::Accepted);

  CAboutDlg byEscape;
  ShowActive(byEscape);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_FALSE(byEscape.isVisible());
  EXPECT_EQ(byEscape.result(), QDialog::Rejected);
}

TEST(HelpDlgTest, ShowsTheThreeTextsTheControlsBoxAndTheIconButNoButton) {
  CHelpDlg dialog;
  EXPECT_EQ(dialog.windowTitle(), "VEK Help");
  EXPECT_EQ(dialog.size(), QSize(DluToPixelsX(329), DluToPixelsY(141)));
  const QStringList texts = LabelTexts(dialog);
  EXPECT_EQ(texts.size(), 4) << texts.join("|").toStdString();
  EXPECT_TRUE(texts.contains(
      "This program allows you to view and edit any file that can be opened. \nViewing is done a "
      "\"page\" at a time. The page size is fixed at 200 bytes per page.\nYou can have as many "
      "open files as you wish.\n"));
  EXPECT_TRUE(texts.contains(
      "Hex\t\tSwitch display to/from hex/dec\nNew\t\tLoad a new file into this view.\n"
      "Refresh\t\tReload the current page of the file and re-dsiplay\n< >\t\tMove to the "
      "previous / next page of bytes.\nStart\t\tSpecify the start byte position for the current "
      "page"));
  EXPECT_TRUE(texts.contains(
      "Find\t\tStart a search from the beginning of the file for a byte pattern Hex / ASCII\n"
      "Next\t\tContinue searching from curent position for the search pattern\n16/10\t\tHex / "
      "Decimal converter"));
  EXPECT_TRUE(texts.contains("To edit a byte, double-click on it."));
  const auto boxes = dialog.findChildren<QGroupBox*>();
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_EQ(boxes[0]->title(), "Controls");
  EXPECT_TRUE(dialog.findChildren<QAbstractButton*>().isEmpty());
  ExpectAppIconAt(dialog, 301, 7);
}

TEST(HelpDlgTest, EscapeReturnKeypadEnterAndCloseBoxEndIt) {
  CHelpDlg byEscape;
  ShowActive(byEscape);
  QTest::keyClick(&byEscape, Qt::Key_Escape);
  EXPECT_FALSE(byEscape.isVisible());
  EXPECT_EQ(byEscape.result(), QDialog::Rejected);

  CHelpDlg byReturn;
  ShowActive(byReturn);
  QTest::keyClick(&byReturn, Qt::Key_Return);
  EXPECT_FALSE(byReturn.isVisible());
  EXPECT_EQ(byReturn.result(), QDialog::Accepted);

  CHelpDlg byKeypad;
  ShowActive(byKeypad);
  QTest::keyClick(&byKeypad, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_FALSE(byKeypad.isVisible());
  EXPECT_EQ(byKeypad.result(), QDialog::Accepted);

  CHelpDlg byCloseBox;
  ShowActive(byCloseBox);
  byCloseBox.close();
  EXPECT_FALSE(byCloseBox.isVisible());
  EXPECT_EQ(byCloseBox.result(), QDialog::Rejected);
}

TEST(HelpDlgTest, OtherKeysLeaveItOpen) {
  CHelpDlg dialog;
  ShowActive(dialog);
  QTest::keyClick(&dialog, Qt::Key_A);
  QTest::keyClick(&dialog, Qt::Key_Space);
  EXPECT_TRUE(dialog.isVisible());
}

// Every text must be readable whole in the dialog font: no label, radio button or push button may
// clip its text. Tabs expand to stops of 32 dialog units, as the Help box draws them.
void ExpectTextsFit(const QDialog& dialog) {
  for (const QWidget* control : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    EXPECT_TRUE(dialog.rect().contains(control->geometry()))
        << dialog.windowTitle().toStdString() << ": a control reaches out of the dialog";
  }
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    QString text = label->text();
    while (text.endsWith(u'\n')) text.chop(1); // a closing line break draws nothing
    if (text.isEmpty()) continue;
    const QFontMetrics metrics(label->font());
    int flags = Qt::AlignLeft | Qt::AlignTop;
    if (label->wordWrap() || text.contains(u'\t')) flags |= Qt::TextWordWrap;
    if (text.contains(u'\t')) flags |= Qt::TextExpandTabs;
    const QRect needed = metrics.boundingRect(QRect(0, 0, label->width(), 10000), flags, text,
                                              DluToPixelsX(32));
    EXPECT_LE(needed.height(), label->height()) << dialog.windowTitle().toStdString() << ": '"
                                                << text.toStdString() << "'";
    EXPECT_LE(needed.width(), label->width()) << dialog.windowTitle().toStdString() << ": '"
                                              << text.toStdString() << "'";
  }
  for (const QRadioButton* radio : dialog.findChildren<QRadioButton*>()) {
    EXPECT_LE(radio->sizeHint().width(), radio->width()) << radio->text().toStdString();
    EXPECT_LE(radio->fontMetrics().height(), radio->height()) << radio->text().toStdString();
  }
  for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
    EXPECT_LT(button->fontMetrics().horizontalAdvance(button->text()), button->width() - 8)
        << button->text().toStdString();
  }
}

TEST(DlgTextFitTest, EveryDialogTextFitsItsControl) {
  CAboutDlg about;
  ExpectTextsFit(about);
  CHelpDlg help;
  ExpectTextsFit(help);
  CFindDlg find;
  ShowActive(find);
  ExpectTextsFit(find);
  CConverterDlg converter;
  ExpectTextsFit(converter);
  for (const bool hexMode : {true, false}) {
    CEditByteDlg edit;
    edit.m_lOffset = 0x7FFFFFFF;
    edit.m_byValue = 0xFF;
    edit.m_bHexMode = hexMode;
    ShowActive(edit);
    ExpectTextsFit(edit);
    QWidget* hexRadio = GetDlgItem(&edit, ids::kEditRadioHex);
    ASSERT_NE(hexRadio, nullptr);
    QTest::mouseClick(hexRadio, Qt::LeftButton);
    ExpectTextsFit(edit);
  }
}

} // namespace
} // namespace vek
