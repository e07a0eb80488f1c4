#pragma once
// The Help box: what the form's controls do. No buttons: Esc, Enter and the close box end it.

#include "platform/TemplateDialog.h"

class QKeyEvent;

namespace vek {

class CHelpDlg : public TemplateDialog {
  Q_OBJECT

 public:
  explicit CHelpDlg(QWidget* pParent = nullptr);
  ~CHelpDlg() override;

 protected:
  // Enter ends the box as OK would, though there is no button to press.
  void keyPressEvent(QKeyEvent* event) override;
};

} // namespace vek
