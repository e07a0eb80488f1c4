#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "cli/Dump.h"
#include "cli/TerminalMode.h"
#include "core/Ansi.h"
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

using ByteAt = std::function<std::uint8_t(Offset)>;

// The page lines as a terminal shows them, in UTF-8.
std::string TerminalColumns(const PageText& page) {
  std::string text;
  for (std::size_t i = 0; i < page.offsetLines.size(); ++i) text += ToUtf8(PageLineText(page, i, ShownOn::Terminal).text) + '\n';
  return text;
}

// What the dump must print: each page the view shows from `start` on, as Page Down moves through
// the file, in terminal columns.
std::string ViewDump(const ByteAt& byteAt, Offset size, Offset start, bool hex, std::optional<Offset> pages = {}) {
  std::string text;
  PageWindow page = ClampPage(start, SaturatingAdd(start, kPageBytes), size);
  for (Offset shown = 1;; ++shown) {
    Bytes bytes(static_cast<std::size_t>(page.count));
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = byteAt(page.start + static_cast<Offset>(i));
    text += TerminalColumns(BuildPageText(bytes, page.start, hex));
    const Offset next = SaturatingAdd(page.start, kPageBytes);
    if ((pages && shown >= *pages) || next >= size) return text;
    page = ClampPage(next, SaturatingAdd(next, kPageBytes), size);
  }
}

std::string ViewDump(const Bytes& file, Offset start, bool hex, std::optional<Offset> pages = {}) {
  return ViewDump([&file](Offset at) { return file[static_cast<std::size_t>(at)]; }, static_cast<Offset>(file.size()),
                  start, hex, pages);
}

// The line where two dumps first part, both shown; empty when they are equal. Dumps are megabytes.
std::string FirstDifference(const std::string& got, const std::string& want) {
  if (got == want) return "";
  const auto at = static_cast<std::size_t>(std::mismatch(got.begin(), got.end(), want.begin(), want.end()).first - got.begin());
  const std::size_t line = at == 0 ? 0 : got.rfind('\n', at - 1) + 1; // npos + 1 is the first line
  return "got  " + got.substr(line, got.find('\n', at) - line) + "\nwant " + want.substr(line, want.find('\n', at) - line);
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
    EXPECT_EQ(FirstDifference(dump.out, ViewDump(bytes, 0, hex)), "");
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
    EXPECT_EQ(FirstDifference(dump.out, ViewDump(bytes, c.viewStart, c.hex)), "");
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

TEST(Dump, EveryPageIsTheViewsPageTextInTerminalColumns) {
  // Files of any size without storage: each byte the offset's low byte (every value in turn), or
  // the top byte of the offset times a large odd number (a Weyl sequence: all values, in no order).
  const ByteAt counting = [](Offset at) { return static_cast<std::uint8_t>(at); };
  const ByteAt scattered = [](Offset at) {
    return static_cast<std::uint8_t>((static_cast<std::uint64_t>(at) * 0x9E3779B97F4A7C15u) >> 56);
  };
  constexpr Offset kTwo31 = Offset{1} << 31;
  constexpr Offset kTwo32 = Offset{1} << 32;
  constexpr Offset kLargest = std::numeric_limits<Offset>::max();
  struct Case {
    const char* what;
    Offset size, start;
    bool hex;
    std::optional<Offset> pages;
    const ByteAt& bytes;
  };
  const Case cases[] = {
      {"empty file", 0, 0, false, {}, counting},
      {"empty file, hex", 0, 0, true, {}, counting},
      {"every byte value, short last page", 1037, 0, false, {}, counting},
      {"every byte value, hex", 1037, 0, true, {}, counting},
      {"odd start and a last line of one byte", 1037, 16, false, {}, scattered},
      {"start past the end", 1037, 5000, true, {}, scattered},
      {"two pages asked", 1037, 100, false, 2, scattered},
      {"many reads and written pieces", 400'000, 7, false, {}, scattered},
      {"many reads, hex", 400'000, 7, true, {}, scattered},
      {"decimal offsets grow to 8 digits", 10'000'100, 9'999'700, false, 3, scattered},
      {"hex offsets grow to 8 digits", 0x10000100, 0xFFFFF00, true, 3, scattered},
      {"around 2^31", kTwo31 + 300, kTwo31 - 300, false, {}, scattered},
      {"around 2^31, hex", kTwo31 + 300, kTwo31 - 300, true, {}, scattered},
      {"around 2^32", kTwo32 + 150, kTwo32 - 250, false, {}, scattered},
      {"around 2^32, hex", kTwo32 + 150, kTwo32 - 250, true, {}, scattered},
      {"the largest offsets", kLargest, kLargest - 450, false, {}, scattered},
      {"the largest offsets, hex", kLargest, kLargest - 450, true, {}, scattered},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ReadAtFn readAt = [&c](Offset offset, std::uint8_t* buffer, std::size_t size) {
      for (std::size_t i = 0; i < size; ++i) buffer[i] = c.bytes(offset + static_cast<Offset>(i));
      return static_cast<std::int64_t>(size);
    };
    std::string text;
    const DumpStatus status = DumpPages(readAt, c.size, {c.start, c.hex, c.pages}, [&](std::string_view piece) { text += piece; });
    EXPECT_EQ(status, DumpStatus::Done);
    EXPECT_EQ(FirstDifference(text, ViewDump(c.bytes, c.size, c.start, c.hex, c.pages)), "");
  }
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
