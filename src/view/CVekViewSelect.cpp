// Selecting a byte with a click or from the keyboard.

#include <algorithm>

#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWheelEvent>

#include "ResourceIds.h"
#include "core/CellGeometry.h"
#include "core/FileSession.h"
#include "platform/WaitCursor.h"
#include "view/CVekView.h"

namespace vek {

bool CVekView::PlainLeftButton(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  return buttons == Qt::LeftButton && !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier));
}

HitResult CVekView::HitAt(int x, int y) const {
  const HitGeometry geometry{ColumnFrame(ids::kHexFrame), ColumnFrame(ids::kAsciiFrame), m_nHexWidth, m_nAsciiWidth};
  return vek::HitTestByte(x, y, geometry, m_session.Page().readCount);
}

bool CVekView::HitTestByte(int x, int y) {
  const HitResult hit = HitAt(x, y);
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

void CVekView::ExtendSelection(ByteMove move) {
  WaitCursor wait(m_ui);
  Apply(m_session.ExtendSelection(m_files, move));
}

void CVekView::mouseMoveEvent(QMouseEvent* event) {
  if (m_dragging && event->buttons() == Qt::LeftButton) {
    const QPoint point = event->position().toPoint();
    const HitResult hit = HitAt(point.x(), point.y());
    if (hit.index && *hit.index != m_session.SelIndex()) Apply(m_session.ExtendSelectionTo(*hit.index));
  }
  QWidget::mouseMoveEvent(event);
}

void CVekView::wheelEvent(QWheelEvent* event) {
  const Offset delta = m_wheel.Add(event->angleDelta().y(), QApplication::wheelScrollLines());
  const PageState& page = m_session.Page();
  if (delta != 0) ShowPage(page.StartAt(WheelTarget(page.start, delta, page.fileSize)));
  event->accept();
}

void CVekView::contextMenuEvent(QContextMenuEvent* event) {
  RequestContextMenu(event->reason() == QContextMenuEvent::Mouse ? std::optional(event->globalPos()) : std::nullopt);
}

void CVekView::RequestContextMenu(std::optional<QPoint> globalPos) {
  emit contextMenuRequested(globalPos.value_or(SelectedCellOnScreen()));
}

QPoint CVekView::SelectedCellOnScreen() const {
  // A selection past the bytes of a shorter page points at its last byte.
  const int selected = std::max(0, std::min(m_session.SelIndex(), m_session.Page().readCount - 1));
  return mapToGlobal(HexCellCenter(selected));
}

void CVekView::GoTo(Offset offset) {
  Perform([offset](FileSession& session, FileSystem& files) { return session.GoTo(files, offset); });
}

void CVekView::Perform(const std::function<Outcome(FileSession& session, FileSystem& files)>& operation) {
  WaitCursor wait(m_ui);
  Apply(operation(m_session, m_files));
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
  m_dragging = PlainLeftButton(buttons, modifiers) && HitTestByte(point.x(), point.y());
  if (m_dragging) ShowPositionLine();
}

} // namespace vek
