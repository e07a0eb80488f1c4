// What Go to says for each reason a text names no byte: the text typed, the reason, the file, the
// offsets in the radix shown, and that nothing changed.
#include "core/GoToMessage.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

TEST(GoToMessage, NamesTheTextTheReasonAndTheFile) {
  const std::string kept = "\nThe page and the selected byte stay as they were.";
  const struct {
    const char* typed;
    Offset size;
    bool hexMode;
    const char* text;
  } cases[] = {
      {"  ", 1050, false,
       "Type the offset of the byte to go to, for example 1050, 0x41A, 4K (also M, G), +16 or -16 from the selected byte, end or end-16."},
      {" abc ", 1050, false,
       "\"abc\" is not an offset: type, for example, 1050, 0x41A, 4K (also M, G), +16 or -16 from the selected byte, end or end-16."},
      {"99999999999999999999", 1050, false, "\"99999999999999999999\" is larger than any offset a file can have."},
      {"+5", 1050, false, "\"+5\" counts from the selected byte, and no byte of notes.bin is selected."},
      {"0", 0, false, "notes.bin is empty: it has no byte to go to."},
      {"-500", 1050, false, "\"-500\" is offset -87, before the start of notes.bin."},
      {"-500", 1050, true, "\"-500\" is offset -0x57, before the start of notes.bin."},
      {"2000", 1050, false, "\"2000\" is offset 2000, past the end of notes.bin: its last byte is at 1049 (end-1)."},
      {"2000", 1050, true, "\"2000\" is offset 0x7D0, past the end of notes.bin: its last byte is at 0x419 (end-1)."},
      {"-9223372036854775807", 1050, true,
       "\"-9223372036854775807\" is offset -0x7FFFFFFFFFFFFE62, before the start of notes.bin."},
  };
  for (const auto& c : cases) {
    const std::optional<Offset> selected = std::string_view(c.typed) == "+5" ? std::nullopt : std::optional<Offset>(413);
    const GoToResult result = EvaluateGoTo(c.typed, selected, c.size);
    ASSERT_FALSE(result.ok()) << c.typed;
    const Message message = GoToMessage(result, c.typed, "notes.bin", c.size, c.hexMode);
    EXPECT_EQ(message.text, c.text + kept) << c.typed;
    EXPECT_EQ(message.icon, MessageIcon::Warning);
  }
}

} // namespace
} // namespace vek
