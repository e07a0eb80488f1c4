#include "view/PageArea.h"

#include <QAccessible>

#include "ResourceIds.h"
#include "platform/ControlTemplate.h"
#include "view/CVekView.h"
#include "view/PageAccessible.h"

namespace vek {

PageArea::PageArea(CVekView& view) : QWidget(&view), m_view(view) {
  // Clicks and double-clicks go through to the view, whose hit test selects and edits bytes.
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(ControlRect(&view, ids::kOffsetFrame).united(ControlRect(&view, ids::kAsciiFrame)));
  connect(&view, &CVekView::pageTextChanged, this, &PageArea::OnPageTextChanged);
  connect(&view, &CVekView::selectionChanged, this, &PageArea::OnSelectionChanged);
}

void PageArea::OnPageTextChanged() {
  // Without a listener nothing is built: the page costs nothing more than it did.
  if (!QAccessible::isActive()) {
    m_strToldText.clear();
    return;
  }
  const QString text = PageAccessibleText(m_view);
  if (text == m_strToldText) return;
  // Only the changed stretch is told, so that after a byte edit a screen reader speaks the new
  // digits rather than the whole page again.
  const TextChange change = ChangedStretch(m_strToldText, text);
  m_strToldText = text;
  QAccessibleTextUpdateEvent update(this, change.position, change.removed, change.inserted);
  update.setCursorPosition(PageCaretOffset(m_view));
  QAccessible::updateAccessibility(&update);
}

void PageArea::OnSelectionChanged() {
  m_bHasSelection = true;
  if (!QAccessible::isActive()) return;
  const int caret = PageCaretOffset(m_view);
  if (const std::optional<TextRange> selected = PageSelection(*this)) {
    QAccessibleTextSelectionEvent selection(this, selected->start, selected->end);
    selection.setCursorPosition(caret);
    QAccessible::updateAccessibility(&selection);
  }
  QAccessibleTextCursorEvent cursor(this, caret);
  QAccessible::updateAccessibility(&cursor);
}

} // namespace vek
