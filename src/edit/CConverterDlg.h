#pragma once
// The Hex / Dec converter: whatever is typed into one of its two edits shows at once in the other
// as the same 32-bit number in the other base. It takes nothing from the view, gives nothing back.

#include <cstdint>

#include "platform/TemplateDialog.h"

class QLineEdit;
class QPushButton;

namespace vek {

class CConverterDlg : public TemplateDialog {
  Q_OBJECT

 public:
  explicit CConverterDlg(QWidget* pParent = nullptr);
  ~CConverterDlg() override;

  std::int32_t m_nValue = 0; // the number last converted, in either direction

  // Change handlers of the decimal (1024) and hex (1023) edits. Each acts only while its edit has
  // the keyboard focus, so the text it writes into the other edit does not convert back.
  void OnChangeDecimal();
  void OnChangeHex();

 protected:
  // OK has the keyboard focus when the dialog opens.
  void OnInitDialog() override;

 private:
  QPushButton* m_ok;
  QLineEdit* m_hex;
  QLineEdit* m_decimal;
};

} // namespace vek
