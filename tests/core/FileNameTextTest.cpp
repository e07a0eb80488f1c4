#include "core/FileNameText.h"

#include <gtest/gtest.h>

#include <string>

namespace vek {
namespace {

TEST(FileNameText, EachByteOutsideAWellFormedCharacterBecomesOneReplacementCharacter) {
  const std::string r = "\xEF\xBF\xBD"; // U+FFFD
  struct Case {
    std::string bytes;
    std::string text;
    bool valid;
  };
  const Case cases[] = {
      {"", "", true},
      {"/tmp/a b.bin", "/tmp/a b.bin", true},
      {"sm\xC3\xB6rg\xC3\xA5sbord-\xE2\x82\xAC", "sm\xC3\xB6rg\xC3\xA5sbord-\xE2\x82\xAC", true},
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80", true},            // four bytes, U+1F600
      {"\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF", true},            // U+10FFFF, the last code point
      {"caf\xE9.bin", "caf" + r + ".bin", false},                // Latin-1
      {"\xE2\x82" "A", r + r + "A", false},                      // a character cut short
      {"\xE2\x82", r + r, false},                                // cut short by the end
      {"\x80\xBF", r + r, false},                                // continuation bytes alone
      {"\xC0\xAF", r + r, false},                                // overlong '/'
      {"\xE0\x80\xAF", r + r + r, false},                        // overlong, three bytes
      {"\xED\xA0\x80", r + r + r, false},                        // a surrogate
      {"\xF4\x90\x80\x80", r + r + r + r, false},                // above U+10FFFF
      {"\xF5\xFE\xFF", r + r + r, false},                        // bytes UTF-8 never uses
      {"a\xFF\xC3\xA9", "a" + r + "\xC3\xA9", false},            // a good character after a bad byte
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DecodeFileName(c.bytes), c.text) << c.bytes;
    EXPECT_EQ(IsValidUtf8(c.bytes), c.valid) << c.bytes;
  }
}

} // namespace
} // namespace vek
