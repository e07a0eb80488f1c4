#include "core/CommandLine.h"

#include <algorithm>
#include <string_view>

#include "core/NumberParse.h"

namespace vek {

namespace {

constexpr int kDecimal = 10;
constexpr int kHex = 16;

bool IsDigitOf(char c, int base) {
  if (c >= '0' && c <= '9') return true;
  if (base != kHex) return false;
  return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// A number for the terminal: only digits of the base (and "0x" in hex). The Start field takes
// any text, but at a prompt a typo must not quietly become offset 0.
std::optional<Offset> StrictNumber(std::string_view text, int base) {
  std::string_view digits = text;
  if (base == kHex && digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
    digits.remove_prefix(2);
  }
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [base](char c) { return IsDigitOf(c, base); })) {
    return std::nullopt;
  }
  return StrToOffset(text, base); // a number too large for an offset becomes the largest one
}

// What the switches said, before the values that depend on each other are checked.
struct Collected {
  std::optional<std::string> startText;
  std::optional<std::string> pagesText;
  std::optional<std::string> colorName;      // as typed: --color or --colour
  std::optional<std::string> ignoreCaseName; // as typed: -i or --ignore-case
  int actions = 0;
};

std::optional<ColorWhen> ParseColorWhen(std::string_view text) {
  if (text == "auto") return ColorWhen::Auto;
  if (text == "always") return ColorWhen::Always;
  if (text == "never") return ColorWhen::Never;
  return std::nullopt;
}

class Parser {
 public:
  explicit Parser(const std::vector<std::string>& args) : m_args(args) {}

  CommandLine Run() {
    bool switchesEnded = false;
    for (m_next = 0; m_next < m_args.size();) {
      const std::string& arg = m_args[m_next++];
      // A lone "-" is a name: the terminal mode reads standard input for it, as grep and xxd do;
      // the window opens a file called "-" in the current directory.
      const bool isSwitch = !switchesEnded && arg.size() > 1 && arg[0] == '-';
      if (!isSwitch) {
        if (!m_line.fileName) {
          m_line.fileName = arg;
        } else if (!m_line.secondFileName) {
          m_line.secondFileName = arg;
        }
      } else if (arg == "--") {
        switchesEnded = true;
      } else {
        Switch(arg);
      }
    }
    Check();
    return m_line;
  }

 private:
  void Switch(const std::string& arg) {
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const std::optional<std::string> inlineValue =
        equals == std::string::npos ? std::nullopt : std::optional<std::string>(arg.substr(equals + 1));

    if (arg == "--help" || arg == "-h") {
      m_line.help = true;
    } else if (arg == "--version") {
      m_line.version = true;
    } else if (arg == "--dump") {
      SetAction(TerminalAction::Dump);
    } else if (arg == "--compare") {
      SetAction(TerminalAction::Compare);
    } else if (arg == "--first") {
      m_line.firstOnly = true;
    } else if (arg == "--hex") {
      m_line.hexOffsets = true;
    } else if (name == "--find" || name == "--find-hex") {
      if (const auto text = Value(name, inlineValue)) {
        SetAction(TerminalAction::Find);
        m_line.findText = *text;
        m_line.findMode = name == "--find" ? PatternMode::Ascii : PatternMode::Hex;
      }
    } else if (arg == "--history") {
      SetAction(TerminalAction::History);
    } else if (arg == "--undo") {
      SetAction(TerminalAction::Undo);
    } else if (arg == "--all") {
      m_line.undoAll = true;
    } else if (arg == "--read-only" || arg == "-r") {
      m_line.readOnly = true;
    } else if (arg == "--no-journal") {
      m_line.noJournal = true;
    } else if (arg == "--count") {
      m_line.countOnly = true;
    } else if (arg == "-i" || arg == "--ignore-case") {
      m_line.ignoreCase = true;
      m_collected.ignoreCaseName = arg;
    } else if (name == "--color" || name == "--colour") {
      // The value only after '=': "--color FILE" must leave FILE the file.
      m_collected.colorName = name;
      const auto when = inlineValue ? ParseColorWhen(*inlineValue) : ColorWhen::Auto;
      if (when) {
        m_line.color = *when;
      } else {
        Fail("'" + *inlineValue + "' is not a WHEN for " + name + ": use always, never or auto");
      }
    } else if (name == "--start") {
      if (const auto text = Value(name, inlineValue)) m_collected.startText = *text;
    } else if (name == "--pages") {
      if (const auto text = Value(name, inlineValue)) m_collected.pagesText = *text;
    }
  }

  // The switch's value: after '=', or else the next argument, taken as it is even when it starts
  // with '-' (a search text may).
  std::optional<std::string> Value(const std::string& name, const std::optional<std::string>& inlineValue) {
    if (inlineValue) return inlineValue;
    if (m_next < m_args.size()) return m_args[m_next++];
    Fail("option '" + name + "' needs a value");
    return std::nullopt;
  }

  void SetAction(TerminalAction action) {
    if (++m_collected.actions > 1) Fail("use only one of --dump, --find, --find-hex, --history, --undo and --compare");
    m_line.action = action;
  }

  void Fail(std::string message) {
    if (m_line.error.empty()) m_line.error = std::move(message);
  }

  std::string ActionName() const {
    switch (m_line.action) {
      case TerminalAction::Dump: return "--dump";
      case TerminalAction::Find: return m_line.findMode == PatternMode::Ascii ? "--find" : "--find-hex";
      case TerminalAction::History: return "--history";
      case TerminalAction::Undo: return "--undo";
      case TerminalAction::Compare: return "--compare";
      case TerminalAction::None: break;
    }
    return "";
  }

  void CheckJournalSwitches() {
    const bool history = m_line.action == TerminalAction::History;
    const bool undo = m_line.action == TerminalAction::Undo;
    if (m_line.undoAll && !undo) Fail("option '--all' goes only with --undo");
    if ((history || undo) && m_line.noJournal) Fail(ActionName() + " works from the journal; it does not go with --no-journal");
    if (undo && m_line.readOnly) Fail("--undo writes; it does not go with --read-only");
  }

  void Check() {
    const bool dump = m_line.action == TerminalAction::Dump;
    CheckJournalSwitches();
    const bool find = m_line.action == TerminalAction::Find;
    if (!dump) {
      if (m_collected.startText) Fail("option '--start' goes only with --dump");
      if (m_line.hexOffsets && m_line.action != TerminalAction::History && m_line.action != TerminalAction::Compare) {
        Fail("option '--hex' goes only with --dump, --history and --compare");
      }
      if (m_collected.pagesText) Fail("option '--pages' goes only with --dump");
      if (m_collected.colorName) Fail("option '" + *m_collected.colorName + "' goes only with --dump");
    }
    if (!find && m_line.countOnly) Fail("option '--count' goes only with --find and --find-hex");
    // PAIRS are bytes, not letters: folding them would find bytes that were not asked for.
    if (m_collected.ignoreCaseName && !find) Fail("option '" + *m_collected.ignoreCaseName + "' goes only with --find");
    if (m_collected.ignoreCaseName && find && m_line.findMode == PatternMode::Hex) {
      Fail("option '" + *m_collected.ignoreCaseName + "' does not go with --find-hex: PAIRS are bytes, not letters");
    }
    if (m_line.action == TerminalAction::Find && m_line.findText.empty()) {
      Fail(m_line.findMode == PatternMode::Ascii ? "--find needs a TEXT that is not empty"
                                                : "--find-hex needs PAIRS that are not empty");
    }
    if (m_line.firstOnly && m_line.action != TerminalAction::Compare) Fail("option '--first' goes only with --compare");
    if (m_line.action == TerminalAction::Compare && !m_line.secondFileName) Fail("--compare needs two FILEs");
    const bool everyFile = m_line.action == TerminalAction::Undo && m_line.undoAll;
    if (m_line.action != TerminalAction::None && !m_line.fileName && !everyFile) {
      Fail(ActionName() + (m_line.action == TerminalAction::Undo ? " needs a FILE, or --all" : " needs a FILE"));
    }
    if (dump && m_collected.startText) {
      const auto start = StrictNumber(*m_collected.startText, m_line.hexOffsets ? kHex : kDecimal);
      if (start) {
        m_line.start = *start;
      } else {
        Fail("'" + *m_collected.startText + "' is not a " + (m_line.hexOffsets ? "hex" : "decimal") +
             " offset for --start");
      }
    }
    if (dump && m_collected.pagesText) {
      const auto pages = StrictNumber(*m_collected.pagesText, kDecimal);
      if (pages && *pages > 0) {
        m_line.pages = *pages;
      } else {
        Fail("'" + *m_collected.pagesText + "' is not a page count above 0 for --pages");
      }
    }
  }

  const std::vector<std::string>& m_args;
  std::size_t m_next = 0;
  CommandLine m_line;
  Collected m_collected;
};

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  return Parser(args).Run();
}

} // namespace vek
