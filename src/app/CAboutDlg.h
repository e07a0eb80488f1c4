#pragma once
// The About box: the program's name, version and notice. OK, Enter, Esc and the close box end it.

#include <QDialog>

namespace vek {

class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* pParent = nullptr);
  ~CAboutDlg() override;
};

} // namespace vek
