#pragma once
// The Find dialog: asks for a search pattern, typed as text or as hex byte values, and on OK turns
// it into at most kMaxPatternBytes bytes. It never refuses a text: an empty pattern is a result.

#include <array>
#include <cstdint>

#include <QString>

#include "core/SearchLimits.h"
#include "platform/TemplateDialog.h"

class QLineEdit;
class QRadioButton;

namespace vek {

class CFindDlg : public TemplateDialog {
  Q_OBJECT

 public:
  explicit CFindDlg(QWidget* pParent = nullptr);
  ~CFindDlg() override;

  std::array<std::uint8_t, kMaxPatternBytes> m_pattern{}; // the first m_nPatternLen count
  int m_nPatternLen = 0;
  QString m_strPattern; // the edit's text

  // Parses the edit's text into the pattern in the selected mode, then ends with Accepted.
  void accept() override;

 protected:
  // Empty edit with the focus, "ASCII (strings)" selected; runs once, when first shown.
  void OnInitDialog() override;

 private:
  QLineEdit* m_patternEdit;
  QRadioButton* m_radioAscii;
  QRadioButton* m_radioHex;
};

} // namespace vek
