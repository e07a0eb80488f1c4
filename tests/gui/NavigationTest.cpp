// Moving through a file with the page buttons, the keys and the Start field, the radix toggle and
// the tool tips of the form.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QHelpEvent>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

#include "AppHarness.h"
#include "core/FileSession.h"
#include "ResourceIds.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "platform/ControlTemplate.h"
#include "view/CVekView.h"

namespace vek::test {

namespace {

class Navigation : public ::testing::Test {
 protected:
  // A counting file of `size` bytes, shown from its first page.
  CVekView* Open(int size) {
    CVekView* opened = h.StartOn(h.files.WriteCounting(QStringLiteral("count.bin"), size));
    EXPECT_NE(opened, nullptr);
    return opened;
  }
  QWidget* Control(int id) const { return GetDlgItem(view, id); }
  void Enter() { h.Key(Control(ids::kStart), Qt::Key_Return); }
  void GoTo(const QString& start) {
    h.TypeStart(view, start);
    Enter();
  }
  QString StartText() const { return h.ControlText(view, ids::kStart); }

  AppHarness h;
  CVekView* view = nullptr;
};

} // namespace

TEST_F(Navigation, PageKeysWorkWhereverTheFocusIsInTheForm) {
  view = Open(1050);
  ASSERT_NE(view, nullptr);
  for (const int focusId : {ids::kStart, ids::kPrevPage, ids::kRefresh}) {
    SCOPED_TRACE(focusId);
    QWidget* target = Control(focusId);
    ASSERT_NE(target, nullptr);
    h.Key(target, Qt::Key_Home, Qt::ControlModifier);
    ASSERT_EQ(view->Session().Page().start, 0);
    target->setFocus();
    h.Key(target, Qt::Key_PageDown);
    EXPECT_EQ(view->Session().Page().start, 200);
    h.Key(target, Qt::Key_PageDown);
    EXPECT_EQ(view->Session().Page().start, 400);
    h.Key(target, Qt::Key_PageUp);
    EXPECT_EQ(view->Session().Page().start, 200);
    h.Key(target, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(view->Session().Page().start, 850);
    EXPECT_EQ(view->Session().Page().count, 200);
    h.Key(target, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(view->Session().Page().start, 0);
    EXPECT_EQ(StartText(), QStringLiteral("0"));
  }
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST_F(Navigation, EnterOnTheNextButtonGoesToTheTypedStartInsteadOfPressingIt) {
  view = Open(1050);
  ASSERT_NE(view, nullptr);
  QWidget* next = Control(ids::kNextPage);
  ASSERT_NE(next, nullptr);
  next->setFocus();
  h.Key(next, Qt::Key_Return);
  EXPECT_EQ(view->Session().Page().start, 0);

  h.TypeStart(view, QStringLiteral("300"));
  next->setFocus();
  h.Key(next, Qt::Key_Return);
  EXPECT_EQ(view->Session().Page().start, 300); // a press of ">" would have gone to 500
  EXPECT_EQ(OffsetLines(view)[0], QStringLiteral("    300"));
  h.Key(next, Qt::Key_Enter); // the keypad's Enter does the same
  EXPECT_EQ(view->Session().Page().start, 300);
}

TEST_F(Navigation, TheStartFieldTakesOnlyDigitsFromTheKeyboard) {
  view = Open(1050);
  ASSERT_NE(view, nullptr);
  h.TypeStart(view, QStringLiteral("12ab"));
  EXPECT_EQ(StartText(), QStringLiteral("12"));
  EXPECT_EQ(view->Session().Page().start, 12);

  // Also in the hex radix: the letters come only from the view's own writing.
  h.ClickControl(view, ids::kRadix);
  h.TypeStart(view, QStringLiteral("3E8"));
  EXPECT_EQ(StartText(), QStringLiteral("38"));
  Enter();
  EXPECT_EQ(view->Session().Page().start, 0x38);
  h.ClickControl(view, ids::kRadix);
  GoTo(QStringLiteral("1000"));
  h.ClickControl(view, ids::kRadix);
  EXPECT_EQ(StartText(), QStringLiteral("3E8"));
  EXPECT_EQ(view->Session().Page().start, 1000);
}

TEST_F(Navigation, TheRadixToggleRewritesOffsetsStartSizeAndPositionButNotTheBytes) {
  view = Open(1050);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(OffsetLines(view)[1], QStringLiteral("     20"));
  auto* toggle = qobject_cast<QAbstractButton*>(Control(ids::kRadix));
  ASSERT_NE(toggle, nullptr);
  EXPECT_EQ(toggle->text(), QStringLiteral("Dec"));
  const QStringList hexBefore = HexLines(view);
  const QStringList asciiBefore = AsciiLines(view);

  h.ClickControl(view, ids::kRadix);
  EXPECT_TRUE(view->Session().HexMode());
  EXPECT_EQ(toggle->text(), QStringLiteral("Hex"));
  EXPECT_EQ(OffsetLines(view)[1], QStringLiteral("     14"));
  EXPECT_EQ(OffsetLines(view)[9], QStringLiteral("     B4"));
  EXPECT_EQ(HexLines(view), hexBefore);
  EXPECT_EQ(AsciiLines(view), asciiBefore);
  EXPECT_EQ(h.ControlText(view, ids::kFileSize), QStringLiteral("0x41A\r\nBytes"));
  EXPECT_EQ(h.ControlText(view, ids::kPositionLine), QStringLiteral("Byte 0 = 0"));

  h.ClickControl(view, ids::kRadix);
  GoTo(QStringLiteral("300"));
  h.ClickControl(view, ids::kRadix);
  EXPECT_EQ(StartText(), QStringLiteral("12C"));
  EXPECT_EQ(view->Session().Page().start, 300); // the field read back in the new radix
  EXPECT_EQ(OffsetLines(view)[1], QStringLiteral("    140"));
  EXPECT_EQ(h.ControlText(view, ids::kPositionLine), QStringLiteral("Byte 12C = 2C"));

  h.ClickControl(view, ids::kRadix);
  EXPECT_FALSE(view->Session().HexMode());
  EXPECT_EQ(toggle->text(), QStringLiteral("Dec"));
  EXPECT_EQ(StartText(), QStringLiteral("300"));
  EXPECT_EQ(OffsetLines(view)[1], QStringLiteral("    320"));
  EXPECT_EQ(h.ControlText(view, ids::kFileSize), QStringLiteral("1050\r\nBytes"));
  EXPECT_EQ(h.ControlText(view, ids::kPositionLine), QStringLiteral("Byte 300 = 44"));
  EXPECT_EQ(view->Session().Page().start, 300);
}

TEST_F(Navigation, NewLoadsAnotherFileKeepingTheRadixAndTheSelectedIndex) {
  view = Open(1050);
  ASSERT_NE(view, nullptr);
  view->grab();
  h.Click(view, view->HexCellCenter(4));
  h.ClickControl(view, ids::kRadix);
  GoTo(QStringLiteral("64"));
  ASSERT_EQ(view->Session().Page().start, 100);
  ASSERT_EQ(h.ControlText(view, ids::kPositionLine), QStringLiteral("Byte 4 = 4"));

  // Cancelled: nothing changes.
  h.ClickControl(view, ids::kNew);
  EXPECT_EQ(h.ui.fileDialogTitles.size(), 1u);
  EXPECT_EQ(view->Session().Page().start, 100);
  EXPECT_EQ(view->Session().Page().fileSize, 1050);

  const QString other = h.files.Write(QStringLiteral("other.bin"), QByteArray(300, '\x41'));
  h.ui.fileAnswers.push_back(other);
  h.ClickControl(view, ids::kNew);
  EXPECT_EQ(ShownFileName(view), other);
  EXPECT_EQ(view->Session().Page().start, 0);
  EXPECT_EQ(view->Session().Page().fileSize, 300);
  EXPECT_TRUE(view->Session().HexMode());
  EXPECT_EQ(OffsetLines(view)[1], QStringLiteral("     14"));
  EXPECT_EQ(h.ControlText(view, ids::kFileSize), QStringLiteral("0x12C\r\nBytes"));
  EXPECT_EQ(h.ControlText(view, ids::kFileName), QStringLiteral("File : ") + other);
  EXPECT_EQ(h.ActiveChild()->windowTitle(), QStringLiteral("VEK - ") + other);
  EXPECT_EQ(view->Session().SelIndex(), 4);
  EXPECT_EQ(h.ControlText(view, ids::kPositionLine), QStringLiteral("Byte 4 = 4")); // loading leaves it
  h.ClickControl(view, ids::kRadix);
  EXPECT_EQ(h.ControlText(view, ids::kPositionLine), QStringLiteral("Byte 4 = 65"));
  EXPECT_EQ(h.Frame()->Children().size(), 1);
}

TEST_F(Navigation, AViewWithoutAFileCannotReadUntilNewGivesItOne) {
  ASSERT_TRUE(h.Start()); // the first view's question is cancelled
  view = h.ActiveView();
  ASSERT_NE(view, nullptr);
  h.ClickControl(view, ids::kRefresh);
  h.ClickControl(view, ids::kNextPage);
  EXPECT_EQ(h.ui.MessageTexts(), (QStringList{QStringLiteral("File could not be opened "),
                                              QStringLiteral("File could not be opened ")}));
  EXPECT_TRUE(PageLines(view).isEmpty());
  EXPECT_EQ(h.ControlText(view, ids::kFileName), QStringLiteral("Filename"));

  const QString path = h.files.WriteCounting(QStringLiteral("count.bin"), 250);
  h.ui.fileAnswers.push_back(path);
  h.ClickControl(view, ids::kNew);
  EXPECT_EQ(view->Session().Page().count, 200);
  EXPECT_EQ(HexLines(view).size(), 10);
  h.ClickControl(view, ids::kNextPage);
  EXPECT_EQ(view->Session().Page().start, 200);
  EXPECT_EQ(view->Session().Page().count, 50);
  EXPECT_EQ(h.ui.messages.size(), 2u);
}

TEST_F(Navigation, ToolTipsNameEachCommandControl) {
  view = Open(10);
  ASSERT_NE(view, nullptr);
  const std::pair<int, const char*> table[] = {
      {ids::kNew, "Open New"},          {ids::kStart, "Byte Pos"},      {ids::kRefresh, "Redraw"},
      {ids::kRadix, "Hex/Dec Disp."},   {ids::kNextPage, "Next Page"},  {ids::kPrevPage, "Prev Page"},
      {ids::kConverter, "Hex/Dec Conv."}, {ids::kFind, "Find Pattern"}, {ids::kNext, "Find Next"},
  };
  for (const auto& [id, text] : table) EXPECT_EQ(view->OnToolTipNeedText(id), QString::fromUtf8(text)) << id;
  for (const int id : {ids::kFileName, ids::kFileSize, ids::kHexFrame, ids::kPositionLine, 4242})
    EXPECT_EQ(view->OnToolTipNeedText(id), QString()) << id;

  // The tip a person sees when resting the mouse on a control.
  for (const auto& [id, text] : table) {
    QWidget* control = Control(id);
    ASSERT_NE(control, nullptr) << id;
    const QPoint local = control->rect().center();
    QHelpEvent event(QEvent::ToolTip, local, control->mapToGlobal(local));
    QApplication::sendEvent(control, &event);
    EXPECT_TRUE(QToolTip::isVisible()) << id;
    EXPECT_EQ(QToolTip::text(), QString::fromUtf8(text)) << id;
  }
  QWidget* size = Control(ids::kFileSize);
  QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), size->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(size, &event);
  // The tip goes away (after its own short delay): a control without a text has no tip.
  EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000));
}

} // namespace vek::test
