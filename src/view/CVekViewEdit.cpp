// Editing a byte, after a double-click or from the keyboard: the new value goes straight into the file.

#include <memory>

#include "Strings.h"
#include "edit/CEditByteDlg.h"
#include "core/File.h"
#include "core/ByteWrite.h"
#include "platform/UiServices.h"
#include "platform/WaitCursor.h"
#include "view/CVekView.h"

namespace vek {

void CVekView::OnLButtonDblClk(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint point) {
  if (PlainLeftButton(buttons, modifiers) && HitTestByte(point.x(), point.y())) EditByte(m_nSelIndex);
}

void CVekView::EditSelectedByte() { EditByte(m_nSelIndex); }

void CVekView::EditByte(int index) {
  // Only a byte that was read is edited (a page with no bytes, or a file that failed to load, has none).
  if (!m_page.HoldsByte(index)) return;
  CEditByteDlg dialog;
  // The byte where it was read from, whatever start may have been typed since.
  dialog.m_lOffset = m_page.OffsetOf(index);
  dialog.m_byValue = m_pageBuf[index];
  dialog.m_bHexMode = m_bHexMode;
  if (m_ui.RunModal(dialog) != QDialog::Accepted) return;
  m_pageBuf[index] = dialog.NewByteValue();
  BuildPageText();
  InvalidateColumns();
  WaitCursor wait(m_ui);
  WriteByte(index);
}

void CVekView::WriteByte(int index) {
  if (const std::optional<Message> failed = WriteByteAt(m_files, LocalFileName(), m_page.OffsetOf(index), m_pageBuf[index])) {
    m_ui.Tell(*failed);
  }
}

} // namespace vek
