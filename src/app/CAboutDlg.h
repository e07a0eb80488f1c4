#pragma once
// The About box: the program's name, version and notice. OK, Enter, Esc and the close box end it.

#include "platform/TemplateDialog.h"

namespace vek {

class CAboutDlg : public TemplateDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* pParent = nullptr);
  ~CAboutDlg() override;
};

} // namespace vek
