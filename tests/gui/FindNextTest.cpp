// Find and Next through the whole program: the pattern typed into the real Find dialog, the match
// made the page start, every occurrence in order, the messages of the searches that find nothing,
// and the page left where it was whenever a search fails or is cancelled.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>

#include "AppHarness.h"
#include "core/FileSession.h"
#include "ResourceIds.h"
#include "Strings.h"
#include "core/PageGeometry.h"
#include "platform/ControlTemplate.h"
#include "view/CVekView.h"

namespace vek::test {
namespace {

const QString kNotFound = QString::fromUtf8(strings::kNotFound);
const QString kNoMore = QString::fromUtf8(strings::kNoMoreOccurrences);
const QString kTooShort = QString::fromUtf8(strings::kFileTooShort);
const QString kNotOpened = QString::fromUtf8(strings::kFileNotOpened);

// What the page shows, to compare before and after a command.
struct PageState {
  Offset start;
  Offset end;
  int bytes;
  QStringList lines;
  QString startField;
  friend bool operator==(const PageState&, const PageState&) = default;
};

class FindNextTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(h.ui.waitDepth, 0) << "the wait cursor outlived a command"; }

  void Open(const QByteArray& bytes) {
    path = h.files.Write(QStringLiteral("find.bin"), bytes);
    view = h.StartOn(path);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(h.ui.messages.empty());
  }
  // A person who types the pattern (in hex mode after clicking "Hex") and presses OK.
  void ScriptPattern(const QString& text, bool hex = false) {
    h.ui.dialogSteps.push_back([text, hex](QDialog& d) {
      if (hex) ClickButton(d, ids::kFindRadioHex);
      TypeInto(d, ids::kFindPattern, text);
      ClickButton(d, ids::kOk);
    });
  }
  void Find(const QString& text, bool hex = false) {
    ScriptPattern(text, hex);
    h.ClickControl(view, ids::kFind);
  }
  void Next() { h.ClickControl(view, ids::kNext); }
  PageState Page() const {
    return {view->Session().Page().start, view->Session().Page().end, view->Session().Page().count, PageLines(view),
            h.ControlText(view, ids::kStart)};
  }
  QLineEdit* StartField() const { return qobject_cast<QLineEdit*>(GetDlgItem(view, ids::kStart)); }

  AppHarness h;
  QString path;
  CVekView* view = nullptr;
};

TEST_F(FindNextTest, ACancelledFindKeepsThePatternBefore) {
  QByteArray bytes(600, '.');
  bytes.replace(50, 2, "XY");
  bytes.replace(300, 2, "XY");
  bytes.replace(400, 2, "QQ");
  Open(bytes);
  Find(QStringLiteral("XY"));
  ASSERT_EQ(view->Session().Page().start, 50);
  h.ui.dialogSteps.push_back([](QDialog& d) {
    TypeInto(d, ids::kFindPattern, QStringLiteral("QQ"));
    ClickButton(d, ids::kCancel);
  });
  h.ClickControl(view, ids::kFind);
  h.ui.dialogSteps.push_back([](QDialog& d) {
    TypeInto(d, ids::kFindPattern, QStringLiteral("QQ"));
    PressKey(d, Qt::Key_Escape);
  });
  h.ClickControl(view, ids::kFind);
  EXPECT_EQ(view->Session().Page().start, 50);
  Next();
  EXPECT_EQ(view->Session().Page().start, 300);
  EXPECT_EQ(h.ui.dialogsRun, 3);
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST_F(FindNextTest, FindSearchesFromTheFileStartAndTakesHexPairs) {
  QByteArray bytes = QByteArray(900, '\x01');
  bytes.replace(120, 2, "He");
  bytes.replace(700, 2, "He");
  Open(bytes);
  h.ClickControl(view, ids::kNextPage);
  h.ClickControl(view, ids::kNextPage);
  ASSERT_EQ(view->Session().Page().start, 400);
  Find(QStringLiteral("48 65"), true);
  EXPECT_EQ(view->Session().SearchPattern().Length(), 2);
  EXPECT_EQ(view->Session().Page().start, 120);
  Next();
  EXPECT_EQ(view->Session().Page().start, 700);
}

TEST_F(FindNextTest, F3AndShiftF3FromTheStartFieldReachNextAndFind) {
  QByteArray bytes(800, '_');
  bytes.replace(42, 3, "key");
  bytes.replace(642, 3, "key");
  Open(bytes);
  ScriptPattern(QStringLiteral("key"));
  h.Key(StartField(), Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(h.ui.dialogsRun, 1);
  EXPECT_EQ(view->Session().Page().start, 42);
  h.Key(StartField(), Qt::Key_F3);
  EXPECT_EQ(h.ui.dialogsRun, 1);
  EXPECT_EQ(view->Session().Page().start, 642);
  h.Key(StartField(), Qt::Key_F3);
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{kNoMore});
  EXPECT_EQ(view->Session().Page().start, 642);
}

TEST_F(FindNextTest, ALongSearchCanBeCancelledAndLeavesThePageAsItWas) {
  // A sparse file takes no disk space but many seconds to search through.
  path = h.files.Path(QStringLiteral("huge.bin"));
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(Offset{64} << 30));
  }
  view = h.StartOn(path);
  ASSERT_NE(view, nullptr);
  h.ClickControl(view, ids::kNextPage);
  const PageState before = Page();

  bool progressShown = false;
  QTimer::singleShot(900, view, [&progressShown] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      auto* progress = qobject_cast<QProgressDialog*>(window);
      if (progress == nullptr || !progress->isVisible()) continue;
      progressShown = true;
      for (QAbstractButton* button : progress->findChildren<QAbstractButton*>()) {
        QTest::mouseClick(button, Qt::LeftButton);
      }
    }
  });
  Find(QStringLiteral("not in a file of zeros"));

  EXPECT_TRUE(progressShown);
  EXPECT_TRUE(h.ui.messages.empty()) << h.ui.MessageTexts().join(u'|').toStdString();
  EXPECT_EQ(Page(), before);
  EXPECT_EQ(view->Session().SearchPattern().Length(), 22);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (qobject_cast<QProgressDialog*>(window) != nullptr) {
      EXPECT_FALSE(window->isVisible());
    }
  }
}

} // namespace
} // namespace vek::test
