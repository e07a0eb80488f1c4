// The progress dialog of a long walk through a file: the window it was shown for is given back
// when the walk ends, and a window closed while the walk runs ends the walk as Cancel does.

#include <memory>

#include <QProgressDialog>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "search/SearchProgress.h"

namespace vek {
namespace {

struct Window {
  std::unique_ptr<QWidget> top = std::make_unique<QWidget>();
  QWidget* owner = new QWidget(top.get()); // the view a walk is started from
  Window() { top->show(); }
  qsizetype Dialogs() const { return top->findChildren<QProgressDialog*>().size(); }
};

void WaitForTheDialog(SearchProgress& progress) {
  QTest::qWait(SearchProgress::kShowAfterMs + 50);
  ASSERT_TRUE(progress.Continue(10));
}

TEST(SearchProgress, AWalkThatEndsTakesItsDialogAwayAndEnablesTheViewAgain) {
  Window window;
  {
    SearchProgress progress(window.owner, 0, 100);
    WaitForTheDialog(progress);
    EXPECT_EQ(window.Dialogs(), 1);
    EXPECT_FALSE(window.owner->isEnabled());
  }
  EXPECT_EQ(window.Dialogs(), 0);
  EXPECT_TRUE(window.owner->isEnabled());
}

TEST(SearchProgress, AWindowClosedDuringTheWalkEndsItAsCancelDoes) {
  Window window;
  SearchProgress progress(window.owner, 0, 100);
  WaitForTheDialog(progress);
  ASSERT_EQ(window.Dialogs(), 1);
  window.top.reset(); // the dialog goes with it, and the walk's end must not delete it again
  EXPECT_FALSE(progress.Continue(20));
}

} // namespace
} // namespace vek
