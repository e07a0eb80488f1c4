// How the page is painted: every character in its cell of the page grid.

#include <functional>

#include <QPainter>
#include <QPaintEvent>

#include "ResourceIds.h"
#include "core/CellGeometry.h"
#include "core/FileSession.h"
#include "platform/ControlTemplate.h"
#include "platform/Fonts.h"
#include "view/CVekView.h"
#include "view/PageArea.h"

namespace vek {

namespace {

// Every character sits in its own cell of the page grid, whatever the font's own advance, so that
// what is painted and what the hit test computes agree. `selected` tells which characters stand on
// the selected range's highlight.
void DrawOnGrid(QPainter& painter, const FrameRect& frame, int line, int ascent, std::u32string_view text,
                const QPalette& palette, QPalette::ColorGroup group, const std::function<bool(int column)>& selected) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == U' ') continue;
    const auto column = static_cast<int>(i);
    const CellRect cell = GridCell(frame, line, column);
    painter.setPen(palette.color(group, selected(column) ? QPalette::HighlightedText : QPalette::WindowText));
    painter.drawText(QPoint(cell.left, cell.top + ascent), QString::fromUcs4(&text[i], 1));
  }
}

QRect ToQRect(const CellRect& cell) { return {cell.left, cell.top, cell.width, cell.height}; }

// A light wash of `colour` over the window's background, under the text's own colour.
QColor Wash(const QPalette& palette, const QColor& colour, double share) {
  const QColor window = palette.color(QPalette::Window);
  return QColor::fromRgbF(static_cast<float>(window.redF() + (colour.redF() - window.redF()) * share),
                          static_cast<float>(window.greenF() + (colour.greenF() - window.greenF()) * share),
                          static_cast<float>(window.blueF() + (colour.blueF() - window.blueF()) * share));
}

constexpr double kWashShare = 0.35;

// A byte another program changed: a wash of the highlight.
QColor ChangedColor(const QPalette& palette) { return Wash(palette, palette.color(QPalette::Highlight), kWashShare); }

// A byte that differs from the compared file: a wash of the highlight's opposite hue, so that it
// stands apart from a range and from a change of another program's under any palette. A highlight
// without a hue (grey) has no opposite: the wash is then a stronger one of it.
QColor DifferenceColor(const QPalette& palette) {
  const QColor highlight = palette.color(QPalette::Highlight).toHsv();
  constexpr double kGreyShare = 0.7;
  if (highlight.hsvHue() < 0) return Wash(palette, highlight, kGreyShare);
  constexpr int kHalfTurn = 180;
  const QColor opposite =
      QColor::fromHsv((highlight.hsvHue() + kHalfTurn) % (2 * kHalfTurn), highlight.hsvSaturation(), highlight.value());
  return Wash(palette, opposite, kWashShare);
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

void CVekView::MarkDifferences(std::optional<PageDifferences> marks) {
  m_session.MarkDifferences(marks);
  update(ControlRect(this, ids::kHexFrame).united(ControlRect(this, ids::kAsciiFrame)));
}

void CVekView::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter painter(this);
  painter.setFont(PageFont());
  const int ascent = painter.fontMetrics().ascent();
  const PageText& text = m_session.Text();
  const PageState& page = m_session.Page();
  const int lines = std::min<int>(static_cast<int>(text.hexLines.size()), kMaxPageLines);
  if (lines > 0) {
    m_nHexWidth = kHexLineWidth;
    m_nAsciiWidth = kAsciiLineWidth;
  }
  const FrameRect offsetFrame = ColumnFrame(ids::kOffsetFrame);
  const FrameRect hexFrame = ColumnFrame(ids::kHexFrame);
  const FrameRect asciiFrame = ColumnFrame(ids::kAsciiFrame);
  // A range is drawn on the palette's highlight, in both columns; one selected byte is not.
  const std::optional<ByteRange> range = m_session.Selection();
  const auto inRange = [&](int index) {
    return range && range->Count() > 1 && page.HoldsByte(index) && range->Holds(page.OffsetOf(index));
  };
  const QColor differenceWash = DifferenceColor(palette());
  const QColor changedWash = ChangedColor(palette());
  for (int index = 0; index < page.readCount; ++index) {
    // A difference from the compared file matters more than a change of another program's.
    const bool differs = m_session.Differs(index);
    if ((differs || m_session.ChangedOutside(index)) && !inRange(index)) {
      const QColor& wash = differs ? differenceWash : changedWash;
      painter.fillRect(ToQRect(HexByteCell(hexFrame, index)), wash);
      painter.fillRect(ToQRect(AsciiByteCell(asciiFrame, index)), wash);
    }
    if (!inRange(index)) continue;
    CellRect hex = HexByteCell(hexFrame, index);
    // The blank after a pair belongs to the highlight when the range goes on past it on this line.
    const bool pairEnds = index % 2 == 1 && (index + 1) % kBytesPerLine != 0;
    if (pairEnds && inRange(index + 1)) hex.width += kCellWidth;
    painter.fillRect(ToQRect(hex), palette().color(QPalette::Highlight));
    painter.fillRect(ToQRect(AsciiByteCell(asciiFrame, index)), palette().color(QPalette::Highlight));
  }
  const auto none = [](int) { return false; };
  // A page whose quiet read failed no longer shows the file: drawn as disabled text is.
  const QPalette::ColorGroup group = m_session.OutOfDate() ? QPalette::Disabled : palette().currentColorGroup();
  for (int k = 0; k < lines; ++k) {
    const auto line = static_cast<std::size_t>(k);
    const int first = k * kBytesPerLine;
    DrawOnGrid(painter, offsetFrame, k, ascent, Widened(text.offsetLines[line]), palette(), group, none);
    DrawOnGrid(painter, hexFrame, k, ascent, Widened(text.hexLines[line]), palette(), group, [&](int column) {
      const std::optional<int> byte = ByteOfHexColumn(column);
      return byte && inRange(first + *byte);
    });
    DrawOnGrid(painter, asciiFrame, k, ascent, ShownCharacters(text.asciiLines[line]), palette(), group,
               [&](int column) { return inRange(first + column); });
  }
  // The focus mark: where a keyboard user is, only while the page has the keyboard focus.
  const int selected = m_session.SelIndex();
  if (m_pageArea->hasFocus() && page.HoldsByte(selected)) {
    painter.setPen(palette().color(QPalette::Highlight));
    for (const CellRect& cell : {HexByteCell(hexFrame, selected), AsciiByteCell(asciiFrame, selected)}) {
      painter.drawRect(cell.left, cell.top, cell.width - 1, cell.height - 1); // a 1-pixel frame inside the cells
    }
  }
}

} // namespace vek
