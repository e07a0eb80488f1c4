#include "view/PageAccessible.h"

#include <algorithm>

#include "ResourceIds.h"
#include "core/CellGeometry.h"
#include "core/FileSession.h"
#include "core/PageTextLayout.h"
#include "view/CVekView.h"
#include "view/PageArea.h"

namespace vek {

namespace {

PageTextLayout Layout(const CVekView& view) { return PageTextLayout(view.Session().Text(), ShownOn::Screen); }

int FrameOf(PageColumn column) {
  switch (column) {
    case PageColumn::Offset: return ids::kOffsetFrame;
    case PageColumn::Hex: return ids::kHexFrame;
    case PageColumn::Ascii: break;
  }
  return ids::kAsciiFrame;
}

QAccessibleInterface* CreatePageAccessible(const QString&, QObject* object) {
  if (auto* area = qobject_cast<PageArea*>(object)) return new PageAccessible(area);
  return nullptr;
}

} // namespace

std::u32string PageAccessibleText32(const CVekView& view) { return Layout(view).Text(); }

QString PageAccessibleText(const CVekView& view) {
  const std::u32string text = PageAccessibleText32(view);
  return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

int PageCaretOffset(const CVekView& view) {
  // The text shows the bytes that were read; a selection past the end of a shorter page stays on
  // its last byte.
  const int last = std::max(view.Session().Page().readCount - 1, 0);
  return Layout(view).HexOffsetOfByte(std::clamp(view.Session().SelIndex(), 0, last));
}

std::optional<TextRange> PageSelection(const PageArea& area) {
  const FileSession& session = area.View().Session();
  if (!area.HasSelection() || !session.Page().HoldsByte(session.SelIndex())) return std::nullopt;
  const int caret = PageCaretOffset(area.View());
  return TextRange{caret, caret + 2};
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
  const std::optional<TextCell> at = Layout(view).CellOf(offset);
  if (!at) return {};
  // Each character is painted in a cell of its own.
  const CellRect cell = GridCell(view.ColumnFrame(FrameOf(at->column)), at->line, at->cell);
  return {view.mapToGlobal(QPoint(cell.left, cell.top)), QSize(cell.width, cell.height)};
}

int PageAccessible::offsetAtPoint(const QPoint& point) const {
  const CVekView& view = Area().View();
  const QPoint p = view.mapFromGlobal(point);
  // The rightmost column whose grid holds the point is the one it points at.
  for (const PageColumn column : {PageColumn::Ascii, PageColumn::Hex, PageColumn::Offset}) {
    const std::optional<GridPosition> cell = GridPositionAt(view.ColumnFrame(FrameOf(column)), p.x(), p.y());
    if (cell) return Layout(view).OffsetOf({column, cell->line, cell->column});
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
