#include "search/CFindDlg.h"

#include <string>

#include <QLineEdit>
#include <QRadioButton>

#include "ResourceIds.h"
#include "core/Ansi.h"
#include "core/PatternParse.h"
#include "platform/ControlTemplate.h"

namespace vek {

namespace {

constexpr int kWidthDlu = 199;
constexpr int kHeightDlu = 87;

constexpr std::array<ControlRow, 7> kControls{{
    {ids::kFindPattern, ControlKind::Edit, "", 7, 19, 140, 14},
    // 68 units rather than 62, so that the label is not clipped in the dialog font.
    {ids::kFindRadioAscii, ControlKind::RadioButton, "ASCII (strings)", 7, 36, 68, 12},
    {ids::kFindRadioHex, ControlKind::RadioButton, "Hex", 7, 47, 42, 12},
    {ids::kOk, ControlKind::DefaultPushButton, "OK", 161, 7, 31, 14},
    {ids::kCancel, ControlKind::PushButton, "Cancel", 161, 27, 31, 14},
    {kNoControlId, ControlKind::Static, "Find Pattern:", 8, 8, 46, 11},
    {kNoControlId, ControlKind::StaticNoWrap,
     "For Hex mode, use two character bytes (00,01..FF)\nSpaces are ignored in Hex mode", 7, 61,
     185, 19},
}};

// The typed text as the ANSI bytes a search compares with the file.
std::string ToAnsi(const QString& text) {
  std::string ansi;
  for (const char32_t codePoint : text.toUcs4()) {
    ansi.push_back(static_cast<char>(CodePointToAnsi(codePoint)));
  }
  return ansi;
}

} // namespace

CFindDlg::CFindDlg(QWidget* pParent)
    : TemplateDialog({"Find ", kWidthDlu, kHeightDlu, kControls}, pParent),
      m_patternEdit(Item<QLineEdit>(this, ids::kFindPattern)),
      m_radioAscii(Item<QRadioButton>(this, ids::kFindRadioAscii)),
      m_radioHex(Item<QRadioButton>(this, ids::kFindRadioHex)) {
  m_patternEdit->setMaxLength(kMaxPatternChars);
  // The radio buttons are no tab stops; they exclude each other as the only two in the dialog.
  m_radioAscii->setFocusPolicy(Qt::ClickFocus);
  m_radioHex->setFocusPolicy(Qt::ClickFocus);
}

CFindDlg::~CFindDlg() = default;

void CFindDlg::OnInitDialog() {
  m_patternEdit->setText(m_strPattern.left(kMaxPatternChars));
  m_patternEdit->setFocus();
  m_radioAscii->setChecked(true);
}

void CFindDlg::accept() {
  m_strPattern = m_patternEdit->text();
  const PatternMode mode = m_radioHex->isChecked() ? PatternMode::Hex : PatternMode::Ascii;
  // Whatever the text, the dialog takes the pattern it gives: it refuses nothing.
  m_pattern = ParsePattern(ToAnsi(m_strPattern), mode).pattern;
  QDialog::accept();
}

} // namespace vek
