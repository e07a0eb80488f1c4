// Find All in the window against `vek --find X --count`, side by side in one run, on a 1 GiB file
// with about a million occurrences whose pages were read from disk: evicted from the page cache
// (posix_fadvise DONTNEED) and read once, as a file is after it was first read.
//
// The window is the real one, on the offscreen platform: the application, the main window and the
// document as the program makes them, and the command of Ctrl+Shift+F, timed until the list's search
// has ended and its last rows are in the table. That is what a person waits for, so the list's
// share (the model taking a million rows, the table laying them out) is in the figure, not only
// the collector's. Each round times both, one after the other; the medians are of all rounds.
//
//   bench_find_all_window [DIR [ROUNDS]]
//
// DIR holds the file (default /tmp; a file of the right size there is used again); ROUNDS
// defaults to 7. The terminal mode is the vek built with this program.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <QApplication>
#include <QTableView>

#include "QuietUi.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CVekApp.h"
#include "core/CommandLine.h"
#include "core/FindAllLimits.h"
#include "core/FileSession.h"
#include "core/PatternParse.h"
#include "platform/PosixFile.h"
#include "tools/FindAllWindow.h"
#include "view/CVekView.h"
#include "view/PageTool.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr long long kFileBytes = 1LL << 30;
constexpr long long kEvery = 1073; // bytes from one occurrence to the next: 1,000,686 of them
constexpr const char* kNeedle = "needle7";
constexpr std::size_t kChunk = std::size_t{1} << 20;

// Random bytes (never "needle7" by chance: the counts are checked) with the needle every kEvery bytes.
void WriteFile(const std::string& path) {
  std::printf("writing %s ...\n", path.c_str());
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) std::exit(2);
  std::vector<char> chunk(kChunk);
  std::uint64_t state = 0x9E3779B97F4A7C15ULL;
  const long long needle = static_cast<long long>(std::strlen(kNeedle));
  for (long long base = 0; base < kFileBytes; base += static_cast<long long>(kChunk)) {
    for (std::size_t i = 0; i < kChunk; i += 8) {
      state ^= state << 13, state ^= state >> 7, state ^= state << 17;
      std::memcpy(chunk.data() + i, &state, 8);
    }
    const long long end = base + static_cast<long long>(kChunk);
    for (long long at = (base - needle + kEvery) / kEvery * kEvery; at < end; at += kEvery) {
      for (long long k = 0; k < needle; ++k) {
        if (at + k >= base && at + k < end) chunk[static_cast<std::size_t>(at + k - base)] = kNeedle[k];
      }
    }
    if (::write(fd, chunk.data(), kChunk) != static_cast<ssize_t>(kChunk)) std::exit(2);
  }
  ::fsync(fd);
  ::close(fd);
}

// Out of the page cache, then read once from the disk.
void ReadFromDisk(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  std::vector<char> chunk(kChunk);
  while (::read(fd, chunk.data(), chunk.size()) > 0) {
  }
  ::close(fd);
}

// `vek ARGS...` to its exit, with what it printed.
double RunVek(const std::vector<std::string>& args, std::string& out) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) std::exit(2);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  std::vector<char*> argv;
  std::string program = VEK_PROGRAM;
  argv.push_back(program.data());
  std::vector<std::string> copies = args;
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const Clock::time_point start = Clock::now();
  pid_t pid = 0;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) std::exit(2);
  ::close(pipeFds[1]);
  out.clear();
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) out.append(buffer, static_cast<std::size_t>(n));
  int status = 0;
  ::waitpid(pid, &status, 0);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  ::close(pipeFds[0]);
  posix_spawn_file_actions_destroy(&actions);
  return seconds;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const std::string dir = argc > 1 ? argv[1] : "/tmp";
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
  const std::string path = dir + "/vek-findall-1g.bin";
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || info.st_size != kFileBytes) WriteFile(path);
  ReadFromDisk(path);

  vek::bench::QuietUi ui;
  const std::string profile = dir + "/vek-findall-bench.ini";
  vek::CVekApp app(ui, vek::RealFileSystem(), QString::fromStdString(profile));
  if (!app.InitInstance(vek::ParseCommandLine({path}))) return 2;
  vek::CVekView* view = app.MainFrame()->ActiveChild()->GetView();
  view->Perform([](vek::FileSession& session, vek::FileSystem&) {
    session.TakePattern(vek::ParsePattern(kNeedle, vek::PatternMode::Ascii).pattern);
    return vek::Outcome{};
  });

  std::vector<double> cli, window, startup;
  std::string out;
  std::uint64_t listed = 0;
  std::uint64_t counted = 0;
  for (int round = 0; round < rounds; ++round) {
    cli.push_back(RunVek({"--find", kNeedle, "--count", path}, out));
    counted = std::stoull(out);
    startup.push_back(RunVek({"--version"}, out));

    const Clock::time_point start = Clock::now();
    view->RequestTool(vek::PageTool::FindAll); // what Ctrl+Shift+F on the page does
    vek::FindAllWindow* list = app.MainFrame()->findChild<vek::FindAllWindow*>();
    if (list == nullptr) return 2;
    while (list->Searching()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    window.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    listed = list->State().count;
    if (list->Rows()->model()->rowCount() != static_cast<int>(std::min<std::uint64_t>(listed, vek::kMaxListedMatches))) return 2;
  }
  std::printf("1 GiB, %llu occurrences of %s (vek --find --count: %llu), pages read from disk and cached; %d rounds\n",
              static_cast<unsigned long long>(listed), kNeedle, static_cast<unsigned long long>(counted), rounds);
  if (!ui.said.isEmpty()) {
    std::printf("the window said: %s\n", qPrintable(ui.said));
    return 1;
  }
  if (listed != counted) {
    std::printf("the counts differ: the timing means nothing\n");
    return 1;
  }
  const auto row = [](const char* name, const std::vector<double>& t, double base) {
    std::printf("| %s | %.3f | %.3f | %.3f | %.2f |\n", name, Median(t), *std::min_element(t.begin(), t.end()),
                *std::max_element(t.begin(), t.end()), Median(t) / base);
  };
  std::printf("| command | median s | min | max | / vek --count |\n|---|---:|---:|---:|---:|\n");
  const double base = Median(cli);
  row("`vek --find needle7 --count`", cli, base);
  row("Find All in the window, to the final count", window, base);
  row("`vek --version` (start-up alone)", startup, base);
  // The list keeps the offsets, 8 MB for a million rows, and reads the bytes of the rows on screen.
  rusage usage {};
  ::getrusage(RUSAGE_SELF, &usage);
  std::printf("peak resident size of the window's process: %ld MiB\n", usage.ru_maxrss / 1024);
  app.ExitInstance();
  return 0;
}
