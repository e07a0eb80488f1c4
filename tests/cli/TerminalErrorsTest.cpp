#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "CliTestSupport.h"
#include "cli/TerminalMode.h"
#include "core/CommandLine.h"

namespace vek::cli::test {
namespace {

// Each failure is one line naming the path, and nothing on standard output.
void ExpectOneLineError(const Outcome& outcome, const std::string& path, const std::string& reason) {
  EXPECT_EQ(outcome.status, kExitError);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, "vek: " + path + ": " + reason + "\n");
}

TEST(TerminalErrors, FilesThatCannotBeReadGiveStatusTwoAndOneLine) {
  TempDir dir;
  const std::string missing = dir.Path() + "/missing.bin";
  // A socket has no bytes to read: refused at once, where a FIFO is read as a stream.
  const std::string socketPath = dir.Path() + "/socket";
  const int socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(socketFd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(socketFd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  for (const char* mode : {"--find", "--dump"}) {
    SCOPED_TRACE(mode);
    const auto run = [&](const std::string& path) {
      return std::string(mode) == "--find" ? RunVek({"--find", "x", path}) : RunVek({"--dump", path});
    };
    ExpectOneLineError(run(missing), missing, "No such file or directory");
    ExpectOneLineError(run(dir.Path()), dir.Path(), "Is a directory");
    ExpectOneLineError(run(socketPath), socketPath, "No such device or address");
  }
  ::close(socketFd);
}

TEST(TerminalErrors, DevNullIsAnEmptyFileWithNothingToFind) {
  const Outcome outcome = RunVek({"--find", "x", "/dev/null"});
  EXPECT_EQ(outcome.status, kExitNotFound);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, "");
}

TEST(TerminalErrors, AFileStartingWithDashIsReachedAfterDoubleDash) {
  TempDir dir;
  dir.Write("-n", {'a', 'b', 'c'});
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  const Outcome outcome = RunVek({"--find", "bc", "--", "-n"});
  std::filesystem::current_path(before);
  EXPECT_EQ(outcome.status, kExitFound);
  EXPECT_EQ(outcome.out, "1\n");
}

TEST(TerminalErrors, AFullOutputIsAnErrorNotASilentSuccess) {
  TempDir dir;
  const std::string path = dir.Write("a.bin", {'a', 'a', 'a'});
  std::FILE* full = std::fopen("/dev/full", "w");
  ASSERT_NE(full, nullptr);
  std::FILE* err = std::tmpfile();
  const int status = RunTerminalMode(ParseCommandLine({"--find", "a", path}), -1, full, err);
  std::fclose(full);
  EXPECT_EQ(status, kExitError);
  std::rewind(err);
  char line[256] = {};
  ASSERT_NE(std::fgets(line, sizeof line, err), nullptr);
  std::fclose(err);
  EXPECT_EQ(std::string(line), "vek: write error: No space left on device\n");
}

TEST(TerminalErrors, ABadPatternIsReportedBeforeTheFileIsOpened) {
  const Outcome outcome = RunVek({"--find-hex", "7", "/no/such/file"});
  EXPECT_EQ(outcome.status, kExitError);
  EXPECT_EQ(outcome.err, "vek: --find-hex: PAIRS hold no pair of hex digits\n");
}

} // namespace
} // namespace vek::cli::test
