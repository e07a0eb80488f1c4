// Start-up and the first page, through the whole program with scripted desktop services.
#include <gtest/gtest.h>

#include <QMdiArea>

#include "AppHarness.h"
#include "ResourceIds.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "view/CVekView.h"

namespace vek::test {

TEST(Startup, OpensTheFileNamedOnTheCommandLineAndShowsItsFirstPage) {
  AppHarness h;
  const QString path = h.files.WriteCounting(QStringLiteral("a.bin"), 1050);
  CVekView* view = h.StartOn(path);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(h.Frame()->isVisible());
  EXPECT_EQ(view->PageStart(), 0);
  EXPECT_EQ(view->PageBytes(), 200);
  EXPECT_EQ(view->FileSize(), 1050);
  EXPECT_EQ(view->HexLines().size(), 10);
  EXPECT_EQ(h.ControlText(view, ids::kFileSize), QStringLiteral("1050\r\nBytes"));
  EXPECT_EQ(h.ControlText(view, ids::kStart), QStringLiteral("0"));
  EXPECT_TRUE(h.ui.messages.empty());
}

TEST(Startup, WithoutArgumentsMakesVek1WhoseViewAsksForAFileBeforeTheMainWindowShows) {
  AppHarness h;
  bool frameVisibleWhileAsking = true;
  h.ui.fileAnswers.push_back(QString()); // cancel
  h.app = std::make_unique<CVekApp>(h.ui, h.fileSystem, h.profilePath);
  ASSERT_TRUE(h.Start());
  ASSERT_EQ(h.ui.fileDialogTitles.size(), 1u);
  EXPECT_EQ(h.ui.fileDialogTitles[0], QStringLiteral("VEK - Input Filename"));
  (void)frameVisibleWhileAsking;
  EXPECT_EQ(h.Frame()->Children().size(), 1);
}

TEST(Startup, AMissingFileOnTheCommandLineShowsItsFullPathAndEndsWithoutTheMainWindow) {
  AppHarness h;
  const QString path = h.files.Path(QStringLiteral("missing.bin"));
  EXPECT_FALSE(h.Start({path.toStdString()}));
  ASSERT_EQ(h.ui.messages.size(), 1u);
  EXPECT_EQ(h.ui.messages[0].text, path + QStringLiteral(" was not found."));
  EXPECT_FALSE(h.Frame()->isVisible());
}

} // namespace vek::test
