// The dump in colour: each byte's hex pair and character in the colour of its kind, the visible
// text unchanged, and no colour at all unless asked for or shown on a terminal.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "cli/DumpColors.h"
#include "cli/TerminalMode.h"
#include "core/ByteKind.h"
#include "core/CommandLine.h"
#include "core/PageGeometry.h"
#include "core/PageText.h"

namespace vek::cli::test {
namespace {

constexpr char kEscape = '\x1b';

// NO_COLOR as a test wants it, restored afterwards.
class NoColorVariable {
 public:
  explicit NoColorVariable(const char* value) {
    if (const char* old = std::getenv("NO_COLOR")) m_old = old;
    if (value != nullptr) {
      ::setenv("NO_COLOR", value, 1);
    } else {
      ::unsetenv("NO_COLOR");
    }
  }
  ~NoColorVariable() {
    if (m_old) {
      ::setenv("NO_COLOR", m_old->c_str(), 1);
    } else {
      ::unsetenv("NO_COLOR");
    }
  }
  NoColorVariable(const NoColorVariable&) = delete;
  NoColorVariable& operator=(const NoColorVariable&) = delete;

 private:
  std::optional<std::string> m_old;
};

// Coloured text taken apart: the visible characters, and for each the escape sequence in force
// ("" where none is).
struct Shown {
  std::string text;
  std::vector<std::string> colors;
};

Shown TakeApart(const std::string& colored) {
  Shown shown;
  std::string current;
  for (std::size_t i = 0; i < colored.size(); ++i) {
    if (colored[i] == kEscape) {
      const std::size_t end = colored.find('m', i);
      if (end == std::string::npos) ADD_FAILURE() << "an escape sequence without its end at " << i;
      const std::string sequence = colored.substr(i, end + 1 - i);
      current = sequence == kColorReset ? "" : sequence;
      i = end;
      continue;
    }
    shown.text += colored[i];
    shown.colors.push_back(current);
  }
  return shown;
}

std::string ColorOf(std::uint8_t byte) { return std::string(kKindColors[static_cast<std::size_t>(KindOfByte(byte))]); }

TEST(DumpColor, ALineOfEveryKindOfByte) {
  TempDir dir;
  const std::string path = dir.Write("kinds.bin", {0x00, 'A', ' ', 0x01, 0xE9, 'B', 'C', '\t', 0x7F, 0x00});
  const Outcome dump = RunVek({"--dump", "--color=always", path});
  EXPECT_EQ(dump.status, kExitFound);
  // Zero grey, printable cyan, white space green, other controls magenta, above ASCII yellow; a
  // colour only where it changes ("4243" is one run), a reset after each column.
  EXPECT_EQ(dump.out,
            "      0  "
            "\x1b[90m00\x1b[36m41 \x1b[32m20\x1b[35m01 \x1b[33mE9\x1b[36m42 43\x1b[32m09 \x1b[35m7F\x1b[90m00 \x1b[0m"
            "                          "
            "\x1b[90m.\x1b[36mA\x1b[32m \x1b[35m.\x1b[33m\xC3\xA9\x1b[36mBC\x1b[32m.\x1b[35m.\x1b[90m.\x1b[0m\n");
  EXPECT_EQ(TakeApart(dump.out).text, RunVek({"--dump", path}).out);
}

// Files of every byte value, one page and many, short last lines, both radixes, read as files
// and as streams: the text without its colours is the plain dump, each byte's two columns are
// in its kind's colour, and nothing else is coloured but the blanks between pairs.
TEST(DumpColor, EveryByteInItsKindsColourInBothColumnsAndTheTextUnchanged) {
  TempDir dir;
  struct Case {
    const char* what;
    Bytes bytes;
    bool hex;
  };
  Bytes everyValue(256);
  for (int v = 0; v < 256; ++v) everyValue[v] = static_cast<std::uint8_t>(v);
  std::string all;
  for (int v = 0; v < 256; ++v) all += static_cast<char>(v);
  const Case cases[] = {
      {"every value once", everyValue, false},
      {"random, short last line", RandomBytes(7 * kPageBytes + 13, 3, all), false},
      {"random, hex offsets", RandomBytes(3 * kPageBytes + 1, 4, all), true},
      {"long runs of one kind", RandomBytes(2 * kPageBytes, 5, std::string("\0\0\0\0aaaa  \x01\xF0", 12)), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = dir.Write("file.bin", c.bytes);
    std::vector<std::string> args = {"--dump", "--color=always", path};
    if (c.hex) args.push_back("--hex");
    const Outcome colored = RunVek(args);
    ASSERT_EQ(colored.status, kExitFound);
    args[1] = "--color=never";
    const std::string plain = RunVek(args).out;
    const Shown shown = TakeApart(colored.out);
    ASSERT_EQ(shown.text, plain);

    std::size_t lineStart = 0;
    for (std::size_t first = 0; first < c.bytes.size(); first += kBytesPerLine) {
      const std::size_t lineEnd = shown.text.find('\n', lineStart);
      ASSERT_NE(lineEnd, std::string::npos);
      const std::size_t count = std::min<std::size_t>(kBytesPerLine, c.bytes.size() - first);
      // Offsets longer than 7 digits push the columns right; these files are small.
      const PageLineColumns columns = ColumnsOfPageLine(kOffsetDigits);
      std::vector<std::string> want(lineEnd - lineStart); // no colour unless a byte's
      std::size_t character = lineStart + static_cast<std::size_t>(columns.ascii);
      for (std::size_t j = 0; j < count; ++j) {
        const std::string color = ColorOf(c.bytes[first + j]);
        const std::size_t pair = static_cast<std::size_t>(columns.hex) + j / 2 * kHexCellsPerPair + j % 2 * 2;
        want[pair] = want[pair + 1] = color;
        // The blank after a pair takes the colour on, which shows on no terminal.
        if (j % 2 == 1) want[pair + 2] = shown.colors[lineStart + pair + 2];
        // A character is one to three bytes of UTF-8: its lead byte and the continuation bytes.
        do {
          want[character - lineStart] = color;
          ++character;
        } while (character < lineEnd && (static_cast<unsigned char>(shown.text[character]) & 0xC0) == 0x80);
      }
      const std::vector<std::string> got(shown.colors.begin() + static_cast<std::ptrdiff_t>(lineStart),
                                         shown.colors.begin() + static_cast<std::ptrdiff_t>(lineEnd));
      ASSERT_EQ(got, want) << "line at byte " << first;
      EXPECT_EQ(shown.colors[lineEnd], "") << "a line ends without a reset";
      lineStart = lineEnd + 1;
    }

    // The same bytes read as a stream.
    const int in = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(in, 0);
    std::vector<std::string> streamArgs = args;
    streamArgs[1] = "--color=always";
    streamArgs[2] = "-";
    EXPECT_EQ(RunVek(streamArgs, in).out, colored.out);
    ::close(in);
  }
}

// What the dump writes to `out`, which the caller reads back.
int DumpTo(const std::vector<std::string>& args, std::FILE* out) {
  std::FILE* err = std::tmpfile();
  const int status = RunTerminalMode(ParseCommandLine(args), -1, out, err);
  std::fclose(err);
  std::fflush(out);
  return status;
}

// Everything the other end of a pipe or a terminal holds now.
std::string Drain(int fd) {
  std::string text;
  char buffer[4096];
  for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(n));
  return text;
}

TEST(DumpColor, AutoColoursATerminalOnlyAndNeverNotAtAll) {
  TempDir dir;
  const std::string path = dir.Write("small.bin", {'h', 'i', 0x00, '\n', 0xFF});
  const std::string plain = RunVek({"--dump", path}).out;
  ASSERT_EQ(plain.find(kEscape), std::string::npos);

  struct Case {
    const char* color; // the switch, or none
    const char* noColor;
    bool terminal;
    bool colored;
  };
  const Case cases[] = {
      {nullptr, nullptr, false, false}, // a pipe: as the dump has always been
      {nullptr, nullptr, true, true},
      {nullptr, "1", true, false},
      {"--color", nullptr, true, true},
      {"--color=auto", nullptr, false, false},
      {"--color=never", nullptr, true, false},
      {"--color=always", nullptr, false, true},
      {"--color=always", "1", false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.color ? c.color : "(no switch)") + (c.terminal ? " to a terminal" : " to a pipe") +
                 (c.noColor ? " with NO_COLOR" : ""));
    const NoColorVariable noColor(c.noColor);
    std::vector<std::string> args = {"--dump", path};
    if (c.color != nullptr) args.push_back(c.color);
    int reader = -1;
    int writer = -1;
    if (c.terminal) {
      ASSERT_EQ(::openpty(&reader, &writer, nullptr, nullptr, nullptr), 0);
      termios raw{};
      ASSERT_EQ(::tcgetattr(writer, &raw), 0);
      ::cfmakeraw(&raw); // no "\r\n" for "\n"
      ASSERT_EQ(::tcsetattr(writer, TCSANOW, &raw), 0);
    } else {
      int ends[2];
      ASSERT_EQ(::pipe(ends), 0);
      reader = ends[0];
      writer = ends[1];
    }
    std::FILE* out = ::fdopen(writer, "w");
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(DumpTo(args, out), kExitFound); // a few hundred bytes: the pipe or terminal holds them
    std::fclose(out);
    if (c.terminal) ::fcntl(reader, F_SETFL, O_NONBLOCK); // a terminal without a writer reports an error, not the end
    const std::string text = Drain(reader);
    ::close(reader);
    if (c.colored) {
      EXPECT_NE(text.find(kEscape), std::string::npos);
      EXPECT_EQ(TakeApart(text).text, plain);
    } else {
      EXPECT_EQ(text, plain);
    }
  }
}

} // namespace
} // namespace vek::cli::test
