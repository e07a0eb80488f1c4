// How the page is painted: every character in its cell of the page grid.

#include <QPainter>
#include <QPaintEvent>

#include "ResourceIds.h"
#include "core/CellGeometry.h"
#include "core/FileSession.h"
#include "platform/Fonts.h"
#include "view/CVekView.h"
#include "view/PageArea.h"

namespace vek {

namespace {

// Every character sits in its own cell of the page grid, whatever the font's own advance, so that
// what is painted and what the hit test computes agree.
void DrawOnGrid(QPainter& painter, const FrameRect& frame, int line, int ascent, std::u32string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == U' ') continue;
    const CellRect cell = GridCell(frame, line, static_cast<int>(i));
    painter.drawText(QPoint(cell.left, cell.top + ascent), QString::fromUcs4(&text[i], 1));
  }
}

std::u32string Widened(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

std::u32string ShownCharacters(const std::string& bytes) {
  std::u32string shown;
  for (const char byte : bytes) shown += ShownCharacter(static_cast<std::uint8_t>(byte), ShownOn::Screen);
  return shown;
}

QPoint Center(const CellRect& cell) { return {cell.left + cell.width / 2, cell.top + cell.height / 2}; }

} // namespace

QPoint CVekView::HexCellCenter(int index) const { return Center(HexByteCell(ColumnFrame(ids::kHexFrame), index)); }

QPoint CVekView::AsciiCellCenter(int index) const {
  return Center(AsciiByteCell(ColumnFrame(ids::kAsciiFrame), index));
}

void CVekView::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter painter(this);
  painter.setFont(PageFont());
  painter.setPen(Qt::black);
  const int ascent = painter.fontMetrics().ascent();
  const PageText& text = m_session.Text();
  const int lines = std::min<int>(static_cast<int>(text.hexLines.size()), kMaxPageLines);
  if (lines > 0) {
    m_nHexWidth = kHexLineWidth;
    m_nAsciiWidth = kAsciiLineWidth;
  }
  const FrameRect offsetFrame = ColumnFrame(ids::kOffsetFrame);
  const FrameRect hexFrame = ColumnFrame(ids::kHexFrame);
  const FrameRect asciiFrame = ColumnFrame(ids::kAsciiFrame);
  for (int k = 0; k < lines; ++k) {
    const auto line = static_cast<std::size_t>(k);
    DrawOnGrid(painter, offsetFrame, k, ascent, Widened(text.offsetLines[line]));
    DrawOnGrid(painter, hexFrame, k, ascent, Widened(text.hexLines[line]));
    DrawOnGrid(painter, asciiFrame, k, ascent, ShownCharacters(text.asciiLines[line]));
  }
  // The focus mark: where a keyboard user is, only while the page has the keyboard focus.
  const int selected = m_session.SelIndex();
  if (m_pageArea->hasFocus() && m_session.Page().HoldsByte(selected)) {
    painter.setPen(palette().color(QPalette::Highlight));
    for (const CellRect& cell : {HexByteCell(hexFrame, selected), AsciiByteCell(asciiFrame, selected)}) {
      painter.drawRect(cell.left, cell.top, cell.width - 1, cell.height - 1); // a 1-pixel frame inside the cells
    }
  }
}

} // namespace vek
