#include "view/PageArea.h"

#include <QAccessible>
#include <QKeyEvent>

#include "ResourceIds.h"
#include "core/ByteMove.h"
#include "core/PageTextLayout.h"
#include "platform/ControlTemplate.h"
#include "view/CVekView.h"
#include "view/PageAccessible.h"
#include "view/PageTool.h"

namespace vek {

PageArea::PageArea(CVekView& view) : QWidget(&view), m_view(view) {
  // Clicks and double-clicks go through to the view, whose hit test selects and edits bytes; the
  // keyboard focus comes by Tab only, after the form's controls, so that mouse use is untouched.
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::TabFocus);
  setGeometry(ControlRect(&view, ids::kOffsetFrame).united(ControlRect(&view, ids::kAsciiFrame)));
  connect(&view, &CVekView::pageTextChanged, this, &PageArea::OnPageTextChanged);
  connect(&view, &CVekView::selectionChanged, this, &PageArea::OnSelectionChanged);
  connect(&view, &CVekView::positionLineShown, this, [this] {
    // The page's description is the position line: a screen reader on the page speaks the new
    // "Byte 413 = 130" after each move.
    if (!QAccessible::isActive()) return;
    QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&changed);
  });
}

void PageArea::keyPressEvent(QKeyEvent* event) {
  const auto move = [this](ByteMove m) { m_view.MoveSelection(m); };
  if (const std::optional<PageTool> tool = PageToolForKey(event->modifiers(), event->key())) {
    event->accept();
    return m_view.RequestTool(*tool);
  }
  if (event->modifiers() & ~Qt::KeypadModifier) return QWidget::keyPressEvent(event);
  switch (event->key()) {
    case Qt::Key_Left: move(ByteMove::Left); break;
    case Qt::Key_Right: move(ByteMove::Right); break;
    case Qt::Key_Up: move(ByteMove::Up); break;
    case Qt::Key_Down: move(ByteMove::Down); break;
    case Qt::Key_Home: move(ByteMove::LineStart); break;
    case Qt::Key_End: move(ByteMove::LineEnd); break;
    case Qt::Key_F2:
    case Qt::Key_Space: m_view.EditSelectedByte(); break;
    default: return QWidget::keyPressEvent(event);
  }
  event->accept();
}

void PageArea::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  m_view.update(geometry()); // the focus mark
}

void PageArea::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  m_view.update(geometry());
}

void PageArea::OnPageTextChanged() {
  // Without a listener nothing is built: the page costs nothing more than it did.
  if (!QAccessible::isActive()) {
    m_strToldText.clear();
    return;
  }
  const std::u32string text = PageAccessibleText32(m_view);
  if (text == m_strToldText) return;
  // Only the changed stretch is told, so that after a byte edit a screen reader speaks the new
  // digits rather than the whole page again.
  const TextChange change = ChangedStretch(m_strToldText, text);
  m_strToldText = text;
  const auto toQt = [](const std::u32string& s) { return QString::fromUcs4(s.data(), static_cast<qsizetype>(s.size())); };
  QAccessibleTextUpdateEvent update(this, change.position, toQt(change.removed), toQt(change.inserted));
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
