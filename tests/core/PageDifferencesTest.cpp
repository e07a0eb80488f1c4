// Which bytes of a page differ from the other file's bytes at the same offsets, and the other
// file's bytes for a page as one read gives them: where it ends within the page, or before it.

#include "core/PageDifferences.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "core/ComparedBytes.h"
#include "core/FileSession.h"
#include "platform/PosixFile.h"

namespace vek {
namespace {

using test::Bytes;

Bytes Counting(int size, int from = 0) {
  Bytes bytes(static_cast<std::size_t>(size));
  for (int i = 0; i < size; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(from + i);
  return bytes;
}

std::vector<int> Marked(const std::bitset<kPageBytes>& bits) {
  std::vector<int> marked;
  for (int i = 0; i < kPageBytes; ++i) {
    if (bits.test(static_cast<std::size_t>(i))) marked.push_back(i);
  }
  return marked;
}

std::vector<int> From(int first, int last) {
  std::vector<int> all;
  for (int i = first; i <= last; ++i) all.push_back(i);
  return all;
}

TEST(PageDifferences, AByteDiffersWhereTheValuesDifferAndWhereTheOtherFileHasNone) {
  Bytes two = Counting(200);
  two[0] = 0xFF;
  two[57] ^= 1;
  two[199] = 0;
  const struct {
    const char* name;
    Bytes shown;
    Bytes other;
    std::vector<int> differing;
  } cases[] = {
      {"the same", Counting(200), Counting(200), {}},
      {"the first, a middle and the last byte", Counting(200), two, {0, 57, 199}},
      {"the other file ends within the page", Counting(200), Counting(150), From(150, 199)},
      {"the other file ends before the page", Counting(200), {}, From(0, 199)},
      {"a shorter last page: only its bytes count", Counting(50), Counting(200, 1), From(0, 49)},
      {"a shorter last page, the same as far as it goes", Counting(50), Counting(200), {}},
      {"a page without bytes", {}, Counting(10), {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Marked(DifferingBytes(c.shown, c.other)), c.differing) << c.name;
  }
}

TEST(PageDifferences, TheOtherFilesBytesAreReadAtTheOffsetsOfThePageOnScreen) {
  const test::TempDir dir;
  FileSystem& files = RealFileSystem();
  const std::string shown = dir.Write("shown.bin", Counting(1050));
  const struct {
    const char* name;
    int otherSize; // -1: no such file
    Offset pageStart;
    std::size_t count;
    FileError error;
  } cases[] = {
      {"as long", 1050, 400, 200, FileError::None},
      {"ending within the page", 450, 400, 50, FileError::None},
      {"ending before the page", 300, 400, 0, FileError::None},
      {"empty", 0, 0, 0, FileError::None},
      {"gone", -1, 400, 0, FileError::NotFound},
  };
  for (const auto& c : cases) {
    const std::string other = dir.Path() + "/other.bin";
    if (c.otherSize >= 0) {
      dir.Write("other.bin", Counting(c.otherSize, 7));
    } else {
      std::remove(other.c_str());
    }
    FileSession session;
    session.LoadFile(files, shown);
    session.GoTo(files, c.pageStart);
    const FileResult<ComparedBytes> read = ReadComparedBytes(files, other, session);
    EXPECT_EQ(read.error, c.error) << c.name;
    EXPECT_EQ(read.value.start, c.pageStart) << c.name;
    ASSERT_EQ(read.value.count, c.count) << c.name;
    // Each byte is the other file's at its offset, and past its end there is none.
    for (Offset at = c.pageStart; at < c.pageStart + kPageBytes; ++at) {
      const std::optional<std::uint8_t> byte = read.value.At(at);
      if (at < c.pageStart + static_cast<Offset>(c.count)) {
        EXPECT_EQ(byte, std::optional<std::uint8_t>(static_cast<std::uint8_t>(at + 7))) << c.name << " at " << at;
      } else {
        EXPECT_EQ(byte, std::nullopt) << c.name << " at " << at;
      }
    }
    EXPECT_EQ(read.value.At(c.pageStart - 1), std::nullopt) << c.name;
  }
}

TEST(PageDifferences, TheSessionMarksOnlyThePageTheyWereFoundFor) {
  const test::TempDir dir;
  FileSystem& files = RealFileSystem();
  FileSession session;
  session.LoadFile(files, dir.Write("marked.bin", Counting(1050)));
  EXPECT_FALSE(session.Differs(3)) << "not compared";
  std::bitset<kPageBytes> bits;
  bits.set(3);
  session.MarkDifferences(PageDifferences{0, bits});
  EXPECT_TRUE(session.Differs(3));
  EXPECT_FALSE(session.Differs(4));
  EXPECT_FALSE(session.Differs(-1));
  session.ShowPage(files, session.Page().Next());
  EXPECT_FALSE(session.Differs(3)) << "found for the page at 0, not the one at 200";
  session.MarkDifferences(PageDifferences{200, bits});
  EXPECT_TRUE(session.Differs(3));
  session.ShowPage(files, session.Page().Last()); // 1000: 50 bytes
  session.MarkDifferences(PageDifferences{1000, std::bitset<kPageBytes>().set(60)});
  EXPECT_FALSE(session.Differs(60)) << "a byte the page does not hold";
  session.MarkDifferences(std::nullopt);
  EXPECT_FALSE(session.Differs(3));
}

} // namespace
} // namespace vek
