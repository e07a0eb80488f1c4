// The page text and how it is painted, with the file name, size and title texts.

#include <span>

#include <QPainter>
#include <QPaintEvent>

#include "ResourceIds.h"
#include "Strings.h"
#include "core/Ansi.h"
#include "core/DisplayTexts.h"
#include "core/PageText.h"
#include "platform/ControlTemplate.h"
#include "platform/Fonts.h"
#include "view/CVekView.h"
#include "view/ViewDocument.h"

namespace vek {

namespace {
constexpr char32_t kSoftHyphen = 0x00AD;

QString AnsiLine(const std::string& bytes) {
  QString line;
  line.reserve(static_cast<int>(bytes.size()));
  for (const char byte : bytes) {
    char32_t code = AnsiToCodePoint(static_cast<std::uint8_t>(byte));
    // A soft hyphen is drawn as nothing unless a line breaks at it; the page shows it as a hyphen.
    if (code == kSoftHyphen) code = u'-';
    line.append(QChar(static_cast<char16_t>(code))); // the ANSI set lies wholly in the BMP
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
void DrawOnGrid(QPainter& painter, int x, int baseline, const QString& text) {
  for (int i = 0; i < text.size(); ++i) {
    if (text[i] != u' ') painter.drawText(QPoint(x + i * kCellWidth, baseline), QString(text[i]));
  }
}
} // namespace

void CVekView::BuildPageText() {
  if (!m_pPageBuf) return;
  // The text describes the bytes in the buffer, at the offset they were read from.
  const PageText text =
      vek::BuildPageText(std::span<const std::uint8_t>(m_pPageBuf.get(), static_cast<std::size_t>(m_nReadBytes)),
                         m_lReadStart, m_bHexMode);
  m_arrOffsetLines = ToQStringList(text.offsetLines);
  m_arrHexLines = ToQStringList(text.hexLines);
  m_arrAsciiLines.clear();
  for (const std::string& line : text.asciiLines) m_arrAsciiLines.append(AnsiLine(line));
  emit pageTextChanged();
}

void CVekView::ShowFileSize() {
  SetControlText(ids::kFileSize, QString::fromStdString(FormatFileSize(m_lFileSize, m_bHexMode)));
}

void CVekView::UpdateTitle() {
  SetControlText(ids::kFileName, QString::fromUtf8(strings::kFileLinePrefix) + m_strFileName);
  if (m_pDocument != nullptr) m_pDocument->SetTitle(QString::fromUtf8(strings::kTitlePrefix) + m_strFileName);
}

QStringList CVekView::PageLines() const {
  QStringList lines;
  for (int k = 0; k < m_arrHexLines.size(); ++k) {
    lines.append(m_arrOffsetLines.value(k) + QStringLiteral("  ") + m_arrHexLines.value(k).leftJustified(kHexLineChars) +
                 QStringLiteral("  ") + m_arrAsciiLines.value(k));
  }
  return lines;
}

QPoint CVekView::HexCellCenter(int index) const {
  const QRect frame = ColumnFrame(ids::kHexFrame);
  const int line = index / kBytesPerLine;
  const int inLine = index % kBytesPerLine;
  const int cell = inLine / 2 * kHexCellsPerPair + inLine % 2 * 2; // first digit of the byte
  return {frame.left() + kTextInsetX + cell * kCellWidth + kCellWidth,
          frame.top() + kTextInsetY + line * kLineHeight + kLineHeight / 2};
}

QPoint CVekView::AsciiCellCenter(int index) const {
  const QRect frame = ColumnFrame(ids::kAsciiFrame);
  return {frame.left() + kTextInsetX + index % kBytesPerLine * kCellWidth + kCellWidth / 2,
          frame.top() + kTextInsetY + index / kBytesPerLine * kLineHeight + kLineHeight / 2};
}

void CVekView::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  const QRect hexFrame = ColumnFrame(ids::kHexFrame);
  const int hexX = hexFrame.left() + kTextInsetX;
  const int firstY = hexFrame.top() + kTextInsetY;
  const int asciiX = ColumnFrame(ids::kAsciiFrame).left() + kTextInsetX;
  const int offsetX = ColumnFrame(ids::kOffsetFrame).left() + kTextInsetX;
  if (!m_bFontOK) return;

  QPainter painter(this);
  painter.setFont(PageFont());
  painter.setPen(Qt::black);
  const int ascent = painter.fontMetrics().ascent();
  const int lines = std::min<int>(static_cast<int>(m_arrHexLines.size()), kMaxPageLines);
  if (lines > 0) {
    m_nHexWidth = kHexLineWidth;
    m_nAsciiWidth = kAsciiLineWidth;
  }
  for (int k = 0; k < lines; ++k) {
    const int baseline = firstY + k * kLineHeight + ascent;
    DrawOnGrid(painter, offsetX, baseline, m_arrOffsetLines.value(k));
    DrawOnGrid(painter, hexX, baseline, m_arrHexLines.value(k));
    DrawOnGrid(painter, asciiX, baseline, m_arrAsciiLines.value(k));
  }
}

} // namespace vek
