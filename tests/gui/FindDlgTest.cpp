// The Find dialog, typed into as a person would: what it shows when it opens, the pattern that OK
// makes of a text in either mode, and the ways to leave it.
#include <gtest/gtest.h>

#include <vector>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "ResourceIds.h"
#include "platform/ControlTemplate.h"
#include "search/CFindDlg.h"

namespace vek {
namespace {

class FindDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  }
  QLineEdit* Edit() const {
    return qobject_cast<QLineEdit*>(GetDlgItem(&dialog, ids::kFindPattern));
  }
  QRadioButton* Radio(int id) const { return qobject_cast<QRadioButton*>(GetDlgItem(&dialog, id)); }
  // Characters beyond ASCII arrive as key events carrying their text, as a keyboard layout gives.
  void Type(const QString& text) {
    ASSERT_NE(Edit(), nullptr);
    Edit()->setFocus();
    for (const QChar c : text) {
      const Qt::Key key =
          c.unicode() < 128 ? QTest::asciiToKey(char(c.unicode())) : Qt::Key_unknown;
      QTest::sendKeyEvent(QTest::Click, Edit(), key, QString(c), Qt::NoModifier);
    }
  }
  void ClickOk() {
    QTest::mouseClick(qobject_cast<QWidget*>(GetDlgItem(&dialog, ids::kOk)), Qt::LeftButton);
  }
  std::vector<std::uint8_t> Pattern() const {
    return {dialog.m_pattern.Bytes().begin(), dialog.m_pattern.Bytes().end()};
  }

  CFindDlg dialog;
};

TEST_F(FindDlgTest, OpensEmptyInAsciiModeWithTheFocusInTheEdit) {
  EXPECT_EQ(dialog.windowTitle(), "Find ");
  ASSERT_NE(Edit(), nullptr);
  EXPECT_EQ(Edit()->text(), "");
  EXPECT_EQ(Edit()->maxLength(), 512);
  EXPECT_EQ(QApplication::focusWidget(), Edit());
  EXPECT_TRUE(Radio(ids::kFindRadioAscii)->isChecked());
  EXPECT_FALSE(Radio(ids::kFindRadioHex)->isChecked());
  EXPECT_EQ(Radio(ids::kFindRadioAscii)->text(), "ASCII (strings)");
  const QString help = QStringLiteral("For Hex mode, use two character bytes (00,01..FF)\n"
                                      "Spaces are ignored in Hex mode");
  bool helpShown = false;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) helpShown |= label->text() == help;
  EXPECT_TRUE(helpShown);
}

TEST_F(FindDlgTest, RadioButtonsExcludeEachOther) {
  QTest::mouseClick(Radio(ids::kFindRadioHex), Qt::LeftButton);
  EXPECT_TRUE(Radio(ids::kFindRadioHex)->isChecked());
  EXPECT_FALSE(Radio(ids::kFindRadioAscii)->isChecked());
  QTest::mouseClick(Radio(ids::kFindRadioAscii), Qt::LeftButton);
  EXPECT_TRUE(Radio(ids::kFindRadioAscii)->isChecked());
  EXPECT_FALSE(Radio(ids::kFindRadioHex)->isChecked());
}

TEST_F(FindDlgTest, TabFromTheEditSkipsTheRadioButtons) {
  QTest::keyClick(Edit(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), GetDlgItem(&dialog, ids::kOk));
}

struct PatternCase {
  bool hex;
  const char* typed; // UTF-8
  std::vector<std::uint8_t> bytes;
};

class FindDlgPatternTest : public FindDlgTest, public ::testing::WithParamInterface<PatternCase> {};

TEST_P(FindDlgPatternTest, OkParsesTheTypedText) {
  const PatternCase& c = GetParam();
  if (c.hex) QTest::mouseClick(Radio(ids::kFindRadioHex), Qt::LeftButton);
  Type(QString::fromUtf8(c.typed));
  ClickOk();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.m_strPattern, QString::fromUtf8(c.typed));
  EXPECT_EQ(Pattern(), c.bytes) << "typed '" << c.typed << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FindDlgPatternTest,
    ::testing::Values(PatternCase{false, "Hello", {0x48, 0x65, 0x6C, 0x6C, 0x6F}},
                      PatternCase{false, " a", {0x20, 0x61}}, PatternCase{false, "", {}},
                      PatternCase{false, "\xC3\xA9\xE2\x82\xAC", {0xE9, 0x80}}, // e-acute, euro
                      PatternCase{true, "48 65 6c", {0x48, 0x65, 0x6C}},
                      PatternCase{true, "48656C", {0x48, 0x65, 0x6C}},
                      PatternCase{true, "4 8", {0x48}}, PatternCase{true, "486", {0x48}},
                      PatternCase{true, "F", {}}, PatternCase{true, "ff", {0xFF}},
                      PatternCase{true, "FF", {0xFF}}, PatternCase{true, "fF", {0xFF}},
                      PatternCase{true, "4g", {0x04}}, PatternCase{true, "+7", {0x07}},
                      PatternCase{true, "-7", {0x00}}, PatternCase{true, "   ", {}},
                      PatternCase{true, "", {}}));

TEST_F(FindDlgTest, EditStopsAt512CharactersWhichGive256HexBytes) {
  QTest::mouseClick(Radio(ids::kFindRadioHex), Qt::LeftButton);
  Type(QString(520, u'a'));
  EXPECT_EQ(Edit()->text().size(), 512);
  ClickOk();
  ASSERT_EQ(dialog.m_pattern.Length(), 256);
  EXPECT_EQ(Pattern(), std::vector<std::uint8_t>(256, 0xAA));
}

TEST_F(FindDlgTest, LongAsciiTextKeepsItsFirst256Characters) {
  QString text;
  for (int i = 0; i < 300; ++i) text += QChar(u'A' + i % 26);
  Type(text);
  QTest::keyClick(Edit(), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_EQ(dialog.m_pattern.Length(), 256);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(dialog.m_pattern.Bytes()[i], 'A' + i % 26) << "byte " << i;
}

TEST_F(FindDlgTest, CancelAndEscapeReject) {
  Type("abc");
  QTest::mouseClick(qobject_cast<QWidget*>(GetDlgItem(&dialog, ids::kCancel)), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(dialog.m_pattern.Length(), 0);

  CFindDlg second;
  second.show();
  second.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&second));
  QTest::keyClicks(QApplication::focusWidget(), "abc");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_FALSE(second.isVisible());
  EXPECT_EQ(second.result(), QDialog::Rejected);
  EXPECT_EQ(second.m_pattern.Length(), 0);
}

} // namespace
} // namespace vek
