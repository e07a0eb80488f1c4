// Selecting a byte with a click, and editing it with a double-click.

#include <QMouseEvent>

#include "ResourceIds.h"
#include "Strings.h"
#include "core/DisplayTexts.h"
#include "core/HitTest.h"
#include "core/NumberParse.h"
#include "edit/CEditByteDlg.h"
#include "platform/ControlTemplate.h"
#include "platform/File.h"
#include "platform/FileErrorText.h"
#include "platform/UiServices.h"
#include "view/CVekView.h"

#include <QFile>

namespace vek {

namespace {
FrameRect ToFrame(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

// Only a left button with neither Shift nor Ctrl held, and no other button down, selects or edits.
bool PlainLeftButton(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  return buttons == Qt::LeftButton && !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier));
}
} // namespace

bool CVekView::HitTestByte(int x, int y) {
  if (GetDlgItem(this, ids::kHexFrame) == nullptr || GetDlgItem(this, ids::kAsciiFrame) == nullptr) return false;
  const HitGeometry geometry{ToFrame(FrameRect(ids::kHexFrame)), ToFrame(FrameRect(ids::kAsciiFrame)),
                             m_nHexWidth, m_nAsciiWidth};
  const HitResult hit = vek::HitTestByte(x, y, geometry, m_nReadBytes);
  if (!hit.hit) return false;
  if (hit.index) {
    m_nSelIndex = *hit.index;
    emit selectionChanged(m_nSelIndex);
  }
  return true;
}

void CVekView::ShowPositionLine() {
  // A selection past the bytes of a shorter page names no byte: the line keeps its text.
  if (!m_pPageBuf || m_nSelIndex < 0 || m_nSelIndex >= m_nReadBytes) return;
  SetControlText(ids::kPositionLine,
                 QString::fromStdString(FormatPositionLine(m_lPageStart + m_nSelIndex, m_pPageBuf[m_nSelIndex], m_bHexMode)));
}

void CVekView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonDown(event->buttons(), event->modifiers(), event->position().toPoint());
  QWidget::mousePressEvent(event);
}

void CVekView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnLButtonDblClk(event->buttons(), event->modifiers(), event->position().toPoint());
  QWidget::mouseDoubleClickEvent(event);
}

void CVekView::OnLButtonDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint point) {
  if (PlainLeftButton(buttons, modifiers) && HitTestByte(point.x(), point.y())) ShowPositionLine();
}

void CVekView::OnLButtonDblClk(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint point) {
  if (!PlainLeftButton(buttons, modifiers) || !HitTestByte(point.x(), point.y())) return;
  const int index = m_nSelIndex;
  if (index < 0 || index >= m_nReadBytes) return;
  CEditByteDlg dialog;
  // The byte where it was read from, whatever start may have been typed since.
  dialog.m_lOffset = m_lReadStart + index;
  dialog.m_byValue = m_pPageBuf[index];
  dialog.m_bHexMode = m_bHexMode;
  if (m_ui.RunModal(dialog) != QDialog::Accepted) return;
  m_pPageBuf[index] = dialog.NewByteValue();
  BuildPageText();
  InvalidateColumns();
  WaitCursor wait(m_ui);
  WriteByte(index);
}

void CVekView::WriteByte(int index) {
  // Only the changed byte is written, so bytes another program changed since the read are kept.
  const Offset offset = m_lReadStart + index;
  const std::string path = QFile::encodeName(m_strFileName).toStdString();
  FileError error = FileError::None;
  const std::unique_ptr<File> file = m_files.Open(path, OpenMode::ReadWrite, error);
  if (!file) {
    m_ui.MessageBox(QString::fromUtf8(strings::kFileNotOpened));
    return;
  }
  const FileResult<Offset> length = file->Length();
  if (!length.ok()) {
    m_ui.MessageBox(FileErrorText(length.error, m_strFileName), MessageIcon::Stop);
    return;
  }
  if (offset >= length.value) {
    m_ui.MessageBox(QStringLiteral("%1 has become shorter than offset %2; nothing was written.")
                        .arg(m_strFileName, QString::number(offset)),
                    MessageIcon::Stop);
    return;
  }
  if (file->Seek(offset) != FileError::None) {
    m_ui.MessageBox(QString::fromUtf8(strings::kSeekError));
    return;
  }
  FileError failure = file->Write(&m_pPageBuf[index], 1);
  if (failure == FileError::None) failure = file->Sync();
  if (failure != FileError::None) m_ui.MessageBox(FileErrorText(failure, m_strFileName), MessageIcon::Stop);
}

} // namespace vek
