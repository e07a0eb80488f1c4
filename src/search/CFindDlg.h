#pragma once
// The Find dialog: asks for a search pattern, typed as text or as hex byte values, and on OK turns
// it into at most kMaxPatternBytes bytes. It never refuses a text: an empty pattern is a result.

#include <QString>

#include "core/Pattern.h"
#include "platform/TemplateDialog.h"

class QLineEdit;
class QRadioButton;

namespace vek {

class CFindDlg : public TemplateDialog {
  Q_OBJECT

 public:
  explicit CFindDlg(QWidget* pParent = nullptr);
  ~CFindDlg() override;

  Pattern m_pattern;    // the parsed pattern; its length is the dialog's pattern length
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
