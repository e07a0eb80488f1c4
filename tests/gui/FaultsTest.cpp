// Every step of the file layer failing in turn, under page reading, the search and the opening of
// a document: the message shown, the page state afterwards, and the file's bytes untouched.
#include <gtest/gtest.h>

#include "AppHarness.h"
#include "core/FileSession.h"
#include "ResourceIds.h"
#include "Strings.h"
#include "app/CMainFrame.h"
#include "view/CVekView.h"

namespace vek::test {
namespace {

struct Fault {
  const char* name;
  void (*apply)(FaultPlan&);
  const char* message;
};
void PrintTo(const Fault& fault, std::ostream* os) { *os << fault.name; }

struct Shown {
  Offset start, end;
  int bytes;
  QStringList lines;
  QString startField;
  friend bool operator==(const Shown&, const Shown&) = default;
};

Shown ShownBy(const AppHarness& h, const CVekView* view) {
  return {view->Session().Page().start, view->Session().Page().end, view->Session().Page().count, PageLines(view), h.ControlText(view, ids::kStart)};
}

class FaultTest : public ::testing::TestWithParam<Fault> {
 protected:
  void SetUp() override {
    path = h.files.WriteCounting(QStringLiteral("f.bin"), 1050);
    view = h.StartOn(path);
    ASSERT_NE(view, nullptr);
    h.ClickControl(view, ids::kNextPage); // the page at 200
    before = ShownBy(h, view);
  }
  void TearDown() override {
    EXPECT_EQ(h.ui.waitDepth, 0) << "the wait cursor outlived the command";
    EXPECT_EQ(TestFiles::Read(path), TestFiles::Counting(1050)) << "a failure changed the file";
    EXPECT_EQ(h.fileSystem.counters.writeOpens, 0);
  }
  AppHarness h;
  QString path;
  CVekView* view = nullptr;
  Shown before;
};

// A page read that fails leaves the page on screen, and the page read before it, as they were.
using PageReadFault = FaultTest;
TEST_P(PageReadFault, ShowsItsMessageAndLeavesThePageOnScreen) {
  GetParam().apply(h.fileSystem.plan);
  h.ClickControl(view, ids::kNextPage);
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{QString::fromUtf8(GetParam().message)});
  EXPECT_EQ(PageLines(view), before.lines);
  EXPECT_EQ(h.ControlText(view, ids::kStart), before.startField);
  h.fileSystem.plan = {};
  h.ClickControl(view, ids::kRefresh); // the next good read shows the page asked for
  EXPECT_EQ(h.ui.messages.size(), 1u);
  EXPECT_EQ(view->Session().Page().start, 400);
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, PageReadFault,
    ::testing::Values(
        Fault{"Open", [](FaultPlan& p) { p.openForRead = FileError::AccessDenied; }, strings::kFileNotOpened},
        Fault{"Length", [](FaultPlan& p) { p.failLength = true; }, strings::kFileNotOpened},
        Fault{"Seek", [](FaultPlan& p) { p.failSeek = true; }, strings::kSeekError},
        Fault{"Read", [](FaultPlan& p) { p.failRead = true; }, strings::kReadError},
        Fault{"ShortRead", [](FaultPlan& p) { p.shortRead = 7; }, strings::kReadError}),
    [](const auto& info) { return std::string(info.param.name); });

// A search that fails shows one message and leaves the page exactly as before the search.
using SearchFault = FaultTest;
TEST_P(SearchFault, ShowsOneMessageAndLeavesThePageAsBeforeTheSearch) {
  h.ui.dialogSteps.push_back([](QDialog& d) {
    ClickButton(d, ids::kFindRadioHex);
    TypeInto(d, ids::kFindPattern, "FE FF 00 01"); // at 254, 510, 766, 1022
    ClickButton(d, ids::kOk);
  });
  GetParam().apply(h.fileSystem.plan);
  h.ClickControl(view, ids::kFind);
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{QString::fromUtf8(GetParam().message)});
  EXPECT_EQ(ShownBy(h, view), before);
  EXPECT_EQ(view->Session().SearchPattern().Length(), 4) << "the pattern stays for Next whatever the search gave";
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, SearchFault,
    ::testing::Values(
        Fault{"Open", [](FaultPlan& p) { p.openForRead = FileError::NotFound; }, strings::kFileNotOpened},
        Fault{"Length", [](FaultPlan& p) { p.failLength = true; }, strings::kFileNotOpened},
        Fault{"Seek", [](FaultPlan& p) { p.failSeek = true; }, strings::kReadError},
        Fault{"Read", [](FaultPlan& p) { p.failRead = true; }, strings::kReadError},
        Fault{"ShortRead", [](FaultPlan& p) { p.shortRead = 100; }, strings::kReadError}),
    [](const auto& info) { return std::string(info.param.name); });

// Opening a document names the cause of a failure and the full path, and leaves no window.
struct OpenCause {
  const char* name;
  FileError cause;
  const char* text;
};
void PrintTo(const OpenCause& cause, std::ostream* os) { *os << cause.name; }

class OpenFault : public ::testing::TestWithParam<OpenCause> {};
TEST_P(OpenFault, NamesTheCauseAndTheFullPathAndLeavesNoWindow) {
  AppHarness h;
  const QString path = h.files.WriteCounting(QStringLiteral("o.bin"), 10);
  h.fileSystem.plan.openForRead = GetParam().cause;
  EXPECT_FALSE(h.Start({path.toStdString()}));
  EXPECT_EQ(h.ui.MessageTexts(), QStringList{QString::fromUtf8(GetParam().text).arg(path)});
  EXPECT_EQ(h.ui.messages.front().icon, MessageIcon::Exclamation);
  EXPECT_TRUE(h.Frame()->Children().isEmpty());
  EXPECT_TRUE(h.app->RecentFiles().empty()) << "a file that did not open is not a recent file";
}

INSTANTIATE_TEST_SUITE_P(
    EveryCause, OpenFault,
    ::testing::Values(OpenCause{"NotFound", FileError::NotFound, strings::kOpenNotFound},
                      OpenCause{"BadPath", FileError::BadPath, strings::kOpenBadPath},
                      OpenCause{"TooManyOpenFiles", FileError::TooManyOpenFiles, strings::kOpenTooManyFiles},
                      OpenCause{"AccessDenied", FileError::AccessDenied, strings::kOpenAccessDenied},
                      OpenCause{"Directory", FileError::IsDirectory, strings::kOpenAccessDenied},
                      OpenCause{"Sharing", FileError::SharingViolation, strings::kOpenSharing},
                      OpenCause{"Locking", FileError::LockViolation, strings::kOpenLocking},
                      OpenCause{"Hardware", FileError::HardwareError, strings::kOpenHardware},
                      OpenCause{"Other", FileError::Other, strings::kOpenUnknown}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vek::test
