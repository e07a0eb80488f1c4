#include "view/PageAccessible.h"

#include <algorithm>
#include <vector>

#include "ResourceIds.h"
#include "core/PageGeometry.h"
#include "platform/ControlTemplate.h"
#include "view/CVekView.h"
#include "view/PageArea.h"

namespace vek {

namespace {

// Where one page line lies in the text, and where its hex and character columns begin in it.
struct LineLayout {
  int start;      // text offset of the line's first character
  int length;     // without the line feed
  int hexStart;   // column of the first hex digit
  int asciiStart; // column of the first character of the character column
};

std::vector<LineLayout> Layout(const CVekView& view, const QStringList& lines) {
  std::vector<LineLayout> layout;
  layout.reserve(static_cast<std::size_t>(lines.size()));
  int start = 0;
  for (int k = 0; k < lines.size(); ++k) {
    const QString& line = lines[k];
    const int offsetEnd = static_cast<int>(view.OffsetLines().value(k).size());
    // The separators hold blanks only, so the first match after the offset is the hex column.
    const QString hex = view.HexLines().value(k);
    const int hexAt = hex.isEmpty() ? -1 : static_cast<int>(line.indexOf(hex, offsetEnd));
    const int length = static_cast<int>(line.size());
    const int asciiStart = length - static_cast<int>(view.AsciiLines().value(k).size());
    layout.push_back({start, length, hexAt < 0 ? offsetEnd : hexAt, asciiStart});
    start += length + 1;
  }
  return layout;
}

// Bytes the page text shows: twenty a line, and two hex digits each on the last one.
int BytesShown(const CVekView& view) {
  const QStringList& hexLines = view.HexLines();
  if (hexLines.isEmpty()) return 0;
  const QString& last = hexLines.back();
  const auto digits = std::count_if(last.begin(), last.end(), [](QChar c) { return c != u' '; });
  return static_cast<int>(hexLines.size() - 1) * kBytesPerLine + static_cast<int>(digits) / 2;
}

// Text origins of the three columns in the view, as painting places them.
struct Origins {
  int offsetX;
  int hexX;
  int asciiX;
  int firstY;
};

Origins ColumnOrigins(const CVekView& view) {
  const QRect hex = ControlRect(&view, ids::kHexFrame);
  return {ControlRect(&view, ids::kOffsetFrame).left() + kTextInsetX, hex.left() + kTextInsetX,
          ControlRect(&view, ids::kAsciiFrame).left() + kTextInsetX, hex.top() + kTextInsetY};
}

QAccessibleInterface* CreatePageAccessible(const QString&, QObject* object) {
  if (auto* area = qobject_cast<PageArea*>(object)) return new PageAccessible(area);
  return nullptr;
}

} // namespace

QString PageAccessibleText(const CVekView& view) { return view.PageLines().join(u'\n'); }

int PageCaretOffset(const CVekView& view) {
  const int bytes = BytesShown(view);
  if (bytes == 0) return 0;
  // A selection past the end of a shorter page stays on its last byte.
  const int index = std::clamp(view.SelIndex(), 0, bytes - 1);
  const std::vector<LineLayout> layout = Layout(view, view.PageLines());
  const LineLayout& line = layout[static_cast<std::size_t>(index / kBytesPerLine)];
  const int inLine = index % kBytesPerLine;
  return line.start + line.hexStart + inLine / 2 * kHexCellsPerPair + inLine % 2 * 2;
}

std::optional<TextRange> PageSelection(const PageArea& area) {
  const CVekView& view = area.View();
  if (!area.HasSelection() || view.SelIndex() < 0 || view.SelIndex() >= BytesShown(view)) return std::nullopt;
  const int caret = PageCaretOffset(view);
  return TextRange{caret, caret + 2};
}

TextChange ChangedStretch(const QString& before, const QString& after) {
  const qsizetype shorter = std::min(before.size(), after.size());
  qsizetype head = 0;
  while (head < shorter && before[head] == after[head]) ++head;
  qsizetype tail = 0;
  while (tail < shorter - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
  return {static_cast<int>(head), before.mid(head, before.size() - head - tail), after.mid(head, after.size() - head - tail)};
}

void InstallPageAccessibleFactory() {
  static const bool installed = [] {
    QAccessible::installFactory(CreatePageAccessible);
    return true;
  }();
  (void)installed;
}

PageAccessible::PageAccessible(PageArea* area) : QAccessibleWidget(area, QAccessible::EditableText) {}

const PageArea& PageAccessible::Area() const { return *static_cast<const PageArea*>(object()); }

QString PageAccessible::text(QAccessible::Text t) const {
  switch (t) {
    case QAccessible::Name:
      return QStringLiteral("Page bytes");
    case QAccessible::Description:
      return QStringLiteral("Offset, file bytes in hex-words, file bytes in ASCII");
    case QAccessible::Value:
      return PageAccessibleText(Area().View());
    default:
      return QAccessibleWidget::text(t);
  }
}

QAccessible::State PageAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.readOnly = true;
  state.multiLine = true;
  state.selectableText = true;
  return state;
}

void* PageAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

void PageAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  const std::optional<TextRange> selected = PageSelection(Area());
  if (selectionIndex != 0 || !selected) {
    *startOffset = 0;
    *endOffset = 0;
    return;
  }
  *startOffset = selected->start;
  *endOffset = selected->end;
}

int PageAccessible::selectionCount() const { return PageSelection(Area()) ? 1 : 0; }

int PageAccessible::cursorPosition() const { return PageCaretOffset(Area().View()); }

QString PageAccessible::text(int startOffset, int endOffset) const {
  const QString all = PageAccessibleText(Area().View());
  if (endOffset < 0 || endOffset > all.size()) endOffset = static_cast<int>(all.size());
  startOffset = std::clamp(startOffset, 0, endOffset);
  return all.mid(startOffset, endOffset - startOffset);
}

int PageAccessible::characterCount() const { return static_cast<int>(PageAccessibleText(Area().View()).size()); }

QRect PageAccessible::characterRect(int offset) const {
  const CVekView& view = Area().View();
  const std::vector<LineLayout> layout = Layout(view, view.PageLines());
  const auto line = std::find_if(layout.begin(), layout.end(), [offset](const LineLayout& l) {
    return offset >= l.start && offset <= l.start + l.length;
  });
  if (offset < 0 || line == layout.end()) return {};
  const Origins origins = ColumnOrigins(view);
  const int column = offset - line->start;
  // Offsets and the blanks after them continue the offset column's grid, the blanks after the
  // hex-words the hex column's; each character is painted in a cell of its own.
  int x = origins.offsetX + column * kCellWidth;
  if (column >= line->asciiStart) {
    x = origins.asciiX + (column - line->asciiStart) * kCellWidth;
  } else if (column >= line->hexStart) {
    x = origins.hexX + (column - line->hexStart) * kCellWidth;
  }
  const int y = origins.firstY + static_cast<int>(line - layout.begin()) * kLineHeight;
  return {view.mapToGlobal(QPoint(x, y)), QSize(kCellWidth, kLineHeight)};
}

int PageAccessible::offsetAtPoint(const QPoint& point) const {
  const CVekView& view = Area().View();
  const std::vector<LineLayout> layout = Layout(view, view.PageLines());
  const Origins origins = ColumnOrigins(view);
  const QPoint p = view.mapFromGlobal(point);
  if (p.y() < origins.firstY) return -1;
  const auto k = static_cast<std::size_t>((p.y() - origins.firstY) / kLineHeight);
  if (k >= layout.size()) return -1;
  const LineLayout& line = layout[k];
  // Each column claims the cells up to where the next one begins in the text.
  const auto inColumn = [&line](int x, int originX, int first, int end) {
    const int column = first + (x - originX) / kCellWidth;
    return column < end ? line.start + column : -1;
  };
  if (p.x() >= origins.asciiX) return inColumn(p.x(), origins.asciiX, line.asciiStart, line.length);
  if (p.x() >= origins.hexX) return inColumn(p.x(), origins.hexX, line.hexStart, line.asciiStart);
  if (p.x() >= origins.offsetX) return inColumn(p.x(), origins.offsetX, 0, line.hexStart);
  return -1;
}

QString PageAccessible::attributes(int, int* startOffset, int* endOffset) const {
  // One run without attributes: the whole page is in one font and colour.
  *startOffset = 0;
  *endOffset = characterCount();
  return {};
}

} // namespace vek
