// The program with files as the system gives them: device files, unusual names, links, and a file
// the user may not write.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <QDir>
#include <QFile>
#include <unistd.h>

#include "AppHarness.h"
#include "core/FileSession.h"
#include "ResourceIds.h"
#include "app/CChildFrame.h"
#include "view/CVekView.h"

namespace vek::test {

TEST(RealFiles, DevNullShowsAsAnEmptyFileAndDevZeroToo) {
  for (const char* device : {"/dev/null", "/dev/zero"}) {
    AppHarness h;
    CVekView* view = h.StartOn(QString::fromLatin1(device));
    ASSERT_NE(view, nullptr) << device;
    EXPECT_EQ(view->Session().Page().fileSize, 0) << device;
    EXPECT_EQ(view->Session().Page().count, 0) << device;
    EXPECT_EQ(OffsetLines(view), QStringList({"      0"})) << device;
    EXPECT_TRUE(h.ui.messages.empty()) << device;
  }
}

TEST(RealFiles, NamesWithBlanksNonAsciiCharactersOrALeadingDashOpen) {
  for (const QString& name : {QStringLiteral("two words.bin"), QStringLiteral("smörgåsbord-€.bin"),
                             QStringLiteral("-leading-dash.bin")}) {
    AppHarness h;
    const QString path = h.files.WriteCounting(name, 300);
    QDir::setCurrent(h.files.Dir());
    // A leading '-' would be a switch: "--" ends the switches, as a person at a terminal types it.
    const std::vector<std::string> args = {"--", QFile::encodeName(name).toStdString()};
    ASSERT_TRUE(h.Start(args)) << name.toStdString();
    CVekView* view = h.ActiveView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Session().Page().fileSize, 300) << name.toStdString();
    EXPECT_EQ(HexLines(view).value(0).left(9), "0001 0203") << name.toStdString();
    EXPECT_EQ(h.ControlText(view, ids::kFileName), "File : " + name);
    EXPECT_TRUE(h.ui.messages.empty()) << name.toStdString();
  }
}

// A name that is not UTF-8 (here Latin-1 "café") reaches the file as its bytes and shows with
// U+FFFD in place of the byte that does not decode.
TEST(RealFiles, ANameThatIsNotUtf8OpensShowsWithAReplacementCharacterAndTakesAnEdit) {
  AppHarness h;
  const std::string path = TestFiles::Local(h.files.Dir()) + "/caf\xE9.bin";
  const QByteArray bytes = TestFiles::Counting(300);
  std::ofstream(path, std::ios::binary).write(bytes.constData(), bytes.size());
  ASSERT_TRUE(h.Start({path}));
  CVekView* view = h.ActiveView();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(h.ui.messages.empty());
  EXPECT_EQ(view->Session().Page().fileSize, 300);
  EXPECT_EQ(HexLines(view).value(0).left(9), "0001 0203");
  const QString shown = h.files.Dir() + QStringLiteral("/caf\uFFFD.bin");
  EXPECT_EQ(h.ControlText(view, ids::kFileName), "File : " + shown);
  EXPECT_EQ(h.ActiveChild()->windowTitle(), shown);
  EXPECT_EQ(h.app->RecentFiles(), std::vector<std::string>{path});

  h.ClickControl(view, ids::kRefresh);
  EXPECT_EQ(h.ActiveChild()->windowTitle(), "VEK - " + shown);
  view->grab();
  h.ui.dialogSteps.push_back([](QDialog& d) {
    TypeInto(d, ids::kEditNewValue, "255");
    ClickButton(d, ids::kOk);
  });
  h.DoubleClick(view, view->HexCellCenter(7));
  EXPECT_TRUE(h.ui.messages.empty());
  std::ifstream written(path, std::ios::binary);
  const std::string after{std::istreambuf_iterator<char>(written), std::istreambuf_iterator<char>()};
  QByteArray expected = bytes;
  expected[7] = char(0xFF);
  EXPECT_EQ(QByteArray::fromStdString(after), expected);
}

TEST(RealFiles, AnEditThroughASymbolicLinkChangesTheFileItPointsTo) {
  AppHarness h;
  const QString target = h.files.WriteCounting("target.bin", 300);
  const QString link = h.files.Path("link.bin");
  ASSERT_TRUE(QFile::link(target, link));
  CVekView* view = h.StartOn(link);
  ASSERT_NE(view, nullptr);
  view->grab();
  h.ui.dialogSteps.push_back([](QDialog& d) {
    TypeInto(d, ids::kEditNewValue, "255");
    ClickButton(d, ids::kOk);
  });
  h.DoubleClick(view, view->HexCellCenter(7));
  QByteArray expected = TestFiles::Counting(300);
  expected[7] = char(0xFF);
  EXPECT_EQ(TestFiles::Read(target), expected);
  EXPECT_TRUE(QFileInfo(link).isSymLink()) << "the link itself must stay a link";
}

// Root may write any file, so this runs as an unprivileged user: ctest starts it with runuser when
// the tests run as root (see tests/CMakeLists.txt).
TEST(ReadOnlyFile, AnEditSaysTheFileCouldNotBeOpenedAndLeavesItAsItWas) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write a read-only file; run as an ordinary user";
  AppHarness h;
  const QString path = h.files.WriteCounting("ro.bin", 300);
  ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
  CVekView* view = h.StartOn(path);
  ASSERT_NE(view, nullptr);
  view->grab();
  h.ui.dialogSteps.push_back([](QDialog& d) {
    TypeInto(d, ids::kEditNewValue, "99");
    ClickButton(d, ids::kOk);
  });
  h.DoubleClick(view, view->HexCellCenter(3));
  EXPECT_EQ(h.ui.MessageTexts(), QStringList({"File could not be opened "}));
  EXPECT_EQ(TestFiles::Read(path), TestFiles::Counting(300));
  EXPECT_TRUE(HexLines(view).value(0).startsWith("0001 0263")) << "the screen keeps the new value";
  h.ClickControl(view, ids::kRefresh);
  EXPECT_TRUE(HexLines(view).value(0).startsWith("0001 0203")) << "Refresh shows what the file holds";
}

} // namespace vek::test
