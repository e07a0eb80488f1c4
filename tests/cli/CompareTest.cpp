// vek --compare on real files and pipes: the lines of `cmp -l` with offsets from 0 and hex bytes,
// the end of the shorter file as cmp says it, and cmp's exit status.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CliTestSupport.h"

namespace vek::cli::test {
namespace {

std::string Hex(std::uint8_t value) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", value);
  return text;
}

// The lines every differing byte below the shorter length gives.
std::string Lines(const Bytes& a, const Bytes& b, bool hex, bool firstOnly) {
  std::string lines;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
    if (a[i] == b[i]) continue;
    char offset[32];
    std::snprintf(offset, sizeof offset, hex ? "%zX" : "%zu", i);
    lines += std::string(offset) + " " + Hex(a[i]) + " " + Hex(b[i]) + "\n";
    if (firstOnly) break;
  }
  return lines;
}

TEST(Compare, ListsEveryDifferingByteAndSaysWhichFileEndsFirst) {
  const TempDir dir;
  const Bytes base = RandomBytes(2'500'000, 5, "abcd");
  Bytes changed = base;
  for (std::size_t at = 3; at < changed.size(); at += 1 + at % 9973) changed[at] = 'z';
  const Bytes prefix(base.begin(), base.begin() + 1'048'579);
  struct Case {
    const char* name;
    Bytes a;
    Bytes b;
    std::vector<std::string> options;
    int status;
    std::string err;
  };
  const std::vector<Case> cases = {
      {"the same", base, base, {}, 0, ""},
      {"different", base, changed, {}, 1, ""},
      {"different, hex offsets", changed, base, {"--hex"}, 1, ""},
      {"only the first", base, changed, {"--first"}, 1, ""},
      {"the second ends first", base, prefix, {}, 1, "vek: EOF on B after byte 1048579\n"},
      {"the first ends first, and differs", Bytes(changed.begin(), changed.begin() + 1'048'579), base, {}, 1,
       "vek: EOF on A after byte 1048579\n"},
      {"a prefix, only the first", prefix, base, {"--first"}, 1, "vek: EOF on A after byte 1048579\n"},
      {"an empty file", Bytes{}, base, {}, 1, "vek: EOF on A which is empty\n"},
      {"both empty", Bytes{}, Bytes{}, {}, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string a = dir.Write("A", c.a);
    const std::string b = dir.Write("B", c.b);
    const bool hex = !c.options.empty() && c.options[0] == "--hex";
    const bool first = !c.options.empty() && c.options[0] == "--first";
    std::string err = c.err;
    for (const std::string& side : {std::string("A"), std::string("B")}) {
      const std::string::size_type at = err.find(" " + side + " ");
      if (at != std::string::npos) err.replace(at + 1, 1, dir.Path() + "/" + side);
    }
    std::vector<std::string> args = {"--compare", a, b};
    args.insert(args.begin() + 1, c.options.begin(), c.options.end());
    const Outcome files = RunVek(args);
    EXPECT_EQ(files.status, c.status);
    EXPECT_EQ(files.out, Lines(c.a, c.b, hex, first));
    EXPECT_EQ(files.err, err);
    // The second file as a stream on standard input: the same lines, read in order.
    args.back() = "-";
    const Outcome piped = RunVekOnPipe(args, c.b);
    EXPECT_EQ(piped.status, c.status);
    EXPECT_EQ(piped.out, files.out);
    std::string pipedErr = err;
    if (const auto at = pipedErr.find(dir.Path() + "/B"); at != std::string::npos) {
      pipedErr.replace(at, dir.Path().size() + 2, "(standard input)");
    }
    EXPECT_EQ(piped.err, pipedErr);
  }
}

TEST(Compare, TroubleIsStatusTwoWithOneLine) {
  const TempDir dir;
  const std::string a = dir.Write("a", Bytes(10, 'a'));
  const Outcome missing = RunVek({"--compare", a, dir.Path() + "/none"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find(dir.Path() + "/none"), std::string::npos) << missing.err;
  const Outcome directory = RunVek({"--compare", dir.Path(), a});
  EXPECT_EQ(directory.status, 2);
  const Outcome bothStdin = RunVek({"--compare", "-", "-"});
  EXPECT_EQ(bothStdin.status, 2);
  EXPECT_NE(bothStdin.err.find("standard input"), std::string::npos);
}

} // namespace
} // namespace vek::cli::test
