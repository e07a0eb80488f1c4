#pragma once
// The page as one text, for those who read it as text (a screen reader, a Braille display): the page
// lines (PageLineText) joined by line feeds, and where each line and its columns lie in it, so that
// a text offset maps to the cell of the page grid its character is painted in, and back.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/PageText.h"

namespace vek {

enum class PageColumn { Offset, Hex, Ascii };

// A cell of a column's grid: page line `line`, character `cell` from the column's text origin.
struct TextCell {
  PageColumn column = PageColumn::Offset;
  int line = 0;
  int cell = 0;
  friend bool operator==(const TextCell&, const TextCell&) = default;
};

class PageTextLayout {
 public:
  PageTextLayout(const PageText& text, ShownOn target);

  const std::u32string& Text() const { return m_text; }
  // The cell the character at `offset` is painted in (a line's end, where its line feed stands,
  // counts as the cell after its last character); none outside the text. Offsets and the blanks
  // after them continue the offset column's grid, the blanks after the hex-words the hex column's.
  std::optional<TextCell> CellOf(int offset) const;
  // The text offset of a cell, or -1 where the line has no character there. A column claims the
  // cells up to where the next one begins in the text.
  int OffsetOf(const TextCell& cell) const;
  // Where page byte `index`'s two hex digits begin; 0 on a page without bytes.
  int HexOffsetOfByte(int index) const;

 private:
  struct Line {
    int start;  // text offset of the line's first character
    int length; // without the line feed
    PageLineColumns columns;
  };
  std::u32string m_text;
  std::vector<Line> m_lines;
};

// The stretch of `before` that `after` replaces: from the first character that differs to the last,
// so that a byte edit is told to a screen reader as its new digits and character, not as a new page.
struct TextChange {
  int position = 0;
  std::u32string removed;
  std::u32string inserted;
};
TextChange ChangedStretch(std::u32string_view before, std::u32string_view after);

} // namespace vek
