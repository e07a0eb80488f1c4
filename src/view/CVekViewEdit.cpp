// Editing a byte, after a double-click or from the keyboard: the new value goes straight into the file.

#include "core/FileNameText.h"
#include "core/FileSession.h"
#include "core/WriteMessages.h"
#include "edit/CEditByteDlg.h"
#include "platform/UiServices.h"
#include "platform/WaitCursor.h"
#include "view/CVekView.h"
#include "platform/FileWatch.h"

namespace vek {

void CVekView::OnLButtonDblClk(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint point) {
  if (PlainLeftButton(buttons, modifiers) && HitTestByte(point.x(), point.y())) EditByte(m_session.SelIndex());
}

void CVekView::EditSelectedByte() { EditByte(m_session.SelIndex()); }

void CVekView::EditByte(int index) {
  // Only a byte that was read is edited (a page with no bytes, or a file that failed to load, has none).
  const PageState& page = m_session.Page();
  if (!page.HoldsByte(index)) return;
  if (m_session.ReadOnly()) return m_ui.Tell(ReadOnlyMessage(DecodeFileName(m_session.Path())));
  CEditByteDlg dialog;
  // The byte where it was read from, whatever start may have been typed since.
  dialog.m_lOffset = page.OffsetOf(index);
  dialog.m_byValue = m_session.ByteAt(index);
  dialog.m_bHexMode = m_session.HexMode();
  // Another program's changes wait while the dialog asks: the page stays the one the value is for.
  const FileWatch::Hold held(*m_watch);
  if (m_ui.RunModal(dialog) != QDialog::Accepted) return;
  Apply(m_session.SetByte(index, dialog.NewByteValue()));
  WaitCursor wait(m_ui);
  // Checked against the value the dialog showed: the file must still hold it.
  Apply(m_session.WriteByte(m_files, index, dialog.m_byValue));
}

} // namespace vek
