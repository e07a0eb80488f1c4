// The checked accessor of a form's controls: a table and the code that reads it must agree on
// every id and type, or the program stops the first time the form is made.
#include <gtest/gtest.h>

#include <array>

#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "platform/ControlTemplate.h"

namespace vek::test {

namespace {
constexpr int kEditId = 7;
constexpr std::array<ControlRow, 1> kRows{{{kEditId, ControlKind::Edit, "", 0, 0, 40, 14}}};
} // namespace

TEST(ItemDeathTest, GivesTheControlAsTheExpectedTypeAndStopsOnAnotherTypeOrAMissingId) {
  QWidget form;
  CreateControls(&form, kRows);
  EXPECT_EQ(Item<QLineEdit>(&form, kEditId), GetDlgItem(&form, kEditId));
  // A fresh process for each death: the parent runs a QApplication.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(Item<QPushButton>(&form, kEditId), "control 7 is missing or not a QPushButton");
  EXPECT_DEATH(Item<QLineEdit>(&form, kEditId + 1), "control 8 is missing or not a QLineEdit");
}

} // namespace vek::test
