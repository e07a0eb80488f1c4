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
  int actions = 0;
};

class Parser {
 public:
  explicit Parser(const std::vector<std::string>& args) : args_(args) {}

  CommandLine Run() {
    bool switchesEnded = false;
    for (next_ = 0; next_ < args_.size();) {
      const std::string& arg = args_[next_++];
      // A lone "-" is a name: the terminal mode reads standard input for it, as grep and xxd do;
      // the window opens a file called "-" in the current directory.
      const bool isSwitch = !switchesEnded && arg.size() > 1 && arg[0] == '-';
      if (!isSwitch) {
        if (!line_.fileName) line_.fileName = arg;
      } else if (arg == "--") {
        switchesEnded = true;
      } else {
        Switch(arg);
      }
    }
    Check();
    return line_;
  }

 private:
  void Switch(const std::string& arg) {
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const std::optional<std::string> inlineValue =
        equals == std::string::npos ? std::nullopt : std::optional<std::string>(arg.substr(equals + 1));

    if (arg == "--help" || arg == "-h") {
      line_.help = true;
    } else if (arg == "--version") {
      line_.version = true;
    } else if (arg == "--dump") {
      SetAction(TerminalAction::Dump);
    } else if (arg == "--hex") {
      line_.hexOffsets = true;
    } else if (name == "--find" || name == "--find-hex") {
      if (const auto text = Value(name, inlineValue)) {
        SetAction(TerminalAction::Find);
        line_.findText = *text;
        line_.findMode = name == "--find" ? PatternMode::Ascii : PatternMode::Hex;
      }
    } else if (name == "--start") {
      if (const auto text = Value(name, inlineValue)) collected_.startText = *text;
    } else if (name == "--pages") {
      if (const auto text = Value(name, inlineValue)) collected_.pagesText = *text;
    }
  }

  // The switch's value: after '=', or else the next argument, taken as it is even when it starts
  // with '-' (a search text may).
  std::optional<std::string> Value(const std::string& name, const std::optional<std::string>& inlineValue) {
    if (inlineValue) return inlineValue;
    if (next_ < args_.size()) return args_[next_++];
    Fail("option '" + name + "' needs a value");
    return std::nullopt;
  }

  void SetAction(TerminalAction action) {
    if (++collected_.actions > 1) Fail("use only one of --dump, --find and --find-hex");
    line_.action = action;
  }

  void Fail(std::string message) {
    if (line_.error.empty()) line_.error = std::move(message);
  }

  void Check() {
    const bool dump = line_.action == TerminalAction::Dump;
    if (!dump) {
      if (collected_.startText) Fail("option '--start' goes only with --dump");
      if (line_.hexOffsets) Fail("option '--hex' goes only with --dump");
      if (collected_.pagesText) Fail("option '--pages' goes only with --dump");
    }
    if (line_.action == TerminalAction::Find && line_.findText.empty()) {
      Fail(line_.findMode == PatternMode::Ascii ? "--find needs a TEXT that is not empty"
                                                : "--find-hex needs PAIRS that are not empty");
    }
    if (line_.action != TerminalAction::None && !line_.fileName) {
      Fail(std::string(dump ? "--dump" : line_.findMode == PatternMode::Ascii ? "--find" : "--find-hex") +
           " needs a FILE");
    }
    if (dump && collected_.startText) {
      const auto start = StrictNumber(*collected_.startText, line_.hexOffsets ? kHex : kDecimal);
      if (start) {
        line_.start = *start;
      } else {
        Fail("'" + *collected_.startText + "' is not a " + (line_.hexOffsets ? "hex" : "decimal") +
             " offset for --start");
      }
    }
    if (dump && collected_.pagesText) {
      const auto pages = StrictNumber(*collected_.pagesText, kDecimal);
      if (pages && *pages > 0) {
        line_.pages = *pages;
      } else {
        Fail("'" + *collected_.pagesText + "' is not a page count above 0 for --pages");
      }
    }
  }

  const std::vector<std::string>& args_;
  std::size_t next_ = 0;
  CommandLine line_;
  Collected collected_;
};

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  return Parser(args).Run();
}

} // namespace vek
