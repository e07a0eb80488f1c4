#pragma once
// The desktop's own message boxes, cursor and file dialog.

#include "platform/UiServices.h"

namespace vek {

class QtUiServices final : public UiServices {
 public:
  void MessageBox(const QString& text, MessageIcon icon) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;
  QString AskOpenFileName(QWidget* owner, const QString& title, const QString& filter) override;
  int RunModal(QDialog& dialog) override;

 private:
  int m_waitCount = 0;
};

} // namespace vek
