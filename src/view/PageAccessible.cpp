#include "view/PageAccessible.h"

#include <algorithm>
#include <vector>

#include "ResourceIds.h"
#include "core/CellGeometry.h"
#include "core/PageGeometry.h"
#include "core/PageText.h"
#include "core/FileSession.h"
#include "view/CVekView.h"
#include "view/PageArea.h"

namespace vek {

namespace {

// The page as one text, and where each page line and its columns lie in it.
struct LineLayout {
  int start;           // text offset of the line's first character
  int length;          // without the line feed
  PageLineColumns columns;
};
struct PageTextLayout {
  QString text;
  std::vector<LineLayout> lines;
};

PageTextLayout Layout(const CVekView& view) {
  const PageText& text = view.Session().Text();
  PageTextLayout layout;
  for (std::size_t k = 0; k < text.hexLines.size(); ++k) {
    const PageLine line = PageLineText(text, k, ShownOn::Screen);
    if (k > 0) layout.text += u'\n';
    layout.lines.push_back({static_cast<int>(layout.text.size()), static_cast<int>(line.text.size()), line.columns});
    layout.text += QString::fromUcs4(line.text.data(), static_cast<qsizetype>(line.text.size()));
  }
  return layout;
}

QAccessibleInterface* CreatePageAccessible(const QString&, QObject* object) {
  if (auto* area = qobject_cast<PageArea*>(object)) return new PageAccessible(area);
  return nullptr;
}

} // namespace

QString PageAccessibleText(const CVekView& view) { return Layout(view).text; }

int PageCaretOffset(const CVekView& view) {
  // The text shows the bytes that were read; a selection past the end of a shorter page stays on
  // its last byte.
  const int bytes = view.Session().Page().readCount;
  if (bytes == 0) return 0;
  const int index = std::clamp(view.Session().SelIndex(), 0, bytes - 1);
  const LineLayout line = Layout(view).lines[static_cast<std::size_t>(index / kBytesPerLine)];
  return line.start + line.columns.hex + HexColumnOfByte(index % kBytesPerLine);
}

std::optional<TextRange> PageSelection(const PageArea& area) {
  const FileSession& session = area.View().Session();
  if (!area.HasSelection() || !session.Page().HoldsByte(session.SelIndex())) return std::nullopt;
  const int caret = PageCaretOffset(area.View());
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
    case QAccessible::Description: {
      const QString position = Area().View().PositionLine();
      return position.isEmpty() ? QStringLiteral("Offset, file bytes in hex-words, file bytes in ASCII") : position;
    }
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
  const std::vector<LineLayout> layout = Layout(view).lines;
  const auto line = std::find_if(layout.begin(), layout.end(), [offset](const LineLayout& l) {
    return offset >= l.start && offset <= l.start + l.length;
  });
  if (offset < 0 || line == layout.end()) return {};
  const int k = static_cast<int>(line - layout.begin());
  const int column = offset - line->start;
  // Offsets and the blanks after them continue the offset column's grid, the blanks after the
  // hex-words the hex column's; each character is painted in a cell of its own.
  CellRect cell = GridCell(view.ColumnFrame(ids::kOffsetFrame), k, column);
  if (column >= line->columns.ascii) {
    cell = GridCell(view.ColumnFrame(ids::kAsciiFrame), k, column - line->columns.ascii);
  } else if (column >= line->columns.hex) {
    cell = GridCell(view.ColumnFrame(ids::kHexFrame), k, column - line->columns.hex);
  }
  return {view.mapToGlobal(QPoint(cell.left, cell.top)), QSize(cell.width, cell.height)};
}

int PageAccessible::offsetAtPoint(const QPoint& point) const {
  const CVekView& view = Area().View();
  const std::vector<LineLayout> layout = Layout(view).lines;
  const QPoint p = view.mapFromGlobal(point);
  // The rightmost column whose grid holds the point is the one it points at; each column claims
  // the cells up to where the next one begins in the text.
  for (const int frameId : {ids::kAsciiFrame, ids::kHexFrame, ids::kOffsetFrame}) {
    const std::optional<GridPosition> cell = GridPositionAt(view.ColumnFrame(frameId), p.x(), p.y());
    if (!cell) continue;
    if (cell->line >= static_cast<int>(layout.size())) return -1;
    const LineLayout& line = layout[static_cast<std::size_t>(cell->line)];
    int first = 0;
    int end = line.columns.hex;
    if (frameId == ids::kAsciiFrame) {
      first = line.columns.ascii;
      end = line.length;
    } else if (frameId == ids::kHexFrame) {
      first = line.columns.hex;
      end = line.columns.ascii;
    }
    const int column = first + cell->column;
    return column < end ? line.start + column : -1;
  }
  return -1;
}

QString PageAccessible::attributes(int, int* startOffset, int* endOffset) const {
  // One run without attributes: the whole page is in one font and colour.
  *startOffset = 0;
  *endOffset = characterCount();
  return {};
}

} // namespace vek
