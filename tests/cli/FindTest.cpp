#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "cli/TerminalMode.h"
#include "core/ByteScan.h"
#include "core/SearchLimits.h"

namespace vek::cli::test {
namespace {

std::string Lines(const std::vector<std::int64_t>& offsets) {
  std::ostringstream text;
  for (const auto at : offsets) text << at << '\n';
  return text.str();
}

TEST(TerminalFind, PrintsTheOffsetsOfARealFileOnePerLine) {
  TempDir dir;
  const Bytes bytes = RandomBytes(kSearchBlockBytes + 777, 5, "hello world");
  const std::string path = dir.Write("text.bin", bytes);
  const Outcome found = RunVek({"--find", "lo", path});
  EXPECT_EQ(found.status, kExitFound);
  EXPECT_EQ(found.out, Lines(NaiveFindAll(bytes, {'l', 'o'})));
  EXPECT_EQ(found.err, "");
}

TEST(TerminalFind, HexPairsAreParsedAsTheFindDialogParsesThem) {
  TempDir dir;
  const std::string path = dir.Write("exe.bin", {0x00, 0x4D, 0x5A, 0x90, 0x4D, 0x5A, 0x4D});
  EXPECT_EQ(RunVek({"--find-hex", "4d5a", path}).out, "1\n4\n");
  EXPECT_EQ(RunVek({"--find-hex", "4D 5A 9", path}).out, "1\n4\n"); // an odd last digit is dropped
  EXPECT_EQ(RunVek({"--find-hex", "5A90", path}).out, "2\n");
  const Outcome none = RunVek({"--find-hex", "FFFF", path});
  EXPECT_EQ(none.status, kExitNotFound);
  EXPECT_EQ(none.out, "");
}

TEST(TerminalFind, TextIsMatchedByteForByteWithoutCaseFolding) {
  TempDir dir;
  const std::string path = dir.Write("mixed.bin", {'A', 'b', 'a', 'B', 0xE9, 'a'});
  EXPECT_EQ(RunVek({"--find", "aB", path}).out, "2\n");
  EXPECT_EQ(RunVek({"--find", "\xE9", path}).out, "4\n"); // a byte of argv, not a UTF-8 character
  EXPECT_EQ(RunVek({"--find", "ab", path}).status, kExitNotFound);
}

TEST(TerminalFind, IgnoreCaseLetsAsciiLettersMatchEitherCaseAndNothingElse) {
  TempDir dir;
  // Letters, their case-bit neighbours and a Latin letter in both cases, over a block seam.
  const Bytes bytes = RandomBytes(2 * kSearchBlockBytes + 777, 9, "aAbB@`\xC1\xE1");
  const std::string path = dir.Write("cases.bin", bytes);
  for (const std::string text : {"ab", "Ba@", "A`", "\xE1"}) {
    SCOPED_TRACE(text);
    const Bytes pattern(text.begin(), text.end());
    const std::vector<std::int64_t> expected = NaiveFindAll(bytes, pattern, true);
    ASSERT_FALSE(expected.empty());
    for (const char* spelling : {"-i", "--ignore-case"}) {
      const Outcome found = RunVek({spelling, "--find", text, path});
      EXPECT_EQ(found.status, kExitFound);
      EXPECT_EQ(found.out, Lines(expected));
    }
  }
  EXPECT_EQ(RunVek({"--find", "aB", "-i", dir.Write("mixed.bin", {'A', 'b', 'a', 'B', 0xE9, 'a'})}).out, "0\n2\n");
}

TEST(TerminalFind, CountIsTheNumberOfLinesFindPrints) {
  TempDir dir;
  const std::string text = dir.Write("text.bin", RandomBytes(kSearchBlockBytes + 555, 6, "abAB"));
  const std::string exe = dir.Write("exe.bin", {0x00, 0x4D, 0x5A, 0x90, 0x4D, 0x5A, 0x4D});
  struct Case {
    std::vector<std::string> find;
    std::string file;
  };
  const Case cases[] = {
      {{"--find", "ab"}, text},
      {{"--find", "aa"}, text}, // overlapping matches count, as --find lists them
      {{"--find", "aB", "-i"}, text},
      {{"--find", "abc"}, text},
      {{"--find-hex", "4D5A"}, exe},
      {{"--find-hex", "FF"}, exe},
      {{"--find", "x"}, "/dev/null"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.find));
    std::vector<std::string> args = c.find;
    args.push_back(c.file);
    const Outcome listed = RunVek(args);
    args.push_back("--count");
    const Outcome counted = RunVek(args);
    const auto lines = std::count(listed.out.begin(), listed.out.end(), '\n');
    EXPECT_EQ(counted.out, std::to_string(lines) + "\n");
    EXPECT_EQ(counted.status, lines > 0 ? kExitFound : kExitNotFound);
    EXPECT_EQ(counted.status, listed.status);
    EXPECT_EQ(counted.err, "");
  }
}

TEST(TerminalFind, APatternLongerThanTheDialogAllowsIsRefusedNotCut) {
  TempDir dir;
  const std::string path = dir.Write("a.bin", Bytes(600, 'a'));
  const Outcome longText = RunVek({"--find", std::string(kMaxPatternBytes + 1, 'a'), path});
  EXPECT_EQ(longText.status, kExitError);
  EXPECT_EQ(longText.out, "");
  EXPECT_NE(longText.err.find("longer than"), std::string::npos) << longText.err;

  const Outcome longest = RunVek({"--find", std::string(kMaxPatternBytes, 'a'), path});
  EXPECT_EQ(longest.status, kExitFound);
  EXPECT_EQ(std::count(longest.out.begin(), longest.out.end(), '\n'), 600 - kMaxPatternBytes + 1);

  const Outcome longHex = RunVek({"--find-hex", std::string(2 * kMaxPatternBytes + 2, '6'), path});
  EXPECT_EQ(longHex.status, kExitError);

  const Outcome noPair = RunVek({"--find-hex", "6", path});
  EXPECT_EQ(noPair.status, kExitError);
  EXPECT_NE(noPair.err.find("no pair"), std::string::npos) << noPair.err;

  // The dialog would search "41zz" as 41 41: the terminal says so instead of printing its offsets.
  const Outcome notHex = RunVek({"--find-hex", "41zz", path});
  EXPECT_EQ(notHex.status, kExitError);
  EXPECT_EQ(notHex.err, "vek: --find-hex: PAIRS hold \"zz\", which is not two hex digits\n");
}

} // namespace
} // namespace vek::cli::test
