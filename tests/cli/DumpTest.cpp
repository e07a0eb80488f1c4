#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "cli/Dump.h"
#include "cli/TerminalMode.h"
#include "core/ClampPage.h"
#include "core/PageGeometry.h"
#include "core/PageText.h"

namespace vek::cli::test {
namespace {

Bytes Counting(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i & 0xFF);
  return bytes;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The view's page text for every page from `start` on, as (offset, hex, characters) triples, with
// the characters left as the file's bytes.
struct ViewLine {
  std::string offset, hex, ascii;
};
std::vector<ViewLine> ViewPages(const Bytes& file, Offset start, bool hex, int maxPages = 1 << 30) {
  std::vector<ViewLine> lines;
  const auto size = static_cast<Offset>(file.size());
  PageWindow page = ClampPage(start, start + kPageBytes, size);
  for (int shown = 0; shown < maxPages; ++shown) {
    const PageText text = BuildPageText(std::span(file.data() + page.start, static_cast<std::size_t>(page.count)), page.start, hex);
    for (std::size_t i = 0; i < text.offsetLines.size(); ++i) {
      lines.push_back({text.offsetLines[i], text.hexLines[i], text.asciiLines[i]});
    }
    if (page.start + kPageBytes >= size) break;
    page = ClampPage(page.start + kPageBytes, page.start + 2 * kPageBytes, size);
  }
  return lines;
}

// The dump's columns: offset, two blanks, hex padded to a full line, a blank, characters.
void ExpectSameAsView(const std::string& dump, const std::vector<ViewLine>& view) {
  const std::vector<std::string> lines = SplitLines(dump);
  ASSERT_EQ(lines.size(), view.size());
  const std::size_t hexAt = view[0].offset.size() + 2;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(lines[i]);
    EXPECT_EQ(lines[i].substr(0, hexAt - 2), view[i].offset);
    EXPECT_EQ(lines[i].substr(hexAt - 2, 2), "  ");
    const std::string hexColumn = lines[i].substr(hexAt, kHexLineChars);
    EXPECT_EQ(hexColumn, view[i].hex + std::string(kHexLineChars - view[i].hex.size(), ' '));
    EXPECT_EQ(lines[i].substr(hexAt + kHexLineChars, 1), " ");
    EXPECT_EQ(lines[i].substr(hexAt + kHexLineChars + 1), view[i].ascii); // printable ASCII only here
  }
}

TEST(Dump, PrintsAWorkedExampleLineByLine) {
  TempDir dir;
  Bytes bytes;
  for (char c : std::string("Hello, world!")) bytes.push_back(static_cast<std::uint8_t>(c));
  bytes.insert(bytes.end(), {0x00, 0x09, 0x7F, 0x80, 0xE9, 0x81, 0x9D, 'x', 'y', 'z'});
  const std::string path = dir.Write("hello.bin", bytes);
  const Outcome dump = RunVek({"--dump", path});
  EXPECT_EQ(dump.status, kExitFound);
  EXPECT_EQ(dump.err, "");
  EXPECT_EQ(dump.out,
            "      0  4865 6C6C 6F2C 2077 6F72 6C64 2100 097F 80E9 819D  Hello, world!..."
            "\xE2\x82\xAC\xC3\xA9..\n"
            "     20  7879 7A                                            xyz\n");
}

TEST(Dump, PrintsEveryPageOfTheFileAsTheViewBuildsIt) {
  TempDir dir;
  const Bytes bytes = RandomBytes(5 * kPageBytes + 37, 1, "abcdefghijklmnopqrstuvwxyz0123456789 ");
  const std::string path = dir.Write("pages.bin", bytes);
  for (const bool hex : {false, true}) {
    const Outcome dump = RunVek(hex ? std::vector<std::string>{"--dump", "--hex", path} : std::vector<std::string>{"--dump", path});
    EXPECT_EQ(dump.status, kExitFound);
    ExpectSameAsView(dump.out, ViewPages(bytes, 0, hex));
  }
}

TEST(Dump, StartsWhereTheStartFieldWouldAndClampsLikeTheView) {
  TempDir dir;
  const Bytes bytes = RandomBytes(1000, 2, "ABCDEFGH");
  const std::string path = dir.Write("start.bin", bytes);
  struct Case {
    std::vector<std::string> args;
    Offset viewStart;
    bool hex;
  };
  const Case cases[] = {
      {{"--start", "450"}, 450, false},
      {{"--start", "1c2", "--hex"}, 0x1C2, true},
      {{"--start", "999"}, 999, false},                  // the last page is 800..999
      {{"--start", "5000"}, 5000, false},                // past the end: the last 200 bytes
      {{"--start", "99999999999999999999"}, 5000, false}, // held at the largest offset
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"--dump", path};
    args.insert(args.end(), c.args.begin(), c.args.end());
    SCOPED_TRACE(c.args[1]);
    const Outcome dump = RunVek(args);
    EXPECT_EQ(dump.status, kExitFound);
    ExpectSameAsView(dump.out, ViewPages(bytes, c.viewStart, c.hex));
  }
  // Past the end the dump is exactly the view's last page.
  EXPECT_EQ(SplitLines(RunVek({"--dump", path, "--start", "5000"}).out).front().substr(0, 7), "    800");
}

TEST(Dump, StopsAfterTheNumberOfPagesAsked) {
  TempDir dir;
  const Bytes bytes = Counting(10 * kPageBytes);
  const std::string path = dir.Write("count.bin", bytes);
  const Outcome dump = RunVek({"--dump", "--pages", "2", "--start", "100", path});
  EXPECT_EQ(dump.status, kExitFound);
  const auto lines = SplitLines(dump.out);
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(2 * kMaxPageLines));
  EXPECT_EQ(lines.front().substr(0, 7), "    100");
  EXPECT_EQ(lines.back().substr(0, 7), "    480");
}

TEST(Dump, AnEmptyFileIsOneLineWithItsOffset) {
  TempDir dir;
  const std::string path = dir.Write("empty.bin", {});
  for (const char* file : {path.c_str(), "/dev/null"}) {
    const Outcome dump = RunVek({"--dump", file});
    EXPECT_EQ(dump.status, kExitFound) << file;
    EXPECT_EQ(dump.out, "      0\n") << file;
  }
}

TEST(Dump, ControlCharactersNeverReachTheTerminal) {
  TempDir dir;
  const Bytes all = Counting(256);
  const std::string path = dir.Write("all.bin", all);
  const Outcome dump = RunVek({"--dump", path});
  for (const char c : dump.out) {
    const auto byte = static_cast<unsigned char>(c);
    EXPECT_FALSE(byte < 0x20 && byte != '\n') << int(byte);
    EXPECT_NE(byte, 0x7F);
  }
  // No C1 control code point either: its UTF-8 form starts 0xC2 0x80..0x9F.
  EXPECT_EQ(dump.out.find("\xC2\x81"), std::string::npos);
  EXPECT_EQ(dump.out.find("\xC2\x9D"), std::string::npos);
}

TEST(Dump, AReadFailureStopsAfterThePagesAlreadyShown) {
  const Bytes file = Counting(2000 * kPageBytes); // more than one read's worth
  int reads = 0;
  const ReadAtFn failSecond = [&](Offset offset, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
    if (++reads == 2) return -1;
    std::memcpy(buffer, file.data() + offset, size);
    return static_cast<std::int64_t>(size);
  };
  std::string text;
  const DumpStatus status = DumpPages(failSecond, static_cast<Offset>(file.size()), {},
                                      [&](std::string_view page) { text += page; });
  EXPECT_EQ(status, DumpStatus::ReadError);
  EXPECT_FALSE(text.empty());
  EXPECT_LT(SplitLines(text).size(), file.size() / kBytesPerLine);
}

} // namespace
} // namespace vek::cli::test
