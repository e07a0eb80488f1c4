#include <gtest/gtest.h>

#include "core/Profile.h"

namespace vek {
namespace {

using Files = std::vector<std::string>;

TEST(RecentFileList, ReadsFile1ToFile4InKeyOrderWhateverTheirOrderInTheSection) {
  const char* profile =
      "[Other]\nFile1=/not/this\n"
      "[Recent File List]\nFile2=/b\nFile1=/a b/c\r\nFile3 = /c\n"
      "[Later]\nFile4=/not/this/either\n";
  EXPECT_EQ(ReadRecentFileList(profile), (Files{"/a b/c", "/b", "/c"}));
}

TEST(RecentFileList, SkipsMissingKeysReadsNoMoreThanFourAndNothingWithoutTheSection) {
  EXPECT_EQ(ReadRecentFileList("[Recent File List]\nFile1=/a\nFile3=/c\nFile5=/e\n"), (Files{"/a", "/c"}));
  EXPECT_EQ(ReadRecentFileList("[Recent File List]\nFile2=/b \r\n"), (Files{"/b "})) << "a trailing blank is the name's";
  EXPECT_EQ(ReadRecentFileList("File1=/a\n"), Files{});
  EXPECT_EQ(ReadRecentFileList(""), Files{});
}

TEST(RecentFileList, WritesTheSectionWithItsOwnNameAndKeepsOtherSections) {
  EXPECT_EQ(WriteRecentFileList("", {"/b", "/a"}), "[Recent File List]\nFile1=/b\nFile2=/a\n");
  EXPECT_EQ(WriteRecentFileList("[Other]\nx=1\n[Recent File List]\nFile1=/old\nFile2=/older\n[Last]\ny=2\n",
                                {"/new"}),
            "[Other]\nx=1\n[Recent File List]\nFile1=/new\n[Last]\ny=2\n");
  EXPECT_EQ(WriteRecentFileList("[Other]\nx=1", {}), "[Other]\nx=1\n[Recent File List]\n");
}

TEST(RecentFileList, ANameWithALineBreakIsLeftOutRatherThanForgingAnotherLine) {
  EXPECT_EQ(WriteRecentFileList("", {"/a\n[Other]\nFile9=x", "/b\rc", "/d"}), "[Recent File List]\nFile1=/d\n");
}

TEST(RecentFileList, WhatIsWrittenReadsBack) {
  const Files files = {"/home/me/a file.bin", "/tmp/b=c", "/x"};
  EXPECT_EQ(ReadRecentFileList(WriteRecentFileList("[Other]\nk=v\n", files)), files);
}

TEST(RecentFileList, ANameThatIsNotUtf8IsQuotedAndReadsBackByteForByte) {
  struct Case {
    std::string name;
    std::string line; // as it stands in the profile
  };
  const Case cases[] = {
      {"/d/caf\xE9.bin", "File1=\"/d/caf\\xE9.bin\""},
      {"/d/\xC3\xA9\xFF \"q\" \\x41 ", "File1=\"/d/\xC3\xA9\\xFF \\\"q\\\" \\\\x41 \""},
      {"/d/\xE2\x82", "File1=\"/d/\\xE2\\x82\""},
      {"/d/plain \"q\" \\x41", "File1=/d/plain \"q\" \\x41"}, // UTF-8: as it always was
      {"\"x\"", "File1=\"\\\"x\\\"\""},                 // would read as quoted otherwise
  };
  for (const Case& c : cases) {
    const std::string profile = WriteRecentFileList("", {c.name});
    EXPECT_EQ(profile, "[Recent File List]\n" + c.line + "\n");
    EXPECT_EQ(ReadRecentFileList(profile), Files{c.name}) << c.line;
  }
  // Quotes that this program did not write are part of the name.
  EXPECT_EQ(ReadRecentFileList("[Recent File List]\nFile1=\"/a\\q\"\nFile2=\"/b\"c\"\n"),
            (Files{"\"/a\\q\"", "\"/b\"c\""}));
}

} // namespace
} // namespace vek
