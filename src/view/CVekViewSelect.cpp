// Selecting a byte with a click or from the keyboard.

#include <QLabel>
#include <QMouseEvent>

#include "ResourceIds.h"
#include "core/ClampPage.h"
#include "core/DisplayTexts.h"
#include "core/CellGeometry.h"
#include "view/CVekView.h"
#include "view/PageArea.h"

namespace vek {

bool CVekView::PlainLeftButton(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  return buttons == Qt::LeftButton && !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier));
}

bool CVekView::HitTestByte(int x, int y) {
  const HitGeometry geometry{ColumnFrame(ids::kHexFrame), ColumnFrame(ids::kAsciiFrame), m_nHexWidth, m_nAsciiWidth};
  const HitResult hit = vek::HitTestByte(x, y, geometry, m_page.readCount);
  if (!hit.hit) return false;
  if (hit.index) {
    m_nSelIndex = *hit.index;
    emit selectionChanged(m_nSelIndex);
  }
  return true;
}

void CVekView::ShowPositionLine() {
  // A selection past the bytes of a shorter page names no byte: the line keeps its text.
  if (!m_page.HoldsByte(m_nSelIndex)) return;
  // The window's start, not the record's: a start typed but not applied shows with the byte on screen.
  m_positionLabel->setText(QString::fromStdString(
      FormatPositionLine(SaturatingAdd(m_page.start, m_nSelIndex), m_pageBuf[m_nSelIndex], m_bHexMode)));
  emit positionLineShown();
}

QString CVekView::PositionLine() const { return m_positionLabel->text(); }

void CVekView::MoveSelection(ByteMove move) {
  const std::optional<MovePlan> plan = PlanByteMove(m_page, m_nSelIndex, move);
  if (!plan || (plan->turn && !ShowPage(*plan->turn))) return;
  const std::optional<int> index = IndexOnPage(m_page, plan->target);
  if (!index) return;
  m_nSelIndex = *index;
  emit selectionChanged(m_nSelIndex);
  ShowPositionLine();
  update(m_pageArea->geometry()); // the focus mark moves with the byte
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
