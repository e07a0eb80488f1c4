// Start-up, the document windows and their titles, through the whole program with scripted
// desktop services.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>

#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QSettings>

#include "AppHarness.h"
#include "core/FileSession.h"
#include "ResourceIds.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CVekDoc.h"
#include "view/CVekView.h"

namespace vek::test {

namespace {

// Passes everything on to the scripted services, but lets a test look at the program at the very
// moment a view asks for a file name.
class WatchedUi final : public UiServices {
 public:
  void MessageBox(const QString& text, MessageIcon icon) override { inner->MessageBox(text, icon); }
  void BeginWaitCursor() override { inner->BeginWaitCursor(); }
  void EndWaitCursor() override { inner->EndWaitCursor(); }
  QString AskOpenFileName(QWidget* owner, const QString& title, const QString& filter) override {
    if (onAsk) onAsk();
    return inner->AskOpenFileName(owner, title, filter);
  }
  int RunModal(QDialog& dialog) override { return inner->RunModal(dialog); }

  ScriptedUiServices* inner = nullptr;
  std::function<void()> onAsk;
};

// What the program looked like each time a view asked for a file.
struct AskMoment {
  bool frameVisible = true;
  QString documentTitle;   // of the newest document
  QString childFrameTitle; // of its window
};

// A harness whose application asks through WatchedUi. The watcher outlives the harness, which
// still closes the program through it.
struct WatchedStart {
  WatchedStart() {
    watched.inner = &h.ui;
    h.app = std::make_unique<CVekApp>(watched, h.fileSystem, h.profilePath);
    watched.onAsk = [this] {
      AskMoment moment;
      moment.frameVisible = h.Frame()->isVisible();
      const QList<CChildFrame*> children = h.Frame()->Children();
      if (!children.isEmpty()) {
        moment.documentTitle = children.last()->GetDocument()->GetTitle();
        moment.childFrameTitle = children.last()->windowTitle();
      }
      asks.push_back(moment);
    };
  }
  WatchedUi watched;
  AppHarness h;
  std::vector<AskMoment> asks;
};

// Makes the current directory the test folder for as long as it lives.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const QString& dir) : m_saved(QDir::currentPath()) { QDir::setCurrent(dir); }
  ~CurrentDirectory() { QDir::setCurrent(m_saved); }
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;

 private:
  QString m_saved;
};

} // namespace

TEST(Startup, OpensTheFileNamedOnTheCommandLineAndShowsItsFirstPage) {
  AppHarness h;
  const QString path = h.files.WriteCounting(QStringLiteral("a.bin"), 1050);
  CVekView* view = h.StartOn(path);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(h.Frame()->isVisible());
  EXPECT_EQ(view->Session().Page().start, 0);
  EXPECT_EQ(view->Session().Page().count, 200);
  EXPECT_EQ(view->Session().Page().fileSize, 1050);
  EXPECT_EQ(HexLines(view).size(), 10);
  EXPECT_EQ(h.ControlText(view, ids::kFileSize), QStringLiteral("1050\r\nBytes"));
  EXPECT_EQ(h.ControlText(view, ids::kStart), QStringLiteral("0"));
  EXPECT_EQ(h.ControlText(view, ids::kFileName), QStringLiteral("File : ") + path);
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST(Startup, WithoutArgumentsMakesVek1WhoseViewAsksForAFileBeforeTheMainWindowShows) {
  WatchedStart s;
  s.h.ui.fileAnswers.push_back(QString()); // cancel
  ASSERT_TRUE(s.h.Start());
  ASSERT_EQ(s.asks.size(), 1u);
  EXPECT_FALSE(s.asks[0].frameVisible);
  EXPECT_EQ(s.asks[0].documentTitle, QStringLiteral("Vek1"));
  EXPECT_EQ(s.asks[0].childFrameTitle, QStringLiteral("Vek1"));
  ASSERT_EQ(s.h.ui.fileDialogTitles.size(), 1u);
  EXPECT_EQ(s.h.ui.fileDialogTitles[0], QStringLiteral("VEK - Input Filename"));
  EXPECT_TRUE(s.h.Frame()->isVisible());
  EXPECT_EQ(s.h.Frame()->frameGeometry().size(), QSize(kMainFrameWidth, kMainFrameHeight));
  EXPECT_EQ(s.h.Frame()->Children().size(), 1);
}

TEST(Startup, AViewWhoseFileChoiceWasCancelledKeepsItsTemplateTextsAndPaintsNoLines) {
  WatchedStart s;
  ASSERT_TRUE(s.h.Start()); // no answer queued: the dialog is cancelled
  CVekView* view = s.h.ActiveView();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(ShownFileName(view).isEmpty());
  EXPECT_EQ(s.h.ControlText(view, ids::kFileName), QStringLiteral("Filename"));
  EXPECT_EQ(s.h.ControlText(view, ids::kFileSize), QStringLiteral("Filesize"));
  EXPECT_EQ(s.h.ControlText(view, ids::kStart), QString());
  EXPECT_TRUE(PageLines(view).isEmpty());
  // The document's title is the name as loaded: none.
  EXPECT_EQ(s.h.ActiveChild()->GetDocument()->GetTitle(), QString());
  EXPECT_TRUE(s.h.ui.messages.empty());
}

TEST(Startup, TwoNewDocumentsAreTitledVek1ThenVek2WhileTheirViewsAsk) {
  WatchedStart s;
  const QString path = s.h.files.WriteCounting(QStringLiteral("a.bin"), 300);
  s.h.ui.fileAnswers.push_back(path);
  ASSERT_TRUE(s.h.Start());
  s.h.app->OnFileNew(); // cancelled
  ASSERT_EQ(s.asks.size(), 2u);
  EXPECT_EQ(s.asks[0].documentTitle, QStringLiteral("Vek1"));
  EXPECT_EQ(s.asks[1].documentTitle, QStringLiteral("Vek2"));
  EXPECT_EQ(s.asks[1].childFrameTitle, QStringLiteral("Vek2"));
  EXPECT_TRUE(s.asks[1].frameVisible);
  const QList<CChildFrame*> children = s.h.Frame()->Children();
  ASSERT_EQ(children.size(), 2);
  // The first view took the chosen file; its document carries the name it loaded.
  EXPECT_EQ(ShownFileName(children[0]->GetView()), path);
  EXPECT_EQ(children[0]->GetDocument()->GetTitle(), path);
  EXPECT_EQ(children[0]->GetView()->Session().Page().fileSize, 300);
}

TEST(Startup, AMissingFileOnTheCommandLineShowsItsFullPathAndEndsWithoutTheMainWindow) {
  AppHarness h;
  const QString path = h.files.Path(QStringLiteral("missing.bin"));
  EXPECT_FALSE(h.Start({path.toStdString()}));
  ASSERT_EQ(h.ui.messages.size(), 1u);
  EXPECT_EQ(h.ui.messages[0].text, path + QStringLiteral(" was not found."));
  EXPECT_EQ(h.ui.messages[0].icon, MessageIcon::Exclamation);
  EXPECT_FALSE(h.Frame()->isVisible());
  EXPECT_TRUE(h.Frame()->Children().isEmpty());
}

TEST(Startup, AMissingFileGivenRelativelyIsReportedWithItsFullPath) {
  AppHarness h;
  CurrentDirectory here(h.files.Dir());
  EXPECT_FALSE(h.Start({"missing.bin"}));
  ASSERT_EQ(h.ui.messages.size(), 1u);
  EXPECT_EQ(h.ui.messages[0].text, QDir(h.files.Dir()).absoluteFilePath(QStringLiteral("missing.bin")) +
                                       QStringLiteral(" was not found."));
}

TEST(Startup, ADirectoryOrAFifoOnTheCommandLineIsRefusedWithoutWaiting) {
  AppHarness dirRun;
  const QString dir = dirRun.files.Path(QStringLiteral("folder"));
  ASSERT_TRUE(QDir().mkpath(dir));
  EXPECT_FALSE(dirRun.Start({dir.toStdString()}));
  ASSERT_EQ(dirRun.ui.messages.size(), 1u);
  EXPECT_TRUE(dirRun.ui.messages[0].text.contains(dir)) << dirRun.ui.messages[0].text.toStdString();
  EXPECT_FALSE(dirRun.Frame()->isVisible());

  AppHarness fifoRun;
  const QString fifo = fifoRun.files.Path(QStringLiteral("pipe"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  EXPECT_FALSE(fifoRun.Start({fifo.toStdString()})); // no writer: an open that waited would hang here
  ASSERT_EQ(fifoRun.ui.messages.size(), 1u);
  EXPECT_TRUE(fifoRun.ui.messages[0].text.contains(fifo)) << fifoRun.ui.messages[0].text.toStdString();
  EXPECT_FALSE(fifoRun.Frame()->isVisible());
}

TEST(Startup, OnlyTheFirstOfTwoFileNamesIsOpened) {
  AppHarness h;
  const QString first = h.files.WriteCounting(QStringLiteral("first.bin"), 10);
  const QString second = h.files.WriteCounting(QStringLiteral("second.bin"), 20);
  ASSERT_TRUE(h.Start({first.toStdString(), second.toStdString()}));
  ASSERT_EQ(h.Frame()->Children().size(), 1);
  EXPECT_EQ(h.ActiveChild()->GetDocument()->GetPathName(), TestFiles::Local(first));
  EXPECT_EQ(h.ActiveView()->Session().Page().fileSize, 10);
  ASSERT_EQ(h.app->RecentFiles().size(), 1u);
  EXPECT_EQ(h.app->RecentFiles()[0], first.toStdString());
}

TEST(Startup, OpeningAnOpenFileAgainByAnyNameActivatesItsWindow) {
  AppHarness h;
  const QString a = h.files.WriteCounting(QStringLiteral("a.bin"), 100);
  const QString b = h.files.WriteCounting(QStringLiteral("b.bin"), 100);
  const QString link = h.files.Path(QStringLiteral("link-to-a.bin"));
  ASSERT_TRUE(QFile::link(a, link));
  CurrentDirectory here(h.files.Dir());

  ASSERT_NE(h.StartOn(a), nullptr);
  CChildFrame* aWindow = h.ActiveChild();
  CChildFrame* bWindow = h.app->OpenDocumentFile(TestFiles::Local(b));
  ASSERT_NE(bWindow, nullptr);
  ASSERT_NE(bWindow, aWindow);
  EXPECT_EQ(h.ActiveChild(), bWindow);

  EXPECT_EQ(h.app->OpenDocumentFile(TestFiles::Local(a)), aWindow);
  EXPECT_EQ(h.ActiveChild(), aWindow);
  h.Frame()->MdiArea()->setActiveSubWindow(bWindow);
  EXPECT_EQ(h.app->OpenDocumentFile(TestFiles::Local(link)), aWindow);
  EXPECT_EQ(h.ActiveChild(), aWindow);
  h.Frame()->MdiArea()->setActiveSubWindow(bWindow);
  EXPECT_EQ(h.app->OpenDocumentFile(TestFiles::Local(QStringLiteral("a.bin"))), aWindow);
  EXPECT_EQ(h.ActiveChild(), aWindow);
  h.Frame()->MdiArea()->setActiveSubWindow(bWindow);
  EXPECT_EQ(h.app->OpenDocumentFile(TestFiles::Local(QStringLiteral("./sub/../a.bin"))), aWindow);
  EXPECT_EQ(h.ActiveChild(), aWindow);

  EXPECT_EQ(h.Frame()->Children().size(), 2);
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST(Startup, OpeningAFileAsksEachWindowForTheFileItShowsNow) {
  AppHarness h;
  const QString a = h.files.WriteCounting(QStringLiteral("a.bin"), 100);
  const QString b = h.files.WriteCounting(QStringLiteral("b.bin"), 100);
  const QString c = h.files.WriteCounting(QStringLiteral("c.bin"), 100);
  CVekView* view = h.StartOn(a);
  ASSERT_NE(view, nullptr);
  CChildFrame* first = h.ActiveChild();
  // New in the window: it shows b.bin now.
  h.ui.fileAnswers.push_back(b);
  h.ClickControl(view, ids::kNew);
  ASSERT_EQ(ShownFileName(view), b);

  EXPECT_EQ(h.app->OpenDocumentFile(TestFiles::Local(b)), first) << "b.bin is open: its window comes forward";
  CChildFrame* aAgain = h.app->OpenDocumentFile(TestFiles::Local(a));
  ASSERT_NE(aAgain, nullptr);
  EXPECT_NE(aAgain, first) << "a.bin is no longer shown: it opens in a window of its own";
  EXPECT_EQ(ShownFileName(aAgain->GetView()), a);

  // A window made by Ctrl+N shows the file its view asked for.
  h.ui.fileAnswers.push_back(c);
  h.app->OnFileNew();
  CChildFrame* untitled = h.ActiveChild();
  ASSERT_EQ(ShownFileName(untitled->GetView()), c);
  h.Frame()->MdiArea()->setActiveSubWindow(first);
  EXPECT_EQ(h.app->OpenDocumentFile(TestFiles::Local(c)), untitled);
  EXPECT_EQ(h.ActiveChild(), untitled);
  EXPECT_EQ(h.Frame()->Children().size(), 3);
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST(Startup, TitlesFollowTheNameAsLoadedThenTheFirstPageMove) {
  AppHarness h;
  const QString path = h.files.WriteCounting(QStringLiteral("a.bin"), 1050);
  CVekView* view = h.StartOn(path);
  ASSERT_NE(view, nullptr);
  CChildFrame* child = h.ActiveChild();
  // Opened from another directory: the view took the full path, and the document says so.
  EXPECT_EQ(ShownFileName(view), path);
  EXPECT_EQ(child->GetDocument()->GetTitle(), path);
  EXPECT_EQ(child->windowTitle(), path);
  EXPECT_EQ(h.Frame()->windowTitle(), QStringLiteral("vek - ") + path);

  h.ClickControl(view, ids::kNextPage);
  EXPECT_EQ(view->Session().Page().start, 200);
  EXPECT_EQ(child->GetDocument()->GetTitle(), QStringLiteral("VEK - ") + path);
  EXPECT_EQ(child->windowTitle(), QStringLiteral("VEK - ") + path);
  EXPECT_EQ(h.Frame()->windowTitle(), QStringLiteral("vek - VEK - ") + path);
  EXPECT_EQ(h.ControlText(view, ids::kFileName), QStringLiteral("File : ") + path);
}

TEST(Startup, AFileNamedFromTheCurrentDirectoryKeepsItsShortNameInTheTitles) {
  AppHarness h;
  h.files.WriteCounting(QStringLiteral("a.bin"), 300);
  CurrentDirectory here(h.files.Dir());
  CVekView* view = h.StartOn(QStringLiteral("a.bin"));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(ShownFileName(view), QStringLiteral("a.bin"));
  EXPECT_EQ(h.ActiveChild()->windowTitle(), QStringLiteral("a.bin"));
  EXPECT_EQ(h.Frame()->windowTitle(), QStringLiteral("vek - a.bin"));
  EXPECT_EQ(h.ControlText(view, ids::kFileName), QStringLiteral("File : a.bin"));
  // The document's path is the file the window shows, by the name it was loaded with; the recent
  // file list has the full path.
  EXPECT_EQ(h.ActiveChild()->GetDocument()->GetPathName(), "a.bin");
  EXPECT_EQ(h.app->RecentFiles().front(), TestFiles::Local(QDir(h.files.Dir()).absoluteFilePath(QStringLiteral("a.bin"))));

  h.ClickControl(view, ids::kRefresh);
  EXPECT_EQ(h.ActiveChild()->windowTitle(), QStringLiteral("VEK - a.bin"));
  EXPECT_EQ(h.Frame()->windowTitle(), QStringLiteral("vek - VEK - a.bin"));
}

TEST(Startup, TheFileSizeTextFollowsTheFileOnLoadAndRefresh) {
  AppHarness h;
  const QString path = h.files.WriteCounting(QStringLiteral("a.bin"), 1050);
  CVekView* view = h.StartOn(path);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(h.ControlText(view, ids::kFileSize), QStringLiteral("1050\r\nBytes"));
  h.files.WriteCounting(QStringLiteral("a.bin"), 1100); // another program makes it longer
  EXPECT_EQ(h.ControlText(view, ids::kFileSize), QStringLiteral("1050\r\nBytes"));
  h.ClickControl(view, ids::kRefresh);
  EXPECT_EQ(view->Session().Page().fileSize, 1100);
  EXPECT_EQ(h.ControlText(view, ids::kFileSize), QStringLiteral("1100\r\nBytes"));
  h.ClickControl(view, ids::kRadix);
  EXPECT_EQ(h.ControlText(view, ids::kFileSize), QStringLiteral("0x44C\r\nBytes"));
}

TEST(Startup, TheProfileListsTheLastOpenedFileFirstAndIsReadAtTheNextStart) {
  AppHarness h;
  const QString a = h.files.WriteCounting(QStringLiteral("a.bin"), 10);
  const QString b = h.files.WriteCounting(QStringLiteral("b.bin"), 10);
  ASSERT_NE(h.StartOn(a), nullptr);
  ASSERT_NE(h.app->OpenDocumentFile(TestFiles::Local(b)), nullptr);
  h.app->ExitInstance();
  {
    QSettings profile(h.profilePath, QSettings::IniFormat);
    profile.beginGroup(QStringLiteral("Recent File List"));
    EXPECT_EQ(profile.value(QStringLiteral("File1")).toString(), b);
    EXPECT_EQ(profile.value(QStringLiteral("File2")).toString(), a);
    EXPECT_FALSE(profile.contains(QStringLiteral("File3")));
  }
  // The section carries its own name, blanks and all, as other readers of the file expect it.
  EXPECT_EQ(TestFiles::Read(h.profilePath), "[Recent File List]\nFile1=" + b.toUtf8() + "\nFile2=" + a.toUtf8() + "\n");

  // The next run starts from that list; reopening a listed file moves it to the front.
  h.app = std::make_unique<CVekApp>(h.ui, h.fileSystem, h.profilePath);
  ASSERT_TRUE(h.Start({a.toStdString()}));
  const std::vector<std::string> expected{a.toStdString(), b.toStdString()};
  EXPECT_EQ(h.app->RecentFiles(), expected);
}

TEST(Startup, WindowsHaveTheirFixedSizes) {
  AppHarness h;
  const QString path = h.files.WriteCounting(QStringLiteral("a.bin"), 10);
  ASSERT_NE(h.StartOn(path), nullptr);
  CChildFrame* child = h.ActiveChild();
  EXPECT_EQ(child->size(), QSize(kChildFrameWidth, kChildFrameHeight));
  // Fixed: no edge can drag it to another size.
  EXPECT_EQ(child->minimumSize(), QSize(kChildFrameWidth, kChildFrameHeight));
  EXPECT_EQ(child->maximumSize(), QSize(kChildFrameWidth, kChildFrameHeight));
  EXPECT_EQ(h.Frame()->frameGeometry().size(), QSize(kMainFrameWidth, kMainFrameHeight));
  // Opened before the main window first showed, yet placed in its client area at its final size.
  EXPECT_EQ(child->pos(), QPoint(0, 0));
}

TEST(Startup, AnEmptyFileShowsOnePageLineWithOffsetZero) {
  AppHarness h;
  const QString path = h.files.Write(QStringLiteral("empty.bin"), QByteArray());
  CVekView* view = h.StartOn(path);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(h.ui.messages.empty());
  EXPECT_EQ(view->Session().Page().start, 0);
  EXPECT_EQ(view->Session().Page().count, 0);
  EXPECT_EQ(OffsetLines(view), QStringList{QStringLiteral("      0")});
  EXPECT_EQ(HexLines(view), QStringList{QString()});
  EXPECT_EQ(AsciiLines(view), QStringList{QString()});
  EXPECT_EQ(h.ControlText(view, ids::kFileSize), QStringLiteral("0\r\nBytes"));
  EXPECT_EQ(h.ControlText(view, ids::kStart), QStringLiteral("0"));
  // A read of the empty file succeeds with an empty window.
  h.ClickControl(view, ids::kRefresh);
  EXPECT_EQ(view->Session().Page().start, 0);
  EXPECT_EQ(view->Session().Page().count, 0);
  EXPECT_TRUE(h.ui.messages.empty());
}

} // namespace vek::test
