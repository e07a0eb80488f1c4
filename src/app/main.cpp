// vek: a hex file viewer and single-byte editor.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QApplication>
#include <QLoggingCategory>
#include <QStandardPaths>

#include "Strings.h"
#include "app/CVekApp.h"
#include "cli/TerminalMode.h"
#include "core/CommandLine.h"
#include "core/Journal.h"
#include "core/JournalLocation.h"
#include "platform/PosixFile.h"
#include "platform/PosixJournalStore.h"
#include "platform/QtUiServices.h"

namespace {

constexpr const char* kUsage =
    "Usage: vek [OPTION]... [--] [FILE]\n"
    "  or:  vek --dump [--start N] [--hex] [--pages K] [--color[=WHEN]] [--] FILE\n"
    "  or:  vek --find TEXT [-i] [--count] [--] FILE\n"
    "  or:  vek --find-hex PAIRS [--count] [--] FILE\n"
    "  or:  vek --compare [--first] [--hex] [--] FILE SECOND\n"
    "  or:  vek --history [--hex] [--] FILE\n"
    "  or:  vek --undo [--all] [--] FILE\n"
    "  or:  vek --undo --all\n"
    "Show FILE a page of 200 bytes at a time, as offsets, hex-words and characters,\n"
    "and change single bytes of it in place.\n"
    "Without FILE, vek asks for a file to open.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "      --         end of options: the next argument is the file, even if it starts with '-'\n"
    "  -r, --read-only  open FILE for reading only: no byte of it can be changed\n"
    "      --no-journal  do not record this run's writes: they cannot be undone after it\n"
    "\n"
    "In a terminal, without a display:\n"
    "      --dump         print FILE page after page, as the window shows it\n"
    "      --start N      begin with the page at offset N (decimal; hex with --hex)\n"
    "      --hex          read N in hex and print offsets in hex (--compare too)\n"
    "      --pages K      print at most K pages\n"
    "      --color[=WHEN] colour each byte by its kind: zero, printable, white space,\n"
    "                     other control, non-ASCII; WHEN is auto (the default: only on\n"
    "                     a terminal, and not when NO_COLOR is set), always or never\n"
    "      --find TEXT    print the offset of every occurrence of TEXT, one per line\n"
    "      --find-hex PAIRS  the same for bytes given as hex pairs (\"4D5A\", blanks ignored)\n"
    "  -i, --ignore-case  with --find: ASCII letters of TEXT match either case\n"
    "      --count        print only the number of occurrences\n"
    "      --compare      print every byte where FILE and SECOND differ: offset, both bytes\n"
    "                     in hex; which one ends first goes to standard error, as cmp says it\n"
    "      --first        with --compare: only the first difference\n"
    "FILE \"-\" reads standard input; pipes, FIFOs and files without a size (/proc)\n"
    "are read as they come, and --start skips that many bytes of them.\n"
    "Exit status: 0 found (or dumped), 1 not found, 2 error;\n"
    "--compare as cmp: 0 the same, 1 different, 2 trouble.\n"
    "\n"
    "vek records every byte it writes in a journal (~/.local/state/vek/), so that it\n"
    "can be taken back, also after vek was closed:\n"
    "      --history      list the recorded writes to FILE, oldest first: the time, the\n"
    "                     offset (hex with --hex), the byte before and after, and\n"
    "                     whether the file still holds it\n"
    "      --undo         take back the newest write to FILE that is still in the file\n"
    "      --all          with --undo: all of them, newest first; without FILE, those of\n"
    "                     every file\n"
    "Each undo first checks that the byte still holds what vek wrote; a byte that another\n"
    "program changed since is left alone. Exit status: 0 undone, 1 nothing to undo,\n"
    "2 error or refused.\n"
    "\n"
    "Other options are ignored. Only the first FILE is opened (and SECOND compared).\n";

bool HaveDisplay() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void NoDisplayExit() {
  std::fputs("vek: no display available (set DISPLAY, or run under xvfb-run)\n", stderr);
  std::_Exit(1);
}

// Qt ends a program it cannot connect to a display with an abort and a trace; one clear line is
// what a person at a terminal needs. Its warnings and errors go to stderr as Qt would print them
// ("category: message"): they name what went wrong with the display, a plug-in or a font.
void MessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    if (message.contains(QLatin1String("display")) || message.contains(QLatin1String("platform plugin"))) NoDisplayExit();
    std::fprintf(stderr, "vek: %s\n", qPrintable(message));
    std::_Exit(2);
  }
  if (type == QtWarningMsg || type == QtCriticalMsg) {
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
  }
}

// Warnings known to be harmless, silenced by category. QT_LOGGING_RULES takes precedence over
// these rules, so a developer can turn any of them on again.
void SilenceHarmlessWarnings() {
  QLoggingCategory::setFilterRules(QStringLiteral(
      // Qt warns of each platform plug-in it cannot find before it tries the next one: in a
      // Wayland session without Qt's Wayland plug-in every start would say that "wayland" is not
      // found, and then run on xcb (XWayland). When no plug-in works, the fatal message says so.
      "qt.qpa.plugin.warning=false\n"));
}

QString ProfilePath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/vek/vek.ini");
}

} // namespace

int main(int argc, char** argv) {
  const vek::CommandLine commandLine = vek::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (commandLine.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (commandLine.version) {
    std::printf("vek %s\nVEK Application\n", VEK_VERSION);
    return 0;
  }
  if (!commandLine.error.empty()) {
    std::fprintf(stderr, "vek: %s\nTry 'vek --help' for more information.\n", commandLine.error.c_str());
    return vek::cli::kExitError;
  }
  // The terminal mode needs no display, so it runs before anything of Qt exists.
  if (commandLine.action != vek::TerminalAction::None) {
    return vek::cli::RunTerminalMode(commandLine, fileno(stdin), stdout, stderr);
  }
  if (!HaveDisplay()) NoDisplayExit();
  qInstallMessageHandler(MessageHandler);
  SilenceHarmlessWarnings();

  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(vek::strings::kAppName));
  vek::QtUiServices ui;
  // The journal of this run's writes, in this user's state directory; none with --no-journal.
  vek::PosixJournalStore journalStore(vek::JournalDirectoryOfThisUser());
  vek::Journal journal(journalStore);
  vek::CVekApp app(ui, vek::RealFileSystem(), ProfilePath(), commandLine.noJournal ? nullptr : &journal);
  if (!app.InitInstance(commandLine)) {
    app.ExitInstance();
    return 1;
  }
  const int status = QApplication::exec();
  app.ExitInstance();
  return status;
}
