// Opening a document with the file layer failing at the open, for each cause: the message shown and
// no window left. (Page reading and the search under every failing step: tests/core/FileSessionTest.)
#include <gtest/gtest.h>

#include "AppHarness.h"
#include "ResourceIds.h"
#include "Strings.h"
#include "app/CMainFrame.h"

namespace vek::test {
namespace {

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
