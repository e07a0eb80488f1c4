#pragma once
// The Edit Byte dialog: shows a byte's offset and value and takes its new value in hex or decimal.
// The view fills m_lOffset, m_byValue and m_bHexMode before running it and, after OK, reads
// m_bHexMode and m_strNewValue (or NewByteValue()).

#include <cstdint>

#include <QString>

#include "core/PageGeometry.h"
#include "platform/TemplateDialog.h"

class QLabel;
class QLineEdit;
class QRadioButton;

namespace vek {

class CEditByteDlg : public TemplateDialog {
  Q_OBJECT

 public:
  explicit CEditByteDlg(QWidget* pParent = nullptr);
  ~CEditByteDlg() override;

  Offset m_lOffset = 0;
  std::uint8_t m_byValue = 0;
  bool m_bHexMode = true;
  QString m_strNewValue;

  // The byte that m_strNewValue stands for in the dialog's radix: strtol's reading, low 8 bits.
  std::uint8_t NewByteValue() const;

  // Takes the edit's text into m_strNewValue, then ends the dialog with Accepted.
  void accept() override;

  // The radio buttons' handlers: convert the edit's text to the other radix and relabel.
  void OnRadioHex();
  void OnRadioDecimal();

 protected:
  // Writes the texts of the opened dialog; runs once, when the dialog is first shown.
  void OnInitDialog() override;

 private:
  QLineEdit* m_newValue;
  QRadioButton* m_radioHex;
  QRadioButton* m_radioDecimal;
  QLabel* m_position;
  QLabel* m_currentValue;
  QLabel* m_newValueLabel;
};

} // namespace vek
