#include "core/PageTextLayout.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace vek {
namespace {

PageText Page(std::size_t bytes, Offset start = 0) {
  std::vector<std::uint8_t> data(bytes);
  std::iota(data.begin(), data.end(), std::uint8_t{'A'});
  return BuildPageText(data, start, false);
}

TEST(PageTextLayout, EveryCharacterMapsToItsCellAndBack) {
  for (const std::size_t bytes : {std::size_t{0}, std::size_t{7}, std::size_t{20}, std::size_t{21}, std::size_t{200}}) {
    SCOPED_TRACE(bytes);
    const PageTextLayout layout(Page(bytes), ShownOn::Screen);
    const std::u32string& text = layout.Text();
    for (int offset = 0; offset < static_cast<int>(text.size()); ++offset) {
      if (text[static_cast<std::size_t>(offset)] == U'\n') continue;
      const std::optional<TextCell> cell = layout.CellOf(offset);
      ASSERT_TRUE(cell) << offset;
      EXPECT_EQ(layout.OffsetOf(*cell), offset);
    }
    EXPECT_FALSE(layout.CellOf(-1));
    EXPECT_FALSE(layout.CellOf(static_cast<int>(text.size()) + 1));
  }
}

TEST(PageTextLayout, ColumnsBeginWhereThePageLineSaysAndCellsPastALineAreNoText) {
  const PageTextLayout layout(Page(21, 400), ShownOn::Screen);
  const PageLineColumns columns = ColumnsOfPageLine(kOffsetDigits);
  const int second = static_cast<int>(layout.Text().find(U'\n')) + 1;
  const struct {
    TextCell cell;
    int offset;
  } cases[] = {
      {{PageColumn::Offset, 0, 6}, 6},                                // the offset's last digit
      {{PageColumn::Offset, 0, columns.hex - 1}, columns.hex - 1},    // the gap belongs to the offsets
      {{PageColumn::Hex, 0, 0}, columns.hex},                         // "4142"
      {{PageColumn::Hex, 0, kHexLineChars}, columns.ascii - 1},       // the gap before the characters
      {{PageColumn::Ascii, 0, 19}, columns.ascii + 19},
      {{PageColumn::Ascii, 0, 20}, -1},                               // past the line's characters
      {{PageColumn::Hex, 1, 0}, second + columns.hex},                // the second line's one byte
      {{PageColumn::Ascii, 1, 1}, -1},
      {{PageColumn::Hex, 2, 0}, -1},                                  // no third line
  };
  for (const auto& c : cases) EXPECT_EQ(layout.OffsetOf(c.cell), c.offset) << c.cell.line << "/" << c.cell.cell;
  EXPECT_EQ(layout.HexOffsetOfByte(13), columns.hex + 32);
  EXPECT_EQ(layout.HexOffsetOfByte(20), second + columns.hex);
  // The page of an empty file is its offset alone: no cell past it.
  const PageTextLayout empty(Page(0), ShownOn::Screen);
  EXPECT_EQ(empty.OffsetOf({PageColumn::Offset, 0, kOffsetDigits}), -1);
  EXPECT_EQ(empty.HexOffsetOfByte(0), 0);
}

TEST(ChangedStretch, NamesOnlyTheStretchThatDiffers) {
  const std::u32string before = U"      0  4142 4344  ABCD\n     20  4546  EF";
  const struct {
    const char* name;
    std::u32string before, after;
    int position;
    std::u32string removed, inserted;
  } cases[] = {
      // A byte edit: the digits and the character of byte 1 change, and what lies between them.
      {"an edit", before, U"      0  4158 4344  AXCD\n     20  4546  EF", 11, U"42 4344  AB", U"58 4344  AX"},
      {"a first page", U"", before, 0, U"", before},
      {"a shorter page", before, U"      0  4142 4344  ABCD", 24, U"\n     20  4546  EF", U""},
      {"repeats at the seam count once", U"aaa", U"aaaa", 3, U"", U"a"},
      {"no change", before, before, static_cast<int>(before.size()), U"", U""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TextChange change = ChangedStretch(c.before, c.after);
    EXPECT_EQ(change.position, c.position);
    EXPECT_EQ(change.removed, c.removed);
    EXPECT_EQ(change.inserted, c.inserted);
    EXPECT_EQ(c.before.substr(0, static_cast<std::size_t>(change.position)) + change.inserted +
                  c.before.substr(static_cast<std::size_t>(change.position) + change.removed.size()),
              c.after);
  }
}

} // namespace
} // namespace vek
