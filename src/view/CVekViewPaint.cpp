// The page text and how it is painted, with the file name, size and title texts.

#include <span>

#include <QLabel>
#include <QPainter>
#include <QPaintEvent>

#include "ResourceIds.h"
#include "Strings.h"
#include "core/Ansi.h"
#include "core/DisplayTexts.h"
#include "core/PageText.h"
#include "core/CellGeometry.h"
#include "platform/ControlTemplate.h"
#include "platform/Fonts.h"
#include "view/CVekView.h"
#include "view/PageArea.h"
#include "view/ViewDocument.h"

namespace vek {

namespace {
QString AnsiLine(const std::string& bytes) {
  QString line;
  line.reserve(static_cast<int>(bytes.size()));
  for (const char byte : bytes) {
    // The ANSI set lies wholly in the BMP.
    line.append(QChar(static_cast<char16_t>(ShownCharacter(static_cast<std::uint8_t>(byte), ShownOn::Screen))));
  }
  return line;
}

QStringList ToQStringList(const std::vector<std::string>& lines) {
  QStringList list;
  list.reserve(static_cast<int>(lines.size()));
  for (const std::string& line : lines) list.append(QString::fromLatin1(line));
  return list;
}

// Every character sits in its own cell of the page grid, whatever the font's own advance, so that
// what is painted and what the hit test computes agree.
void DrawOnGrid(QPainter& painter, const FrameRect& frame, int line, int ascent, const QString& text) {
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] == u' ') continue;
    const CellRect cell = GridCell(frame, line, i);
    painter.drawText(QPoint(cell.left, cell.top + ascent), QString(text[i]));
  }
}
} // namespace

void CVekView::BuildPageText() {
  // The text describes the bytes in the buffer, at the offset they were read from.
  const PageText text = vek::BuildPageText(
      std::span<const std::uint8_t>(m_pageBuf.data(), static_cast<std::size_t>(m_page.readCount)), m_page.readStart,
      m_bHexMode);
  m_arrOffsetLines = ToQStringList(text.offsetLines);
  m_arrHexLines = ToQStringList(text.hexLines);
  m_arrAsciiLines.clear();
  for (const std::string& line : text.asciiLines) m_arrAsciiLines.append(AnsiLine(line));
  emit pageTextChanged();
}

void CVekView::ShowFileSize() {
  m_fileSizeLabel->setText(QString::fromStdString(FormatFileSize(m_page.fileSize, m_bHexMode)));
}

void CVekView::UpdateTitle() {
  m_fileNameLabel->setText(QString::fromUtf8(strings::kFileLinePrefix) + FileName());
  if (m_pDocument != nullptr) m_pDocument->SetTitle(std::string(strings::kTitlePrefix) + m_strFileName);
}

QStringList CVekView::PageLines() const {
  QStringList lines;
  for (int k = 0; k < m_arrHexLines.size(); ++k) {
    if (m_arrHexLines[k].isEmpty()) {
      lines.append(m_arrOffsetLines.value(k));
      continue;
    }
    lines.append(m_arrOffsetLines.value(k) + QString(kOffsetGap, u' ') + m_arrHexLines.value(k).leftJustified(kHexLineChars) +
                 QString(kCharsGap, u' ') + m_arrAsciiLines.value(k));
  }
  return lines;
}

namespace {
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
  const int lines = std::min<int>(static_cast<int>(m_arrHexLines.size()), kMaxPageLines);
  if (lines > 0) {
    m_nHexWidth = kHexLineWidth;
    m_nAsciiWidth = kAsciiLineWidth;
  }
  const FrameRect offsetFrame = ColumnFrame(ids::kOffsetFrame);
  const FrameRect hexFrame = ColumnFrame(ids::kHexFrame);
  const FrameRect asciiFrame = ColumnFrame(ids::kAsciiFrame);
  for (int k = 0; k < lines; ++k) {
    DrawOnGrid(painter, offsetFrame, k, ascent, m_arrOffsetLines.value(k));
    DrawOnGrid(painter, hexFrame, k, ascent, m_arrHexLines.value(k));
    DrawOnGrid(painter, asciiFrame, k, ascent, m_arrAsciiLines.value(k));
  }
  // The focus mark: where a keyboard user is, only while the page has the keyboard focus.
  if (m_pageArea->hasFocus() && m_page.HoldsByte(m_nSelIndex)) {
    painter.setPen(palette().color(QPalette::Highlight));
    for (const CellRect& cell : {HexByteCell(hexFrame, m_nSelIndex), AsciiByteCell(asciiFrame, m_nSelIndex)}) {
      painter.drawRect(cell.left, cell.top, cell.width - 1, cell.height - 1); // a 1-pixel frame inside the cells
    }
  }
}

} // namespace vek
