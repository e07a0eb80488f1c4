#pragma once
// The command line: switches start with '-' ('/' starts an absolute path), "--" ends the switches,
// the first argument that is not a switch names the file to open, the second the file that
// --compare compares it with, and later ones are ignored.
//
// Besides opening a window, the program has a terminal mode that needs no display: --dump prints
// the file's pages as the view shows them, --find and --find-hex print the offset of every match.
// Switches that take a value read it from the next argument, whatever it looks like, or from
// "--switch=value"; --color takes its WHEN only after '=', as grep's does.

#include <optional>
#include <string>
#include <vector>

#include "core/PageGeometry.h"
#include "core/PatternParse.h"

namespace vek {

enum class TerminalAction { None, Dump, Find, History, Undo, Compare };

// --color[=WHEN]: Auto colours only a terminal, and none when NO_COLOR is set (ColorChoice.h).
enum class ColorWhen { Auto, Always, Never };

struct CommandLine {
  bool help = false;
  bool version = false;
  std::optional<std::string> fileName;

  TerminalAction action = TerminalAction::None;
  // --find TEXT (Ascii) or --find-hex PAIRS (Hex): the text as given, parsed as the Find dialog does.
  std::string findText;
  PatternMode findMode = PatternMode::Ascii;
  // --count: the number of matches instead of their offsets. -i / --ignore-case (--find only):
  // ASCII letters match either case.
  bool countOnly = false;
  bool ignoreCase = false;
  // --dump: where to start (--start N, read in the radix --hex picks), whether offsets print in
  // hex (and so do --history's), and how many pages at most (--pages K; all that remain when absent).
  Offset start = 0;
  bool hexOffsets = false;
  std::optional<Offset> pages;
  // --undo --all: every write still in the file, of FILE, or of every file when there is none.
  bool undoAll = false;

  // For the window: --read-only (-r) opens FILE for reading only; --no-journal records no write.
  bool readOnly = false;
  bool noJournal = false;
  // --dump: whether each byte is coloured by its kind.
  ColorWhen color = ColorWhen::Auto;
  // --compare FILE SECOND: the second name on the line, and --first, only the first difference.
  // --hex prints its offsets in hex too.
  std::optional<std::string> secondFileName;
  bool firstOnly = false;

  // A usage error in one line, empty when the line makes sense. --help and --version still work.
  std::string error;
};

// `args` without the program name. Unknown switches are ignored.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

} // namespace vek
