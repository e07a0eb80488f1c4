// Selecting a byte with a click or from the keyboard.

#include <QLabel>
#include <QMouseEvent>

#include "ResourceIds.h"
#include "core/CellGeometry.h"
#include "core/FileSession.h"
#include "platform/WaitCursor.h"
#include "view/CVekView.h"

namespace vek {

bool CVekView::PlainLeftButton(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  return buttons == Qt::LeftButton && !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier));
}

bool CVekView::HitTestByte(int x, int y) {
  const HitGeometry geometry{ColumnFrame(ids::kHexFrame), ColumnFrame(ids::kAsciiFrame), m_nHexWidth, m_nAsciiWidth};
  const HitResult hit = vek::HitTestByte(x, y, geometry, m_session.Page().readCount);
  if (!hit.hit) return false;
  // The blank after a hex pair is a hit that keeps the selection.
  if (hit.index) Show(m_session.Select(*hit.index).shown);
  return true;
}

void CVekView::ShowPositionLine() {
  // A selection past the bytes of a shorter page names no byte: the line keeps its text.
  const std::optional<std::string> line = m_session.PositionLine();
  if (!line) return;
  m_positionLabel->setText(QString::fromStdString(*line));
  emit positionLineShown();
}

QString CVekView::PositionLine() const { return m_positionLabel->text(); }

void CVekView::MoveSelection(ByteMove move) {
  WaitCursor wait(m_ui);
  Apply(m_session.MoveSelection(m_files, move));
}

void CVekView::GoTo(Offset offset) {
  WaitCursor wait(m_ui);
  Apply(m_session.GoTo(m_files, offset));
}

void CVekView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonDown(event->buttons(), event->modifiers(), event->position().toPoint());
  QWidget::mousePressEvent(event);
}

void CVekView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonDblClk(event->buttons(), event->modifiers(), event->position().toPoint());
  // Not passed on: QWidget's default turns a double-click into one more press, which would select
  // again after the edit and rewrite the position line with the new value. The press that came
  // before the double-click has selected already.
  event->accept();
}

void CVekView::OnLButtonDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint point) {
  if (PlainLeftButton(buttons, modifiers) && HitTestByte(point.x(), point.y())) ShowPositionLine();
}

} // namespace vek
