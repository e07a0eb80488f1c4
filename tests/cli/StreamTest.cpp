// The terminal mode on files without a size: pipes, FIFOs, standard input, /proc and devices.
#include <gtest/gtest.h>

#include <csignal>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "CliTestSupport.h"

namespace vek::cli::test {
namespace {

// The terminal mode with "-" as its FILE, `bytes` coming through a pipe.
Outcome RunOnPipe(std::vector<std::string> args, const Bytes& bytes) {
  args.push_back("-");
  return RunVekOnPipe(args, bytes);
}

// Every page and every occurrence a regular file of the same bytes gives, in blocks and chunks
// that end mid-page and mid-match (the dump reads 128000 bytes at a time, the search 1 MiB).
TEST(Stream, APipeDumpsAndFindsAsAFileOfTheSameBytes) {
  struct Case {
    std::size_t size;
    std::vector<std::string> options;
  };
  const Case cases[] = {
      {0, {"--dump"}},
      {1, {"--dump"}},
      {200, {"--dump"}},
      {450, {"--dump", "--hex"}},
      {300001, {"--dump"}},
      {300001, {"--dump", "--pages", "641"}},
      {1000, {"--dump", "--start", "250"}},
      {1000, {"--dump", "--start", "3E8", "--hex"}}, // 1000: nothing, as the man page says
      {2500000, {"--find", "abca"}},
      {2500000, {"--find-hex", "6263"}},
      {100, {"--find", "zzz"}},
      {2500000, {"--find", "aBcA", "-i"}},
      {2500000, {"--find", "abca", "--count"}},
      {100, {"--find", "zzz", "--count"}},
      {1000, {"--dump", "--color=always"}},
  };
  TempDir dir;
  for (const Case& c : cases) {
    const Bytes bytes = RandomBytes(c.size, 11, "abc");
    std::vector<std::string> onFile = c.options;
    onFile.push_back(dir.Write("same.bin", bytes));
    const Outcome fromFile = RunVek(onFile);
    const Outcome fromPipe = RunOnPipe(c.options, bytes);
    const bool startPastEnd = c.options.back() == "--hex" && c.options[1] == "--start";
    EXPECT_EQ(fromPipe.out, startPastEnd ? "" : fromFile.out) << c.size << " " << c.options.back();
    EXPECT_EQ(fromPipe.status, fromFile.status) << c.size << " " << c.options.back();
    EXPECT_EQ(fromPipe.err, "");
  }
}

TEST(Stream, AFifoIsReadOnceAWriterComes) {
  TempDir dir;
  const std::string fifo = dir.Path() + "/fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const Bytes bytes = RandomBytes(1234, 5, "xyz");
  std::thread writer([&] {
    const int fd = ::open(fifo.c_str(), O_WRONLY);
    if (fd < 0) return;
    for (std::size_t done = 0; done < bytes.size();) {
      const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    ::close(fd);
  });
  const Outcome fromFifo = RunVek({"--dump", fifo});
  writer.join();
  EXPECT_EQ(fromFifo.status, 0);
  EXPECT_EQ(fromFifo.out, RunVek({"--dump", dir.Write("same.bin", bytes)}).out);
}

TEST(Stream, ProcFilesAndDevicesAreReadAsStreams) {
  // /proc reports a size of 0 for a file that holds text.
  const Outcome status = RunVek({"--find", "Name:", "/proc/self/status"});
  EXPECT_EQ(status.status, 0);
  EXPECT_EQ(status.out.substr(0, 2), "0\n");
  EXPECT_EQ(RunVek({"--dump", "--pages", "1", "/proc/self/status"}).out.substr(0, 18), "      0  4E61 6D65");

  TempDir dir;
  EXPECT_EQ(RunVek({"--dump", "--pages", "2", "/dev/zero"}).out,
            RunVek({"--dump", "--pages", "2", dir.Write("zeros.bin", Bytes(1000, 0))}).out)
      << "an endless stream stops after the pages asked for";
  EXPECT_EQ(RunVek({"--dump", "/dev/null"}).out, RunVek({"--dump", dir.Write("empty.bin", {})}).out);
}

TEST(Stream, PairsWithoutAHexDigitAreAnError) {
  const Outcome outcome = RunVek({"--find-hex", "zz", "/dev/null"});
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.err, "vek: --find-hex: PAIRS hold no hex digit\n");
}

} // namespace
} // namespace vek::cli::test
