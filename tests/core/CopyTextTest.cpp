#include "core/CopyText.h"

#include <gtest/gtest.h>

#include <numeric>

#include "FaultyFileSystem.h"
#include "TempDir.h"

namespace vek::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(FormatCopy, GivesHexPairsTheShownCharactersOrACArray) {
  const Bytes bytes = {0x9D, 0x82, 0x41, 0x00, 0xAD};
  EXPECT_EQ(FormatCopy(bytes, CopyFormat::HexPairs), "9D 82 41 00 AD");
  EXPECT_EQ(FormatCopy(bytes, CopyFormat::Text), "\xC2\x9D\xE2\x80\x9A" "A.-"); // as the page shows them
  EXPECT_EQ(FormatCopy(std::span(bytes).first(3), CopyFormat::CArray),
            "unsigned char bytes[3] = {\n    0x9D, 0x82, 0x41,\n};\n");
  Bytes thirteen(13, 0xFF);
  const std::string array = FormatCopy(thirteen, CopyFormat::CArray);
  EXPECT_EQ(array.substr(array.size() - 14), "\n    0xFF,\n};\n") << "twelve bytes a line";
  EXPECT_EQ(FormatCopy({}, CopyFormat::HexPairs), "");
}

TEST(ReadRange, ReadsTheRangeInPiecesAndRefusesWhatIsTooLargeOrCannotBeRead) {
  TempDir dir;
  Bytes file(3 << 20);
  std::iota(file.begin(), file.end(), std::uint8_t{0});
  const std::string path = dir.Write("f.bin", file);
  FaultyFileSystem files;

  std::vector<Offset> progress;
  const RangeBytes whole = ReadRange(files, path, {5, (3 << 20) - 1}, [&](Offset at) {
    progress.push_back(at);
    return true;
  });
  EXPECT_FALSE(whole.failure);
  EXPECT_EQ(whole.bytes, Bytes(file.begin() + 5, file.end()));
  EXPECT_EQ(progress, (std::vector<Offset>{5 + (1 << 20), 5 + (2 << 20)}));

  const RangeBytes cancelled = ReadRange(files, path, {0, (3 << 20) - 1}, [](Offset) { return false; });
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_TRUE(cancelled.bytes.empty());

  const RangeBytes large = ReadRange(files, path, {0, kMaxCopyBytes}, {});
  ASSERT_TRUE(large.failure);
  EXPECT_NE(large.failure->text.find("16 MiB"), std::string::npos);
  EXPECT_EQ(files.counters.opens, 2) << "refused before the file is opened";

  const RangeBytes beyond = ReadRange(files, path, {(3 << 20) - 2, (3 << 20) + 2}, {});
  ASSERT_TRUE(beyond.failure) << "the file ends inside the range";
  EXPECT_EQ(beyond.failure->text.find(path), 0u) << beyond.failure->text;
  files.plan.openForRead = FileError::AccessDenied;
  EXPECT_TRUE(ReadRange(files, path, {0, 9}, {}).failure);
}

} // namespace
} // namespace vek::test
