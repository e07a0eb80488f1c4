// Go to as a person uses it: Ctrl+G on the page asks for an offset; a good expression shows the page
// that holds it with the byte selected, a bad one is refused with a message while the dialog keeps
// the text to mend, and nothing else changes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "AppHarness.h"
#include "ResourceIds.h"
#include "core/FileSession.h"
#include "view/CVekView.h"
#include "view/PageArea.h"

namespace vek::test {
namespace {

class GoToDialogTest : public ::testing::Test {
 protected:
  void Open(int size) {
    view = h.StartOn(h.files.WriteCounting(QStringLiteral("notes.bin"), size));
    ASSERT_NE(view, nullptr);
    QApplication::setActiveWindow(view->window());
    area = view->findChild<PageArea*>();
    ASSERT_NE(area, nullptr);
    area->setFocus();
  }
  // Ctrl+G on the page, the text typed into the dialog, Enter.
  void GoTo(const QString& text, QWidget* from = nullptr) {
    h.ui.dialogSteps.push_back([this, text](QDialog& d) {
      title = d.windowTitle();
      auto* edit = d.findChild<QLineEdit*>();
      ASSERT_NE(edit, nullptr);
      edit->setFocus();
      QTest::keyClicks(edit, text);
      QTest::keyClick(edit, Qt::Key_Return);
      stayedOpen = d.isVisible();
      textLeft = edit->selectedText();
    });
    // The page has the focus again once a dialog has closed, as the window manager gives it back.
    QApplication::setActiveWindow(view->window());
    if (from == nullptr) area->setFocus();
    h.Key(from != nullptr ? from : area, Qt::Key_G, Qt::ControlModifier);
  }
  QString PositionLine() const { return h.ControlText(view, ids::kPositionLine); }
  QString Start() const { return h.ControlText(view, ids::kStart); }

  AppHarness h;
  CVekView* view = nullptr;
  PageArea* area = nullptr;
  QString title;
  bool stayedOpen = false;
  QString textLeft;
};

TEST_F(GoToDialogTest, AGoodExpressionShowsThePageAndSelectsTheByte) {
  Open(1050);
  const struct {
    const char* text;
    const char* position;
    const char* start;
  } steps[] = {
      {"end-1", "Byte 1049 = 25", "1040"}, // the page starts on the byte's line
      {"0x100", "Byte 256 = 0", "240"},
      {"+16", "Byte 272 = 16", "260"},
      {" - 0X10 ", "Byte 256 = 0", "240"},
      {"-256", "Byte 0 = 0", "0"},
      {"1k", "Byte 1024 = 0", "1020"},
      {"END", "Byte 1049 = 25", "1040"},
      {"413", "Byte 413 = 157", "400"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.text);
    GoTo(QString::fromUtf8(step.text));
    EXPECT_EQ(title, "Go To");
    EXPECT_FALSE(stayedOpen);
    EXPECT_EQ(PositionLine(), step.position);
    EXPECT_EQ(Start(), step.start);
  }
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.MessageTexts().join(u'\n').toStdString();
  EXPECT_EQ(h.ui.waitDepth, 0);
}

TEST_F(GoToDialogTest, ABadExpressionSaysWhyAndChangesNothing) {
  Open(1050);
  GoTo(QStringLiteral("413"));
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"abc", "\"abc\" is not an offset: type, for example, 1050, 0x41A, 4K (also M, G), +16 or -16 from the selected "
              "byte, end or end-16."},
      {"2000", "\"2000\" is offset 2000, past the end of notes.bin: its last byte is at 1049 (end-1)."},
      {"-500", "\"-500\" is offset -87, before the start of notes.bin."},
      {"", "Type the offset of the byte to go to, for example 1050, 0x41A, 4K (also M, G), +16 or -16 from the "
           "selected byte, end or end-16."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    h.ui.messages.clear();
    GoTo(QString::fromUtf8(c.text));
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].text, QString::fromUtf8(c.message) + "\nThe page and the selected byte stay as they were.");
    EXPECT_TRUE(stayedOpen) << "the dialog keeps the text to mend";
    EXPECT_EQ(textLeft, QString::fromUtf8(c.text)) << "selected, so typing replaces it";
    EXPECT_EQ(PositionLine(), "Byte 413 = 157");
    EXPECT_EQ(Start(), "400");
    EXPECT_EQ(view->Session().SelectedOffset(), 413);
  }
}

TEST_F(GoToDialogTest, OffsetsInMessagesFollowTheRadixShown) {
  Open(1050);
  h.ClickControl(view, ids::kRadix);
  area->setFocus();
  GoTo(QStringLiteral("0x500"));
  ASSERT_EQ(h.ui.messages.size(), 1u);
  EXPECT_TRUE(h.ui.messages[0].text.startsWith("\"0x500\" is offset 0x500, past the end of notes.bin: its last byte is at "
                                               "0x419 (end-1)."));
  GoTo(QStringLiteral("end-1"));
  EXPECT_EQ(PositionLine(), "Byte 419 = 19");
}

TEST_F(GoToDialogTest, CancelAndTheKeyOutsideThePageDoNothing) {
  Open(1050);
  h.Key(area, Qt::Key_G, Qt::ControlModifier); // no step scripted: the dialog is cancelled
  EXPECT_EQ(h.ui.dialogsRun, 1);
  EXPECT_EQ(PositionLine(), "");
  EXPECT_EQ(Start(), "0");
  // In the Start field Ctrl+G is no key of ours: the field keeps its text and no dialog opens.
  auto* start = qobject_cast<QLineEdit*>(view->findChild<QWidget*>(QStringLiteral("ctl%1").arg(ids::kStart)));
  ASSERT_NE(start, nullptr);
  start->setFocus();
  GoTo(QStringLiteral("end-1"), start);
  EXPECT_EQ(h.ui.dialogsRun, 1);
  EXPECT_EQ(Start(), "0");
  h.ui.dialogSteps.clear();
}

} // namespace
} // namespace vek::test
