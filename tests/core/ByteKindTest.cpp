#include "core/ByteKind.h"

#include <gtest/gtest.h>

#include <cctype>

namespace vek {
namespace {

// Every byte value against the C library's classes of the "C" locale.
TEST(ByteKind, EveryValueFallsIntoTheKindTheCLibraryGivesIt) {
  for (int value = 0; value < 256; ++value) {
    ByteKind expected = ByteKind::Control;
    if (value == 0) {
      expected = ByteKind::Zero;
    } else if (value >= 0x80) {
      expected = ByteKind::NonAscii;
    } else if (std::isgraph(value)) {
      expected = ByteKind::Printable;
    } else if (std::isspace(value)) {
      expected = ByteKind::Whitespace;
    }
    EXPECT_EQ(KindOfByte(static_cast<std::uint8_t>(value)), expected) << "byte " << value;
  }
}

} // namespace
} // namespace vek
