// The Edit Byte dialog, driven as a person would: its texts when it opens in either radix, the
// conversions of the radio buttons, and the byte that OK yields for a typed text.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "ResourceIds.h"
#include "edit/CEditByteDlg.h"
#include "platform/ControlTemplate.h"

namespace vek {
namespace {

QString LabelText(const QWidget& dialog, int id) {
  const auto* label = qobject_cast<const QLabel*>(GetDlgItem(&dialog, id));
  return label != nullptr ? label->text() : QStringLiteral("<no label>");
}

QLineEdit* ValueEdit(const QWidget& dialog) {
  return qobject_cast<QLineEdit*>(GetDlgItem(&dialog, ids::kEditNewValue));
}

QRadioButton* Radio(const QWidget& dialog, int id) {
  return qobject_cast<QRadioButton*>(GetDlgItem(&dialog, id));
}

class EditByteDlgTest : public ::testing::Test {
 protected:
  void Open(Offset offset, std::uint8_t value, bool hexMode) {
    dialog.m_lOffset = offset;
    dialog.m_byValue = value;
    dialog.m_bHexMode = hexMode;
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
  void Type(const QString& text) {
    QLineEdit* edit = ValueEdit(dialog);
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  void Click(int id) {
    QRadioButton* radio = Radio(dialog, id);
    ASSERT_NE(radio, nullptr);
    QTest::mouseClick(radio, Qt::LeftButton);
  }
  QString EditText() const { return ValueEdit(dialog)->text(); }

  CEditByteDlg dialog;
};

TEST_F(EditByteDlgTest, OpenedInHexShowsLowerCaseOffsetAndBareTwoDigitValue) {
  Open(500, 7, true);
  EXPECT_EQ(dialog.windowTitle(), "VEK - Edit Byte");
  EXPECT_EQ(LabelText(dialog, ids::kEditPosition), "Offset : 0x1f4");
  EXPECT_EQ(LabelText(dialog, ids::kEditCurrentValue), "Current value : 07");
  EXPECT_EQ(LabelText(dialog, ids::kEditNewValueLabel), "New hex val :");
  EXPECT_TRUE(Radio(dialog, ids::kEditRadioHex)->isChecked());
  EXPECT_FALSE(Radio(dialog, ids::kEditRadioDecimal)->isChecked());
  EXPECT_EQ(EditText(), "");
  EXPECT_EQ(QApplication::focusWidget(), ValueEdit(dialog));
}

TEST_F(EditByteDlgTest, OpenedInDecimalShowsPlainNumbers) {
  Open(500, 7, false);
  EXPECT_EQ(LabelText(dialog, ids::kEditPosition), "Offset : 500");
  EXPECT_EQ(LabelText(dialog, ids::kEditCurrentValue), "Current value : 7");
  EXPECT_EQ(LabelText(dialog, ids::kEditNewValueLabel), "New dec val :");
  EXPECT_TRUE(Radio(dialog, ids::kEditRadioDecimal)->isChecked());
  EXPECT_FALSE(Radio(dialog, ids::kEditRadioHex)->isChecked());
  EXPECT_EQ(QApplication::focusWidget(), ValueEdit(dialog));
}

TEST_F(EditByteDlgTest, OpeningShowsUpperCaseValueDigitsAndOffsetsBeyond32Bits) {
  Open(0x123456789, 0xAB, true);
  EXPECT_EQ(LabelText(dialog, ids::kEditPosition), "Offset : 0x123456789");
  EXPECT_EQ(LabelText(dialog, ids::kEditCurrentValue), "Current value : AB");
  Click(ids::kEditRadioDecimal);
  EXPECT_EQ(LabelText(dialog, ids::kEditPosition), "Offset : 4886718345");
  EXPECT_EQ(LabelText(dialog, ids::kEditCurrentValue), "Current value : 171");
}

TEST_F(EditByteDlgTest, ClickOnHexRelabelsWithPrefixAndUpperCaseOffset) {
  Open(500, 7, false);
  Click(ids::kEditRadioHex);
  EXPECT_TRUE(dialog.m_bHexMode);
  EXPECT_EQ(LabelText(dialog, ids::kEditPosition), "Offset : 0x1F4");
  EXPECT_EQ(LabelText(dialog, ids::kEditCurrentValue), "Current value : 0x07");
  EXPECT_EQ(LabelText(dialog, ids::kEditNewValueLabel), "New hex val :");
  EXPECT_TRUE(Radio(dialog, ids::kEditRadioHex)->isChecked());
  EXPECT_FALSE(Radio(dialog, ids::kEditRadioDecimal)->isChecked());
}

TEST_F(EditByteDlgTest, ClickOnDecimalRelabelsWithTwoDigitValue) {
  Open(500, 7, true);
  Click(ids::kEditRadioDecimal);
  EXPECT_FALSE(dialog.m_bHexMode);
  EXPECT_EQ(LabelText(dialog, ids::kEditPosition), "Offset : 500");
  EXPECT_EQ(LabelText(dialog, ids::kEditCurrentValue), "Current value : 07");
  EXPECT_EQ(LabelText(dialog, ids::kEditNewValueLabel), "New dec val :");
}

TEST_F(EditByteDlgTest, RadioClicksConvertTheTypedValue) {
  Open(0, 0, false);
  Type("255");
  Click(ids::kEditRadioHex);
  EXPECT_EQ(EditText(), "ff");
  Click(ids::kEditRadioDecimal);
  EXPECT_EQ(EditText(), "255");
  Type("-1");
  Click(ids::kEditRadioHex);
  EXPECT_EQ(EditText(), "ffffffff");
  Click(ids::kEditRadioDecimal);
  EXPECT_EQ(EditText(), "-1");
}

TEST_F(EditByteDlgTest, RadioClicksTurnTextWithoutNumberIntoZero) {
  Open(0, 0, true);
  Type("zz");
  Click(ids::kEditRadioDecimal);
  EXPECT_EQ(EditText(), "0");
  Type("abc");
  Click(ids::kEditRadioHex);
  EXPECT_EQ(EditText(), "0");
}

TEST_F(EditByteDlgTest, ClickOnSelectedHexReadsTheTextAsDecimalAgain) {
  Open(0, 0, true);
  Type("12");
  Click(ids::kEditRadioHex);
  EXPECT_EQ(EditText(), "c");
  EXPECT_TRUE(Radio(dialog, ids::kEditRadioHex)->isChecked());
}

TEST_F(EditByteDlgTest, ClickOnSelectedDecimalReadsTheTextAsHexAgain) {
  Open(0, 0, false);
  Type("12");
  Click(ids::kEditRadioDecimal);
  EXPECT_EQ(EditText(), "18");
  EXPECT_TRUE(Radio(dialog, ids::kEditRadioDecimal)->isChecked());
}

TEST_F(EditByteDlgTest, OkTakesTheTextInTheRadixLastChosen) {
  Open(0, 0, true);
  Type("ff");
  Click(ids::kEditRadioDecimal);
  QTest::mouseClick(qobject_cast<QWidget*>(GetDlgItem(&dialog, ids::kOk)), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.m_strNewValue, "255");
  EXPECT_FALSE(dialog.m_bHexMode);
  EXPECT_EQ(dialog.NewByteValue(), 0xFF);
}

TEST_F(EditByteDlgTest, CancelAndEscapeKeepTheTextOut) {
  Open(0, 0, true);
  Type("41");
  QTest::mouseClick(qobject_cast<QWidget*>(GetDlgItem(&dialog, ids::kCancel)), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(dialog.m_strNewValue, "");

  CEditByteDlg second;
  second.show();
  second.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&second));
  QTest::keyClicks(ValueEdit(second), "41");
  QTest::keyClick(ValueEdit(second), Qt::Key_Escape);
  EXPECT_FALSE(second.isVisible());
  EXPECT_EQ(second.result(), QDialog::Rejected);
  EXPECT_EQ(second.m_strNewValue, "");
}

struct NewValueCase {
  bool hexMode;
  const char* typed;
  std::uint8_t byte;
};

class EditByteDlgNewValueTest : public EditByteDlgTest,
                             public ::testing::WithParamInterface<NewValueCase> {};

TEST_P(EditByteDlgNewValueTest, EnterYieldsTheLowByteOfTheTypedNumber) {
  const NewValueCase& c = GetParam();
  Open(0, 0x5A, c.hexMode);
  Type(QString::fromUtf8(c.typed));
  QTest::keyClick(ValueEdit(dialog), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.m_strNewValue, QString::fromUtf8(c.typed));
  EXPECT_EQ(dialog.NewByteValue(), c.byte) << "typed '" << c.typed << "'";
}

INSTANTIATE_TEST_SUITE_P(
    TypedTexts, EditByteDlgNewValueTest,
    ::testing::Values(NewValueCase{true, "41", 0x41}, NewValueCase{true, "0x41", 0x41},
                      NewValueCase{true, "1FF", 0xFF}, NewValueCase{true, "300", 0x00},
                      NewValueCase{false, "300", 0x2C}, NewValueCase{false, "-1", 0xFF},
                      NewValueCase{false, "12ab", 0x0C}, NewValueCase{false, "abc", 0x00},
                      NewValueCase{true, "", 0x00}, NewValueCase{false, "", 0x00},
                      NewValueCase{false, "99999999999", 0xFF},
                      NewValueCase{false, "-99999999999", 0x00},
                      NewValueCase{true, "  7f", 0x7F}));

} // namespace
} // namespace vek
