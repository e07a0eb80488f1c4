#include "core/PageTextLayout.h"

#include <algorithm>

#include "core/CellGeometry.h"

namespace vek {

PageTextLayout::PageTextLayout(const PageText& text, ShownOn target) {
  for (std::size_t k = 0; k < text.hexLines.size(); ++k) {
    const PageLine line = PageLineText(text, k, target);
    if (k > 0) m_text += U'\n';
    m_lines.push_back({static_cast<int>(m_text.size()), static_cast<int>(line.text.size()), line.columns});
    m_text += line.text;
  }
}

std::optional<TextCell> PageTextLayout::CellOf(int offset) const {
  for (std::size_t k = 0; k < m_lines.size(); ++k) {
    const Line& line = m_lines[k];
    if (offset < line.start || offset > line.start + line.length) continue;
    const int at = offset - line.start;
    const int index = static_cast<int>(k);
    if (at >= line.columns.ascii) return TextCell{PageColumn::Ascii, index, at - line.columns.ascii};
    if (at >= line.columns.hex) return TextCell{PageColumn::Hex, index, at - line.columns.hex};
    return TextCell{PageColumn::Offset, index, at};
  }
  return std::nullopt;
}

int PageTextLayout::OffsetOf(const TextCell& cell) const {
  if (cell.line < 0 || cell.line >= static_cast<int>(m_lines.size()) || cell.cell < 0) return -1;
  const Line& line = m_lines[static_cast<std::size_t>(cell.line)];
  int first = 0;
  int end = line.columns.hex;
  if (cell.column == PageColumn::Ascii) {
    first = line.columns.ascii;
    end = line.length;
  } else if (cell.column == PageColumn::Hex) {
    first = line.columns.hex;
    end = line.columns.ascii;
  }
  const int at = first + cell.cell;
  return at < std::min(end, line.length) ? line.start + at : -1;
}

int PageTextLayout::HexOffsetOfByte(int index) const {
  if (m_lines.empty() || index < 0) return 0;
  const Line& line = m_lines[std::min<std::size_t>(static_cast<std::size_t>(index / kBytesPerLine), m_lines.size() - 1)];
  if (line.length <= line.columns.hex) return 0; // the page of an empty file has no hex-words
  return line.start + line.columns.hex + HexColumnOfByte(index % kBytesPerLine);
}

TextChange ChangedStretch(std::u32string_view before, std::u32string_view after) {
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t head = 0;
  while (head < shorter && before[head] == after[head]) ++head;
  std::size_t tail = 0;
  while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
  return {static_cast<int>(head), std::u32string(before.substr(head, before.size() - head - tail)),
          std::u32string(after.substr(head, after.size() - head - tail))};
}

} // namespace vek
