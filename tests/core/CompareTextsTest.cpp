// What the window's compare says: the two files named apart, the message when no difference is
// left in either direction (also where the shorter file's end leaves the rest uncompared), the
// message of a file that failed, and the note on the selected byte, in both radixes.

#include "core/CompareTexts.h"

#include <cerrno>

#include <gtest/gtest.h>

namespace vek {
namespace {

const std::string kKept = "\nThe pages and the selected bytes stay as they were.";

TEST(CompareTexts, TheFilesAreNamedByTheirNamesOrByTheirPathsWhereTheNamesAgree) {
  const struct {
    const char* first;
    const char* second;
    ComparedNames names;
  } cases[] = {
      {"/tmp/x/a.bin", "/tmp/y/b.bin", {"a.bin", "b.bin"}},
      {"/tmp/x/fw.img", "/tmp/y/fw.img", {"/tmp/x/fw.img", "/tmp/y/fw.img"}},
      {"/tmp/x/caf\xC3\xA9", "/tmp/x/bad\xFF", {"caf\xC3\xA9", "bad\xEF\xBF\xBD"}},
  };
  for (const auto& c : cases) EXPECT_EQ(NamesOf(c.first, c.second), c.names) << c.first;
}

TEST(CompareTexts, NoFurtherDifferenceNamesBothFilesAndWhereTheSearchBegan) {
  const ComparedNames names = {"a.bin", "b.bin"};
  const struct {
    std::array<Offset, 2> lengths;
    StepDirection direction;
    Offset origin;
    bool hexMode;
    const char* text;
  } cases[] = {
      {{1050, 1050}, StepDirection::Next, 414, false,
       "No difference between a.bin and b.bin from offset 414 on: they are the same to the end."},
      {{1050, 1050}, StepDirection::Next, 414, true,
       "No difference between a.bin and b.bin from offset 0x19E on: they are the same to the end."},
      {{1050, 1050}, StepDirection::Previous, 413, false,
       "No difference between a.bin and b.bin before offset 413: they are the same from the start."},
      {{1200, 1000}, StepDirection::Next, 1001, false,
       "No difference between a.bin and b.bin from offset 1001 on: b.bin ends at offset 1000, and the bytes of "
       "a.bin after it are not compared."},
      {{1000, 1200}, StepDirection::Next, 1100, true,
       "No difference between a.bin and b.bin from offset 0x44C on: a.bin ends at offset 0x3E8, and the bytes of "
       "b.bin after it are not compared."},
  };
  for (const auto& c : cases) {
    const Message message = NoDifferenceMessage(names, c.lengths, c.direction, c.origin, c.hexMode);
    EXPECT_EQ(message.text, c.text + kKept);
    EXPECT_EQ(message.icon, MessageIcon::Warning);
  }
}

TEST(CompareTexts, AFailedFileIsNamedWithItsCause) {
  const ComparedNames names = {"a.bin", "b.bin"};
  const struct {
    CompareFailure failure;
    const char* text;
  } cases[] = {
      {{1, FileError::ShortRead, 0}, "a.bin and b.bin could not be compared: b.bin: the file shrank while it was read."},
      {{0, FileError::NotFound, ENOENT}, "a.bin and b.bin could not be compared: a.bin: No such file or directory."},
      {{1, FileError::HardwareError, EIO}, "a.bin and b.bin could not be compared: b.bin: Input/output error."},
  };
  for (const auto& c : cases) {
    const Message message = CompareFailedMessage(names, c.failure);
    EXPECT_EQ(message.text, c.text + kKept);
    EXPECT_EQ(message.icon, MessageIcon::Exclamation);
  }
}

TEST(CompareTexts, TheNoteSaysWhetherTheSelectedByteDiffersAndTheOtherFilesValue) {
  const struct {
    std::uint8_t shown;
    std::optional<std::uint8_t> other;
    bool hexMode;
    const char* note;
  } cases[] = {
      {0x41, 0x41, false, "Same in b.bin"},
      {0x41, 0x42, false, "Differs from b.bin: 66"},
      {0x41, 0x42, true, "Differs from b.bin: 42"},
      {0x41, 0x0A, true, "Differs from b.bin: A"}, // as the position line writes a value
      {0x41, 0x00, false, "Differs from b.bin: 0"},
      {0x00, 0xFF, false, "Differs from b.bin: 255"},
      {0x41, std::nullopt, false, "Not in b.bin, which ends before this byte"},
  };
  for (const auto& c : cases) EXPECT_EQ(CompareNote(c.shown, c.other, "b.bin", c.hexMode), c.note);
  EXPECT_EQ(UncomparedNote("b.bin", FileError::NotFound, ENOENT), "Not compared: b.bin: No such file or directory");
}

} // namespace
} // namespace vek
