// The Hex / Dec converter, typed into as a person would: each edit shows the other's number in its
// own base, a hex text without a number keeps the last one, and only typed text converts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "ResourceIds.h"
#include "edit/CConverterDlg.h"
#include "platform/ControlTemplate.h"

namespace vek {
namespace {

class ConverterDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
  QLineEdit* Hex() const { return qobject_cast<QLineEdit*>(GetDlgItem(&dialog, ids::kConvHex)); }
  QLineEdit* Decimal() const {
    return qobject_cast<QLineEdit*>(GetDlgItem(&dialog, ids::kConvDecimal));
  }
  static void Type(QLineEdit* edit, const QString& text) {
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }

  CConverterDlg dialog;
};

TEST_F(ConverterDlgTest, OpensEmptyWithTheFocusOnOk) {
  EXPECT_EQ(dialog.windowTitle(), "Hex / Dec Converter");
  ASSERT_NE(Hex(), nullptr);
  ASSERT_NE(Decimal(), nullptr);
  EXPECT_EQ(Hex()->text(), "");
  EXPECT_EQ(Decimal()->text(), "");
  EXPECT_EQ(dialog.m_nValue, 0);
  EXPECT_EQ(QApplication::focusWidget(), GetDlgItem(&dialog, ids::kOk));
  EXPECT_EQ(GetDlgItem(&dialog, ids::kCancel), nullptr);
}

struct Conversion {
  const char* typed;
  const char* shown;
  std::int32_t value;
};

class ConverterDlgDecimalTest : public ConverterDlgTest,
                             public ::testing::WithParamInterface<Conversion> {};

TEST_P(ConverterDlgDecimalTest, TypedDecimalShowsAsHex) {
  const Conversion& c = GetParam();
  Type(Decimal(), QString::fromUtf8(c.typed));
  EXPECT_EQ(Hex()->text(), QString::fromUtf8(c.shown));
  EXPECT_EQ(dialog.m_nValue, c.value);
  // The edit typed into keeps its text: the conversion is not written back.
  EXPECT_EQ(Decimal()->text(), QString::fromUtf8(c.typed));
}

INSTANTIATE_TEST_SUITE_P(Values, ConverterDlgDecimalTest,
                         ::testing::Values(Conversion{"255", "ff", 255}, Conversion{"0", "0", 0},
                                           Conversion{"16", "10", 16},
                                           Conversion{"4294967295", "ffffffff", -1},
                                           Conversion{"4294967296", "0", 0},
                                           Conversion{"2147483648", "80000000", INT32_MIN}));

class ConverterDlgHexTest : public ConverterDlgTest,
                         public ::testing::WithParamInterface<Conversion> {};

TEST_P(ConverterDlgHexTest, TypedHexShowsAsSignedDecimal) {
  const Conversion& c = GetParam();
  Type(Hex(), QString::fromUtf8(c.typed));
  EXPECT_EQ(Decimal()->text(), QString::fromUtf8(c.shown));
  EXPECT_EQ(dialog.m_nValue, c.value);
  EXPECT_EQ(Hex()->text(), QString::fromUtf8(c.typed));
}

INSTANTIATE_TEST_SUITE_P(Values, ConverterDlgHexTest,
                         ::testing::Values(Conversion{"ff", "255", 255},
                                           Conversion{"FF", "255", 255},
                                           Conversion{"7fffffff", "2147483647", INT32_MAX},
                                           Conversion{"ffffffff", "-1", -1},
                                           Conversion{"80000000", "-2147483648", INT32_MIN},
                                           Conversion{"1ffffffff", "-1", -1},
                                           Conversion{"0x1F", "31", 31}, Conversion{"1g", "1", 1}));

TEST_F(ConverterDlgTest, DeletingHexDigitsKeepsTheLastNumber) {
  Type(Hex(), "ff");
  EXPECT_EQ(Decimal()->text(), "255");
  QTest::keyClick(Hex(), Qt::Key_Backspace);
  EXPECT_EQ(Decimal()->text(), "15");
  QTest::keyClick(Hex(), Qt::Key_Backspace);
  EXPECT_EQ(Hex()->text(), "");
  EXPECT_EQ(Decimal()->text(), "15");
  EXPECT_EQ(dialog.m_nValue, 15);
}

TEST_F(ConverterDlgTest, EmptyingTheDecimalEditGivesHexZero) {
  Type(Decimal(), "12");
  EXPECT_EQ(Hex()->text(), "c");
  QTest::keyClick(Decimal(), Qt::Key_Backspace);
  QTest::keyClick(Decimal(), Qt::Key_Backspace);
  EXPECT_EQ(Hex()->text(), "0");
  EXPECT_EQ(dialog.m_nValue, 0);
}

TEST_F(ConverterDlgTest, HexTextWithoutNumberKeepsTheNumberFromTheOtherEdit) {
  Type(Decimal(), "42");
  EXPECT_EQ(Hex()->text(), "2a");
  Type(Hex(), "z");
  EXPECT_EQ(Hex()->text(), "z");
  EXPECT_EQ(Decimal()->text(), "42");
  EXPECT_EQ(dialog.m_nValue, 42);
}

TEST_F(ConverterDlgTest, DecimalEditTakesOnlyDigitsFromTheKeyboard) {
  Type(Decimal(), "1a-2");
  EXPECT_EQ(Decimal()->text(), "12");
  EXPECT_EQ(Hex()->text(), "c");
}

TEST_F(ConverterDlgTest, TextWrittenWhileTheFocusIsElsewhereConvertsNothing) {
  ASSERT_EQ(QApplication::focusWidget(), GetDlgItem(&dialog, ids::kOk));
  Hex()->setText("ff");
  EXPECT_EQ(Decimal()->text(), "");
  Decimal()->setText("300");
  EXPECT_EQ(Hex()->text(), "ff");
  EXPECT_EQ(dialog.m_nValue, 0);
}

TEST_F(ConverterDlgTest, EnterAcceptsAndEscapeRejects) {
  Type(Hex(), "10");
  QTest::keyClick(Hex(), Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);

  CConverterDlg second;
  second.show();
  second.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&second));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_FALSE(second.isVisible());
  EXPECT_EQ(second.result(), QDialog::Rejected);
}

} // namespace
} // namespace vek
