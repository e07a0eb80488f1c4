// Editing a byte, after a double-click or from the keyboard: the new value goes straight into the file.

#include <memory>

#include "Strings.h"
#include "edit/CEditByteDlg.h"
#include "core/File.h"
#include "core/FileErrorText.h"
#include "core/FileNameText.h"
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
  // Only the changed byte is written, so bytes another program changed since the read are kept.
  const Offset offset = m_page.OffsetOf(index);
  const FileResult<std::unique_ptr<File>> opened = m_files.Open(LocalFileName(), OpenMode::ReadWrite);
  if (!opened.ok()) {
    m_ui.MessageBox(QString::fromUtf8(strings::kFileNotOpened));
    return;
  }
  File& file = *opened.value;
  const FileResult<Offset> length = file.Length();
  if (!length.ok()) {
    m_ui.MessageBox(QString::fromStdString(FileErrorText(length.error, DecodeFileName(m_strFileName))), MessageIcon::Stop);
    return;
  }
  if (offset >= length.value) {
    m_ui.MessageBox(QStringLiteral("%1 has become shorter than offset %2; nothing was written.")
                        .arg(FileName(), QString::number(offset)),
                    MessageIcon::Stop);
    return;
  }
  FileStatus written = file.WriteAt(offset, &m_pageBuf[index], 1);
  if (written.ok()) written = file.Sync();
  if (written.error == FileError::BadOffset) {
    m_ui.MessageBox(QString::fromUtf8(strings::kSeekError) + QStringLiteral("\n") + QString::fromStdString(FileErrorText(written.error, DecodeFileName(m_strFileName))),
                    MessageIcon::Stop);
  } else if (!written.ok()) {
    m_ui.MessageBox(QString::fromStdString(FileErrorText(written.error, DecodeFileName(m_strFileName))), MessageIcon::Stop);
  }
}

} // namespace vek
