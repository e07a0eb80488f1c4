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

TEST_F(FindNextTest, AnEmptyFileIsTooShortForAnyPattern) {
  Open(QByteArray());
  const PageState before = Page();
  Find(QStringLiteral("A"));
  Next();
  EXPECT_EQ(h.ui.MessageTexts(), (QStringList{kTooShort, kTooShort}));
  EXPECT_EQ(Page(), before);
  EXPECT_EQ(view->Session().SearchPattern().Length(), 1);
}

TEST_F(FindNextTest, AFileShorterThanThePatternIsTooShortAndKeepsItsPage) {
  Open(QByteArrayLiteral("Hell"));
  const PageState before = Page();
  Find(QStringLiteral("Hello"));
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{kTooShort});
  EXPECT_EQ(Page(), before);
}

TEST_F(FindNextTest, AFileEqualToThePatternMatchesAtItsStart) {
  Open(QByteArrayLiteral("Hello"));
  Find(QStringLiteral("Hello"));
  EXPECT_TRUE(h.ui.messages.empty());
  EXPECT_EQ(view->Session().Page().start, 0);
  EXPECT_EQ(view->Session().Page().count, 5);
  Next();
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{kNoMore});
  EXPECT_EQ(view->Session().Page().start, 0);
}

TEST_F(FindNextTest, NextFindsEveryOverlappingOccurrenceInOrderThenStays) {
  Open(QByteArrayLiteral("AAAA"));
  Find(QStringLiteral("AA"));
  EXPECT_EQ(view->Session().Page().start, 0);
  Next();
  EXPECT_EQ(view->Session().Page().start, 1);
  EXPECT_EQ(h.ControlText(view, ids::kStart), QStringLiteral("1"));
  Next();
  EXPECT_EQ(view->Session().Page().start, 2);
  EXPECT_EQ(view->Session().Page().count, 2);
  EXPECT_TRUE(h.ui.messages.empty());
  const PageState atLast = Page();
  Next();
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{kNoMore});
  EXPECT_EQ(Page(), atLast);
}

TEST_F(FindNextTest, TheMatchBecomesTheFirstByteShown) {
  QByteArray bytes = TestFiles::Counting(1000);
  bytes.replace(437, 6, "needle");
  Open(bytes);
  h.ClickControl(view, ids::kNextPage);
  h.ClickControl(view, ids::kNextPage);
  Find(QStringLiteral("needle"));
  EXPECT_EQ(view->Session().Page().start, 437);
  EXPECT_EQ(view->Session().Page().count, kPageBytes);
  EXPECT_EQ(h.ControlText(view, ids::kStart), QStringLiteral("437"));
  ASSERT_FALSE(AsciiLines(view).isEmpty());
  EXPECT_TRUE(AsciiLines(view)[0].startsWith(QStringLiteral("needle")));
  EXPECT_TRUE(OffsetLines(view)[0].trimmed() == QStringLiteral("437"));
}

TEST_F(FindNextTest, NextWithoutAPatternDoesNothing) {
  Open(TestFiles::Counting(500));
  const PageState before = Page();
  const int opens = h.fileSystem.counters.opens;
  Next();
  h.Key(StartField(), Qt::Key_F3);
  EXPECT_EQ(h.ui.dialogsRun, 0);
  EXPECT_TRUE(h.ui.messages.empty());
  EXPECT_EQ(h.fileSystem.counters.opens, opens);
  EXPECT_EQ(Page(), before);
}

TEST_F(FindNextTest, AFindWhoseTextGivesNoBytesLeavesNoPattern) {
  Open(QByteArrayLiteral("xxABxxABxx"));
  Find(QStringLiteral("AB"));
  ASSERT_EQ(view->Session().Page().start, 2);
  Find(QStringLiteral(" F "), true); // one unpaired hex digit: no bytes
  EXPECT_EQ(view->Session().SearchPattern().Length(), 0);
  EXPECT_EQ(view->Session().Page().start, 2);
  Next();
  EXPECT_EQ(view->Session().Page().start, 2);
  EXPECT_TRUE(h.ui.messages.empty());
}

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

TEST_F(FindNextTest, AMatchInTheLastPageShowsFewerBytes) {
  QByteArray bytes(1000, '\0');
  bytes.replace(950, 3, "end");
  Open(bytes);
  Find(QStringLiteral("end"));
  EXPECT_EQ(view->Session().Page().start, 950);
  EXPECT_EQ(view->Session().Page().count, 50);
  EXPECT_EQ(HexLines(view).size(), 3);
  EXPECT_EQ(view->Session().Page().fileSize, 1000);
}

TEST_F(FindNextTest, NextFromTheLastByteFindsNoMore) {
  QByteArray bytes(700, 'a');
  bytes[699] = 'Z';
  Open(bytes);
  Find(QStringLiteral("Z"));
  ASSERT_EQ(view->Session().Page().start, 699);
  ASSERT_EQ(view->Session().Page().count, 1);
  const PageState atLast = Page();
  Next();
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{kNoMore});
  EXPECT_EQ(Page(), atLast);
}

TEST_F(FindNextTest, AnOccurrenceAcrossAPageBoundaryIsFound) {
  QByteArray bytes(1000, '-');
  bytes.replace(195, 10, "0123456789"); // bytes 195..204: five in each of the first two pages
  bytes.replace(595, 10, "0123456789"); // and across the boundary of a search started at 1
  Open(bytes);
  Find(QStringLiteral("0123456789"));
  EXPECT_EQ(view->Session().Page().start, 195);
  Next();
  EXPECT_EQ(view->Session().Page().start, 595);
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST_F(FindNextTest, APatternLongerThanAPageIsFound) {
  QByteArray text;
  for (int i = 0; i < 250; ++i) text += static_cast<char>('a' + (i * 7) % 26);
  QByteArray bytes(1200, '#');
  bytes.replace(333, text.size(), text);
  Open(bytes);
  Find(QString::fromLatin1(text));
  ASSERT_EQ(view->Session().SearchPattern().Length(), 250);
  EXPECT_EQ(view->Session().Page().start, 333);
  EXPECT_TRUE(h.ui.messages.empty());
  Next();
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{kNoMore});
}

TEST_F(FindNextTest, APatternRunningPastTheEndOfTheFileDoesNotMatch) {
  QByteArray bytes(400, '.');
  bytes.replace(397, 3, "abc");
  Open(bytes);
  Find(QStringLiteral("abcd"));
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{kNotFound});
  EXPECT_EQ(view->Session().Page().start, 0);
}

TEST_F(FindNextTest, NotFoundKeepsThePageAndReadsItAgain) {
  Open(TestFiles::Counting(1000));
  h.ClickControl(view, ids::kNextPage);
  const PageState before = Page();
  ASSERT_EQ(before.start, 200);
  // Another program changes a byte of the page shown; the page read after the search shows it.
  QByteArray changed = TestFiles::Counting(1000);
  changed[210] = 'W';
  h.files.Write(QStringLiteral("find.bin"), changed);
  Find(QStringLiteral("no such text"));
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{kNotFound});
  EXPECT_EQ(view->Session().Page().start, before.start);
  EXPECT_EQ(view->Session().Page().end, before.end);
  EXPECT_EQ(view->Session().Page().count, before.bytes);
  EXPECT_EQ(h.ControlText(view, ids::kStart), before.startField);
  EXPECT_EQ(AsciiLines(view)[0].at(10), QLatin1Char('W'));
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

TEST_F(FindNextTest, NextSearchesFromOnePastThePageShownNow) {
  QByteArray bytes(900, '.');
  bytes.replace(10, 2, "ok");
  bytes.replace(150, 2, "ok");
  bytes.replace(500, 2, "ok");
  Open(bytes);
  Find(QStringLiteral("ok"));
  ASSERT_EQ(view->Session().Page().start, 10);
  h.ClickControl(view, ids::kNextPage); // page at 210: the occurrence at 150 lies behind it
  Next();
  EXPECT_EQ(view->Session().Page().start, 500);
}

TEST_F(FindNextTest, OccurrencesBeyond4GiBAreFoundAndShownAtTheirOffsets) {
  // Sparse: the gaps cost no disk space, and Next from a page near them reads only the tail.
  constexpr Offset kGiB = Offset{1} << 30;
  path = h.files.Path(QStringLiteral("big.bin"));
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(5 * kGiB));
    for (const Offset at : {Offset{0}, 4 * kGiB + 7, 5 * kGiB - 50}) {
      ASSERT_TRUE(file.seek(at));
      ASSERT_EQ(file.write("far", 3), 3);
    }
  }
  view = h.StartOn(path);
  ASSERT_NE(view, nullptr);
  Find(QStringLiteral("far"));
  ASSERT_EQ(view->Session().Page().start, 0);
  h.TypeStart(view, QString::number(4 * kGiB));
  h.Key(StartField(), Qt::Key_Return);
  ASSERT_EQ(view->Session().Page().start, 4 * kGiB);
  Next();
  EXPECT_EQ(view->Session().Page().start, 4 * kGiB + 7);
  EXPECT_EQ(h.ControlText(view, ids::kStart), QString::number(4 * kGiB + 7));
  h.TypeStart(view, QString::number(5 * kGiB - 1000));
  h.Key(StartField(), Qt::Key_Return);
  Next();
  EXPECT_EQ(view->Session().Page().start, 5 * kGiB - 50);
  EXPECT_EQ(view->Session().Page().count, 50);
  Next();
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{kNoMore});
  EXPECT_EQ(view->Session().Page().start, 5 * kGiB - 50);
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

TEST_F(FindNextTest, AVanishedFileCannotBeOpenedAndThePatternStays) {
  QByteArray bytes(500, '.');
  bytes.replace(250, 2, "AB");
  Open(bytes);
  h.ClickControl(view, ids::kNextPage);
  const PageState before = Page();
  ASSERT_TRUE(QFile::remove(path));
  Find(QStringLiteral("AB"));
  Next();
  EXPECT_EQ(h.ui.MessageTexts(), (QStringList{kNotOpened, kNotOpened}));
  EXPECT_EQ(Page(), before);
  EXPECT_EQ(view->Session().SearchPattern().Length(), 2);

  h.files.Write(QStringLiteral("find.bin"), bytes);
  Next();
  EXPECT_EQ(view->Session().Page().start, 250);
  EXPECT_EQ(h.ui.messages.size(), 2u);
}

TEST_F(FindNextTest, AReadFailureDuringTheSearchStopsItWithOneMessage) {
  QByteArray bytes(5000, '.');
  bytes.replace(4500, 4, "late");
  Open(bytes);
  h.ClickControl(view, ids::kNextPage);
  const PageState before = Page();
  h.fileSystem.plan.failRead = true;
  h.fileSystem.plan.failAfterReads = h.fileSystem.counters.reads;
  Find(QStringLiteral("late"));
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{QString::fromUtf8(strings::kReadError)});
  EXPECT_EQ(Page(), before);
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
