// The window's Next difference to a difference 1 GiB in, against `cat A B > /dev/null`, in one run.
//
//   bench_window_compare [DIR [ROUNDS]]
//
// Two files of 1 GiB in DIR (default /tmp), the same but for one byte 4 KiB before their end,
// written once and kept for the next run. The program builds the application as the widget tests
// do (the real CVekApp, main window, document windows and views, on the offscreen platform unless
// QT_QPA_PLATFORM says otherwise), opens both files, pairs the two views through the "Compare with"
// list of the first page's menu, and then, ROUNDS times (default 5), taking turns with cat:
// the files' pages are read from disk (posix_fadvise(DONTNEED), then read once, as a person's
// files usually are in the page cache), and the time is taken of
//   - cat A B > /dev/null;
//   - the page menu's Next difference from byte 0 of the first view, until both views show the
//     difference selected (the compare on every core, the two page reads, the marks).
// Prints each round, the medians and their ratio (the goal: at most 1.5).

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QTemporaryDir>

#include "BenchFile.h"
#include "QuietUi.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "app/CVekDoc.h"
#include "app/CVekApp.h"
#include "core/FileSession.h"
#include "platform/PosixFile.h"
#include "view/CVekView.h"

extern char** environ;

namespace {

constexpr long long kFileBytes = 1LL << 30;
constexpr long long kDifferenceAt = kFileBytes - 4096;
constexpr std::size_t kReadBlock = std::size_t{1} << 20;

using Clock = std::chrono::steady_clock;

bool Fail(const std::string& what) {
  std::fprintf(stderr, "bench_window_compare: %s\n", what.c_str());
  return false;
}

constexpr int kTrouble = 2;

int Quit(const std::string& what) {
  Fail(what);
  return kTrouble;
}

// The two files, written when they are not there yet: B is A with one byte changed.
bool MakeFiles(const std::string& a, const std::string& b) {
  for (const std::string& path : {a, b}) {
    if (QFileInfo(QString::fromStdString(path)).size() == kFileBytes) continue;
    std::printf("writing %s ...\n", path.c_str());
    const std::string made = vek::bench::MakeFile(kFileBytes);
    if (std::rename(made.c_str(), path.c_str()) != 0) return Fail("cannot move " + made + " to " + path);
  }
  const int fd = ::open(b.c_str(), O_WRONLY | O_CLOEXEC);
  const char changed = 'X';
  const bool written = fd >= 0 && ::pwrite(fd, &changed, 1, kDifferenceAt) == 1;
  if (fd >= 0) ::close(fd);
  return written || Fail("cannot write " + b);
}

// The file's pages as a file read from disk has them: dropped from the cache, then read once.
bool FromDisk(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Fail("cannot open " + path);
  ::fdatasync(fd); // only clean pages are dropped
  ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
  std::vector<char> block(kReadBlock);
  while (::read(fd, block.data(), block.size()) > 0) {
  }
  ::close(fd);
  return true;
}

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// cat A B > /dev/null, in seconds; negative when it could not run.
double TimeCat(const std::string& a, const std::string& b) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  std::string program = "cat";
  std::vector<char*> argv = {program.data(), const_cast<char*>(a.c_str()), const_cast<char*>(b.c_str()), nullptr};
  const Clock::time_point start = Clock::now();
  pid_t child = 0;
  const int spawned = posix_spawnp(&child, "cat", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (spawned != 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return Seconds(start);
}

QAction* PageCommand(const vek::CVekView& view, const QString& text) {
  for (QAction* action : view.PageWidget()->actions()) {
    if (action->text() == text) return action;
  }
  return nullptr;
}

// Pairs `view` with the other window through the "Compare with" list of its page's menu.
bool Pair(const vek::CVekView& view) {
  QAction* compareWith = PageCommand(view, QStringLiteral("Co&mpare with"));
  if (compareWith == nullptr || compareWith->menu() == nullptr) return Fail("no Compare with in the page's menu");
  QMenu* list = compareWith->menu();
  list->popup(QPoint());
  const QList<QAction*> items = list->actions();
  list->hide();
  if (items.size() != 1 || !items.front()->isEnabled()) return Fail("the list does not offer the other window");
  items.front()->trigger();
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qt(argc, argv);
  const std::string dir = argc > 1 ? argv[1] : "/tmp";
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const std::string a = dir + "/vek-window-compare-a.bin";
  const std::string b = dir + "/vek-window-compare-b.bin";
  if (!MakeFiles(a, b)) return kTrouble;

  QTemporaryDir profile;
  vek::bench::QuietUi ui;
  vek::CVekApp app(ui, vek::RealFileSystem(), profile.filePath(QStringLiteral("vek.ini")));
  if (!app.InitInstance(vek::ParseCommandLine({a}))) return Quit("vek did not start on " + a);
  if (app.OpenDocumentFile(b) == nullptr) return Quit("vek did not open " + b);
  QApplication::processEvents();
  vek::CVekView* first = nullptr;
  vek::CVekView* second = nullptr;
  for (vek::CChildFrame* child : app.MainFrame()->Children()) {
    (child->GetDocument()->GetPathName() == a ? first : second) = child->GetView();
  }
  if (first == nullptr || second == nullptr || !Pair(*first)) return kTrouble;
  QAction* next = PageCommand(*first, QStringLiteral("Ne&xt difference"));
  if (next == nullptr || !next->isEnabled()) return Quit("Next difference is not at hand");

  std::printf("Next difference to offset %lld of two 1 GiB files, pages read from disk before each run\n", kDifferenceAt);
  std::printf("%-6s %10s %10s\n", "round", "cat A B", "window");
  std::vector<double> cats;
  std::vector<double> windows;
  for (int round = 1; round <= rounds; ++round) {
    if (!FromDisk(a) || !FromDisk(b)) return kTrouble;
    const double cat = TimeCat(a, b);
    if (cat < 0) return Quit("cat failed");
    first->GoTo(0); // byte 0 selected in both views, whose pages the pairing keeps together
    QApplication::processEvents();
    if (!FromDisk(a) || !FromDisk(b)) return kTrouble;
    const Clock::time_point start = Clock::now();
    next->trigger();
    const double window = Seconds(start);
    const auto landed = [](const vek::CVekView* view) { return view->Session().SelectedOffset() == kDifferenceAt; };
    if (!landed(first) || !landed(second)) {
      return Quit("Next difference did not select offset " + std::to_string(kDifferenceAt) + ": " +
                  first->PositionLine().toStdString() + " / " + ui.said.toStdString());
    }
    QApplication::processEvents(); // the repaints it asked for, outside the figure
    cats.push_back(cat);
    windows.push_back(window);
    std::printf("%-6d %9.3fs %9.3fs\n", round, cat, window);
  }
  const double cat = Median(cats);
  const double window = Median(windows);
  std::printf("median %9.3fs %9.3fs   window / cat = %.2f (goal: at most 1.5)\n", cat, window, window / cat);
  app.ExitInstance();
  return 0;
}
