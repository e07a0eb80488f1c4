// The converter as the view's "16/10" button opens it: a fresh, empty calculator each time, which
// has nothing to do with the viewed file and leaves the view as it was.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>

#include "AppHarness.h"
#include "core/FileSession.h"
#include "ResourceIds.h"
#include "edit/CConverterDlg.h"
#include "platform/ControlTemplate.h"
#include "view/CVekView.h"

namespace vek::test {
namespace {

QLineEdit* Edit(QDialog& dialog, int id) { return qobject_cast<QLineEdit*>(GetDlgItem(&dialog, id)); }

class ConverterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path = h.files.WriteCounting(QStringLiteral("conv.bin"), 450);
    view = h.StartOn(path);
    ASSERT_NE(view, nullptr);
    h.ClickControl(view, ids::kNextPage);
    ASSERT_EQ(view->Session().Page().start, 200);
    opensBefore = h.fileSystem.counters.opens;
    pageBefore = PageLines(view);
  }
  void ExpectViewUntouched() const {
    EXPECT_EQ(h.fileSystem.counters.opens, opensBefore);
    EXPECT_EQ(view->Session().Page().start, 200);
    EXPECT_EQ(PageLines(view), pageBefore);
    EXPECT_EQ(h.ControlText(view, ids::kStart), QStringLiteral("200"));
    EXPECT_FALSE(view->Session().HexMode());
    EXPECT_TRUE(h.ui.messages.empty());
  }

  AppHarness h;
  QString path;
  CVekView* view = nullptr;
  int opensBefore = 0;
  QStringList pageBefore;
};

TEST_F(ConverterTest, ButtonOpensAnEmptyConverterThatConvertsWhatIsTyped) {
  ASSERT_EQ(h.ControlText(view, ids::kConverter), QStringLiteral("16/10"));
  bool sawConverter = false;
  QString hexAfterDecimal, decimalAfterHex;
  int focusOnOpening = -1;
  QString hexOnOpening = QStringLiteral("<none>"), decimalOnOpening = QStringLiteral("<none>");
  h.ui.dialogSteps.push_back([&](QDialog& d) {
    sawConverter = qobject_cast<CConverterDlg*>(&d) != nullptr;
    ASSERT_NE(Edit(d, ids::kConvHex), nullptr);
    ASSERT_NE(Edit(d, ids::kConvDecimal), nullptr);
    hexOnOpening = Edit(d, ids::kConvHex)->text();
    decimalOnOpening = Edit(d, ids::kConvDecimal)->text();
    focusOnOpening = QApplication::focusWidget() != nullptr ? GetDlgCtrlID(QApplication::focusWidget()) : -1;
    TypeInto(d, ids::kConvDecimal, QStringLiteral("255"));
    hexAfterDecimal = Edit(d, ids::kConvHex)->text();
    TypeInto(d, ids::kConvHex, QStringLiteral("ffffffff"));
    decimalAfterHex = Edit(d, ids::kConvDecimal)->text();
    ClickButton(d, ids::kOk);
  });
  h.ClickControl(view, ids::kConverter);

  EXPECT_EQ(h.ui.dialogsRun, 1);
  EXPECT_TRUE(sawConverter);
  EXPECT_EQ(hexOnOpening, QString());
  EXPECT_EQ(decimalOnOpening, QString());
  EXPECT_EQ(focusOnOpening, ids::kOk);
  EXPECT_EQ(hexAfterDecimal, QStringLiteral("ff"));
  EXPECT_EQ(decimalAfterHex, QStringLiteral("-1"));
  ExpectViewUntouched();
}

TEST_F(ConverterTest, EachOpeningStartsAfreshWithNumberZero) {
  h.ui.dialogSteps.push_back([](QDialog& d) {
    TypeInto(d, ids::kConvHex, QStringLiteral("7b"));
    ClickButton(d, ids::kOk);
  });
  QString hexOnSecond = QStringLiteral("<none>"), decimalOnSecond = QStringLiteral("<none>");
  std::int32_t valueOnSecond = -1;
  QString decimalAfterNoNumber;
  h.ui.dialogSteps.push_back([&](QDialog& d) {
    hexOnSecond = Edit(d, ids::kConvHex)->text();
    decimalOnSecond = Edit(d, ids::kConvDecimal)->text();
    if (auto* converter = qobject_cast<CConverterDlg*>(&d)) valueOnSecond = converter->m_nValue;
    // A hex text without a number keeps the number of this opening, not the last one's.
    TypeInto(d, ids::kConvHex, QStringLiteral("z"));
    decimalAfterNoNumber = Edit(d, ids::kConvDecimal)->text();
    PressKey(d, Qt::Key_Escape);
  });
  h.ClickControl(view, ids::kConverter);
  h.ClickControl(view, ids::kConverter);

  EXPECT_EQ(h.ui.dialogsRun, 2);
  EXPECT_EQ(hexOnSecond, QString());
  EXPECT_EQ(decimalOnSecond, QString());
  EXPECT_EQ(valueOnSecond, 0);
  EXPECT_EQ(decimalAfterNoNumber, QStringLiteral("0"));
  ExpectViewUntouched();
}

TEST_F(ConverterTest, EscapeAndTheCloseBoxEndItAndTheViewCarriesOn) {
  h.ui.dialogSteps.push_back([](QDialog& d) {
    TypeInto(d, ids::kConvDecimal, QStringLiteral("16"));
    PressKey(d, Qt::Key_Escape);
  });
  h.ui.dialogSteps.push_back([](QDialog& d) { TypeInto(d, ids::kConvDecimal, QStringLiteral("16")); });
  h.ClickControl(view, ids::kConverter);
  h.ClickControl(view, ids::kConverter);
  EXPECT_EQ(h.ui.dialogsRun, 2);
  ExpectViewUntouched();

  // The view still answers its own commands afterwards.
  h.ClickControl(view, ids::kNextPage);
  EXPECT_EQ(view->Session().Page().start, 400);
}

} // namespace
} // namespace vek::test
