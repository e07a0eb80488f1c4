#include "core/CommandLine.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace vek {
namespace {

using Args = std::vector<std::string>;

// What a command line should come to; fields left at their defaults must stay so.
struct Expected {
  std::optional<std::string> fileName;
  bool help = false;
  bool version = false;
};

struct FileCase {
  const char* name;
  Args args;
  Expected expected;
};

class OpeningAWindow : public testing::TestWithParam<FileCase> {};

TEST_P(OpeningAWindow, FindsTheFileAndTheSwitches) {
  const FileCase& c = GetParam();
  const CommandLine line = ParseCommandLine(c.args);
  EXPECT_EQ(line.fileName, c.expected.fileName);
  EXPECT_EQ(line.help, c.expected.help);
  EXPECT_EQ(line.version, c.expected.version);
  EXPECT_EQ(line.action, TerminalAction::None);
  EXPECT_EQ(line.error, "");
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, OpeningAWindow,
    testing::Values(
        FileCase{"Nothing", {}, {}},
        FileCase{"PlainFile", {"data.bin"}, {"data.bin"}},
        FileCase{"AbsolutePathIsNotASwitch", {"/tmp/data.bin"}, {"/tmp/data.bin"}},
        FileCase{"RootAlone", {"/"}, {"/"}},
        FileCase{"LaterFilesIgnored", {"a.bin", "b.bin", "/c"}, {"a.bin"}},
        FileCase{"DashAloneIsAFileName", {"-"}, {"-"}},
        FileCase{"UnknownSwitchesIgnored", {"-x", "--verbose", "--dump=x", "f"}, {"f"}},
        FileCase{"DoubleDashEndsSwitches", {"--", "-name.bin"}, {"-name.bin"}},
        FileCase{"SwitchLookalikeAfterDoubleDash", {"--", "--help"}, {"--help"}},
        FileCase{"SecondDoubleDashIsAFile", {"--", "--", "x"}, {"--"}},
        FileCase{"SwitchesAfterTheFileStillCount", {"f", "--version"}, {"f", false, true}},
        FileCase{"ShortHelp", {"-h"}, {std::nullopt, true}},
        FileCase{"LongHelp", {"--help", "f"}, {"f", true}},
        FileCase{"Version", {"--version"}, {std::nullopt, false, true}},
        FileCase{"SpacesAndNonAscii", {"my file \xC3\xA9.bin"}, {"my file \xC3\xA9.bin"}}),
    [](const testing::TestParamInfo<FileCase>& info) { return std::string(info.param.name); });

TEST(CommandLineDump, TakesTheFileAndDefaultsToTheFirstPageInDecimal) {
  const CommandLine line = ParseCommandLine({"--dump", "data.bin"});
  EXPECT_EQ(line.error, "");
  EXPECT_EQ(line.action, TerminalAction::Dump);
  EXPECT_EQ(line.fileName, "data.bin");
  EXPECT_EQ(line.start, 0);
  EXPECT_FALSE(line.hexOffsets);
  EXPECT_EQ(line.pages, std::nullopt);
}

TEST(CommandLineDump, ReadsTheStartInTheRadixOfHexWhereverHexStands) {
  struct Case {
    Args args;
    Offset start;
    bool hex;
  };
  const Case cases[] = {
      {{"--dump", "f", "--start", "400"}, 400, false},
      {{"--dump", "f", "--start", "400", "--hex"}, 0x400, true},
      {{"--hex", "--start", "1fA", "--dump", "f"}, 0x1FA, true},
      {{"--dump", "f", "--hex", "--start=0x10"}, 0x10, true},
      {{"--dump", "--start", "9223372036854775808", "f"}, std::numeric_limits<Offset>::max(), false},
  };
  for (const Case& c : cases) {
    const CommandLine line = ParseCommandLine(c.args);
    SCOPED_TRACE(c.args[2]);
    EXPECT_EQ(line.error, "");
    EXPECT_EQ(line.fileName, "f");
    EXPECT_EQ(line.start, c.start);
    EXPECT_EQ(line.hexOffsets, c.hex);
  }
}

TEST(CommandLineDump, TakesAPageCount) {
  const CommandLine line = ParseCommandLine({"--dump", "--pages", "3", "f"});
  EXPECT_EQ(line.error, "");
  EXPECT_EQ(line.pages, 3);
}

TEST(CommandLineDump, AFileStartingWithDashFollowsDoubleDash) {
  const CommandLine line = ParseCommandLine({"--dump", "--", "-odd.bin"});
  EXPECT_EQ(line.error, "");
  EXPECT_EQ(line.fileName, "-odd.bin");
}

TEST(CommandLineFind, TakesTheNextArgumentAsTheTextWhateverItLooksLike) {
  struct Case {
    Args args;
    std::string text;
    PatternMode mode;
    std::string file;
  };
  const Case cases[] = {
      {{"--find", "needle", "hay.bin"}, "needle", PatternMode::Ascii, "hay.bin"},
      {{"hay.bin", "--find", "needle"}, "needle", PatternMode::Ascii, "hay.bin"},
      {{"--find", "-v", "hay.bin"}, "-v", PatternMode::Ascii, "hay.bin"},
      {{"--find", "--help", "hay.bin"}, "--help", PatternMode::Ascii, "hay.bin"},
      {{"--find", "/etc", "/hay"}, "/etc", PatternMode::Ascii, "/hay"},
      {{"--find=a=b", "hay.bin"}, "a=b", PatternMode::Ascii, "hay.bin"},
      {{"--find", "two words", "--", "-hay"}, "two words", PatternMode::Ascii, "-hay"},
      {{"--find-hex", "4D 5A", "hay.bin"}, "4D 5A", PatternMode::Hex, "hay.bin"},
      {{"--find-hex=00ff", "hay.bin"}, "00ff", PatternMode::Hex, "hay.bin"},
  };
  for (const Case& c : cases) {
    const CommandLine line = ParseCommandLine(c.args);
    SCOPED_TRACE(c.text);
    EXPECT_EQ(line.error, "");
    EXPECT_FALSE(line.help);
    EXPECT_EQ(line.action, TerminalAction::Find);
    EXPECT_EQ(line.findText, c.text);
    EXPECT_EQ(line.findMode, c.mode);
    EXPECT_EQ(line.fileName, c.file);
  }
}

TEST(CommandLineFind, CountAndIgnoreCaseStandAnywhereButRightAfterFind) {
  struct Case {
    Args args;
    std::string text;
    bool count;
    bool ignoreCase;
    std::string file;
  };
  const Case cases[] = {
      {{"--find", "x", "f"}, "x", false, false, "f"},
      {{"--find", "x", "--count", "f"}, "x", true, false, "f"},
      {{"--count", "--find-hex", "41", "f"}, "41", true, false, "f"},
      {{"-i", "--find", "x", "f"}, "x", false, true, "f"},
      {{"--find", "x", "f", "--ignore-case", "--count"}, "x", true, true, "f"},
      // --find takes the next argument as its TEXT, whatever it looks like, as for any value.
      {{"--find", "-i", "f", "g"}, "-i", false, false, "f"},
      {{"--find", "--count", "f", "g"}, "--count", false, false, "f"},
  };
  for (const Case& c : cases) {
    const CommandLine line = ParseCommandLine(c.args);
    SCOPED_TRACE(testing::PrintToString(c.args));
    EXPECT_EQ(line.error, "");
    EXPECT_EQ(line.findText, c.text);
    EXPECT_EQ(line.countOnly, c.count);
    EXPECT_EQ(line.ignoreCase, c.ignoreCase);
    EXPECT_EQ(line.fileName, c.file);
  }
}

TEST(CommandLineDump, ColorTakesItsWhenOnlyAfterAnEqualsSign) {
  struct Case {
    Args args;
    ColorWhen color;
    std::string file;
  };
  const Case cases[] = {
      {{"--dump", "f"}, ColorWhen::Auto, "f"},
      {{"--dump", "--color", "f"}, ColorWhen::Auto, "f"},
      {{"--dump", "--color=auto", "f"}, ColorWhen::Auto, "f"},
      {{"--dump", "--color=always", "f"}, ColorWhen::Always, "f"},
      {{"--color=never", "--dump", "f"}, ColorWhen::Never, "f"},
      {{"--dump", "--colour=always", "f"}, ColorWhen::Always, "f"},
      {{"--dump", "--color=always", "--color=never", "f"}, ColorWhen::Never, "f"}, // the last one counts
      {{"--dump", "--color", "always"}, ColorWhen::Auto, "always"},
  };
  for (const Case& c : cases) {
    const CommandLine line = ParseCommandLine(c.args);
    SCOPED_TRACE(testing::PrintToString(c.args));
    EXPECT_EQ(line.error, "");
    EXPECT_EQ(line.color, c.color);
    EXPECT_EQ(line.fileName, c.file);
  }
}

TEST(CommandLineCompare, TakesTwoNamesWithTheSwitchesInAnyOrderAroundThem) {
  struct Case {
    Args args;
    const char* first;
    const char* second;
    bool hex;
    bool firstOnly;
  };
  const Case cases[] = {
      {{"--compare", "a", "b"}, "a", "b", false, false},
      {{"a", "--compare", "b"}, "a", "b", false, false},
      {{"a", "b", "--compare", "--hex"}, "a", "b", true, false},
      {{"--first", "a", "--hex", "b", "--compare"}, "a", "b", true, true},
      {{"--compare", "-", "/b"}, "-", "/b", false, false},
      {{"--compare", "--", "-a", "--first"}, "-a", "--first", false, false},
      {{"--compare", "a", "b", "c"}, "a", "b", false, false},
  };
  for (const Case& c : cases) {
    const CommandLine line = ParseCommandLine(c.args);
    SCOPED_TRACE(testing::PrintToString(c.args));
    EXPECT_EQ(line.error, "");
    EXPECT_EQ(line.action, TerminalAction::Compare);
    EXPECT_EQ(line.fileName, c.first);
    EXPECT_EQ(line.secondFileName, c.second);
    EXPECT_EQ(line.hexOffsets, c.hex);
    EXPECT_EQ(line.firstOnly, c.firstOnly);
  }
}

TEST(CommandLineErrors, MissingOperandsAndMisplacedSwitchesAreUsageErrors) {
  struct Case {
    Args args;
    const char* mentions;
  };
  const Case cases[] = {
      {{"--find"}, "--find"},
      {{"f", "--find-hex"}, "--find-hex"},
      {{"--dump", "f", "--start"}, "--start"},
      {{"--dump", "f", "--pages"}, "--pages"},
      {{"--dump"}, "FILE"},
      {{"--find", "x"}, "FILE"},
      {{"--find-hex", "41", "--"}, "FILE"},
      {{"--find", "", "f"}, "empty"},
      {{"--dump", "f", "--start", "12x"}, "12x"},
      {{"--dump", "f", "--start", "ff"}, "decimal"},
      {{"--dump", "f", "--start", "-5"}, "-5"},
      {{"--dump", "f", "--start", ""}, "--start"},
      {{"--dump", "f", "--hex", "--start", "0x"}, "hex"},
      {{"--dump", "f", "--pages", "0"}, "--pages"},
      {{"--dump", "f", "--find", "x"}, "only one"},
      {{"--find", "x", "--find-hex", "41", "f"}, "only one"},
      {{"--hex", "f"}, "--hex"},
      {{"--start", "5", "f"}, "--start"},
      {{"--find", "x", "--pages", "2", "f"}, "--pages"},
      {{"--dump", "f", "--color=blue"}, "'blue' is not a WHEN for --color: use always, never or auto"},
      {{"--dump", "f", "--color="}, "'' is not a WHEN"},
      {{"--dump", "f", "--colour=yes"}, "--colour"},
      {{"--find", "x", "--color", "f"}, "option '--color' goes only with --dump"},
      {{"--color=always", "f"}, "option '--color' goes only with --dump"},
      {{"--dump", "f", "--count"}, "option '--count' goes only with --find and --find-hex"},
      {{"--count", "f"}, "--count"},
      {{"--dump", "-i", "f"}, "option '-i' goes only with --find"},
      {{"--ignore-case", "f"}, "option '--ignore-case' goes only with --find"},
      {{"--find-hex", "41", "-i", "f"}, "option '-i' does not go with --find-hex: PAIRS are bytes, not letters"},
      {{"--compare", "a"}, "two FILEs"},
      {{"--compare"}, "two FILEs"},
      {{"--first", "a", "b"}, "--first"},
      {{"--find", "x", "--first", "a"}, "--first"},
      {{"--compare", "a", "b", "--dump"}, "only one"},
      {{"--compare", "a", "b", "--start", "4"}, "--start"},
  };
  for (const Case& c : cases) {
    const CommandLine line = ParseCommandLine(c.args);
    SCOPED_TRACE(testing::PrintToString(c.args));
    EXPECT_NE(line.error.find(c.mentions), std::string::npos) << line.error;
    EXPECT_EQ(line.error.find('\n'), std::string::npos); // one line
  }
}

TEST(CommandLineJournal, TakesHistoryUndoAndTheWindowsSwitches) {
  struct Case {
    Args args;
    TerminalAction action;
    std::optional<std::string> file;
    bool all, hex, readOnly, noJournal;
  };
  using A = TerminalAction;
  const Case cases[] = {
      {{"--history", "f"}, A::History, "f", false, false, false, false},
      {{"--history", "--hex", "f"}, A::History, "f", false, true, false, false},
      {{"--undo", "f"}, A::Undo, "f", false, false, false, false},
      {{"--undo", "--all"}, A::Undo, std::nullopt, true, false, false, false},
      {{"--all", "--undo", "f"}, A::Undo, "f", true, false, false, false},
      {{"-r", "f"}, A::None, "f", false, false, true, false},
      {{"--read-only", "--no-journal", "f"}, A::None, "f", false, false, true, true},
      {{"--dump", "--read-only", "f"}, A::Dump, "f", false, false, true, false},
  };
  for (const Case& c : cases) {
    const CommandLine line = ParseCommandLine(c.args);
    SCOPED_TRACE(testing::PrintToString(c.args));
    EXPECT_EQ(line.error, "");
    EXPECT_EQ(line.action, c.action);
    EXPECT_EQ(line.fileName, c.file);
    EXPECT_EQ(line.undoAll, c.all);
    EXPECT_EQ(line.hexOffsets, c.hex);
    EXPECT_EQ(line.readOnly, c.readOnly);
    EXPECT_EQ(line.noJournal, c.noJournal);
  }
}

TEST(CommandLineErrors, HelpAndVersionStillWorkBesideAnError) {
  const CommandLine help = ParseCommandLine({"--find", "--help"});
  EXPECT_FALSE(help.error.empty()); // "--help" is the TEXT here, so FILE is missing
  EXPECT_FALSE(help.help);

  const CommandLine both = ParseCommandLine({"--help", "--dump"});
  EXPECT_TRUE(both.help);
  EXPECT_FALSE(both.error.empty());
}

} // namespace
} // namespace vek
