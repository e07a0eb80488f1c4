// Find Previous through the whole program: its key and the page's menu search the view's pattern
// backwards from one byte before the page start and make the match the page start, say what Next
// says when there is none, do nothing without a pattern, and show a progress dialog whose Cancel
// leaves the page as it was.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

#include "AppHarness.h"
#include "ResourceIds.h"
#include "Strings.h"
#include "core/FileSession.h"
#include "core/PatternParse.h"
#include "view/CVekView.h"
#include "view/PageArea.h"

namespace vek::test {
namespace {

class FindPreviousTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(h.ui.waitDepth, 0) << "the wait cursor outlived a command"; }

  void Open(const QString& file) {
    view = h.StartOn(file);
    ASSERT_NE(view, nullptr);
    area = view->findChild<PageArea*>();
    ASSERT_NE(area, nullptr);
  }
  void Previous() {
    QApplication::setActiveWindow(view->window());
    area->setFocus();
    h.Key(area, Qt::Key_F3, Qt::ControlModifier | Qt::ShiftModifier);
  }
  void TakePattern(const char* text) {
    view->Perform([text](FileSession& session, FileSystem&) {
      session.TakePattern(ParsePattern(text, PatternMode::Ascii).pattern);
      return Outcome{};
    });
  }

  AppHarness h;
  CVekView* view = nullptr;
  PageArea* area = nullptr;
};

TEST_F(FindPreviousTest, TheKeyAndTheMenuSearchBackwardsFromOneByteBeforeThePageStart) {
  QByteArray bytes(900, '.');
  for (const int at : {0, 199, 640}) bytes.replace(at, 2, "ab");
  Open(h.files.Write(QStringLiteral("back.bin"), bytes));
  Previous();
  EXPECT_EQ(h.ui.dialogsRun, 0) << "without a pattern nothing asks";
  EXPECT_TRUE(h.ui.messages.empty());
  TakePattern("ab");
  h.TypeStart(view, QStringLiteral("700"));
  h.Key(area, Qt::Key_Return);
  ASSERT_EQ(view->Session().Page().start, 700);
  QAction* item = nullptr;
  for (QAction* action : view->findChild<QMenu*>()->actions()) {
    if (action->text() == QStringLiteral("Find &Previous")) item = action;
  }
  ASSERT_NE(item, nullptr);
  const struct {
    const char* name;
    std::function<void()> run;
    Offset start;
  } steps[] = {
      {"the key", [&] { Previous(); }, 640},
      {"the menu", [&] { item->trigger(); }, 199},
      {"starting one byte before the page start: 199 from 200", [&] {
         h.TypeStart(view, QStringLiteral("200"));
         h.Key(area, Qt::Key_Return);
         Previous();
       }, 199},
      {"at offset 0", [&] { Previous(); }, 0},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    step.run();
    EXPECT_EQ(view->Session().Page().start, step.start);
    EXPECT_TRUE(h.ui.messages.empty()) << h.ui.MessageTexts().join(u'\n').toStdString();
  }
  Previous();
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{QString::fromUtf8(strings::kNoMoreOccurrences)});
  EXPECT_EQ(view->Session().Page().start, 0);
}

TEST_F(FindPreviousTest, ALongSearchShowsItsProgressDownwardsAndCanBeCancelled) {
  // A sparse file takes no disk space but many seconds to search through.
  const QString path = h.files.Path(QStringLiteral("huge.bin"));
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(Offset{64} << 30));
  }
  Open(path);
  h.Key(area, Qt::Key_End, Qt::ControlModifier);
  const Offset last = view->Session().Page().start;
  ASSERT_GT(last, Offset{63} << 30);
  TakePattern("not in a file of zeros");
  int progressValue = -1;
  QTimer::singleShot(1200, view, [&progressValue] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      auto* progress = qobject_cast<QProgressDialog*>(window);
      if (progress == nullptr || !progress->isVisible()) continue;
      progressValue = progress->value();
      for (QAbstractButton* button : progress->findChildren<QAbstractButton*>()) QTest::mouseClick(button, Qt::LeftButton);
    }
  });
  Previous();
  EXPECT_GT(progressValue, 0) << "the bar moves as the search goes down from the end";
  EXPECT_LT(progressValue, 1000);
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.MessageTexts().join(u'|').toStdString();
  EXPECT_EQ(view->Session().Page().start, last);
}

} // namespace
} // namespace vek::test
