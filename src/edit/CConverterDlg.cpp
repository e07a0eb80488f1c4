#include "edit/CConverterDlg.h"

#include <array>

#include <QApplication>
#include <QLineEdit>

#include "ResourceIds.h"
#include "core/NumberParse.h"
#include "platform/ControlTemplate.h"

namespace vek {

namespace {

constexpr int kWidthDlu = 176;
constexpr int kHeightDlu = 45;

// OK comes first so that it is the first tab stop and has the focus when the dialog opens.
constexpr std::array<ControlRow, 5> kControls{{
    {ids::kOk, ControlKind::DefaultPushButton, "OK", 139, 7, 30, 14},
    {ids::kConvHex, ControlKind::Edit, "", 7, 17, 42, 14},
    {ids::kConvDecimal, ControlKind::NumberEdit, "", 75, 17, 42, 14},
    {kNoControlId, ControlKind::Static, "Hex", 8, 7, 45, 9},
    {kNoControlId, ControlKind::Static, "Decimal", 76, 7, 45, 9},
}};

// The edit with the id, but only while it has the keyboard focus.
QLineEdit* FocusedEdit(const QWidget* dialog, int id) {
  auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(dialog, id));
  if (edit == nullptr || QApplication::focusWidget() != edit) return nullptr;
  return edit;
}

} // namespace

CConverterDlg::CConverterDlg(QWidget* pParent)
    : TemplateDialog({"Hex / Dec Converter", kWidthDlu, kHeightDlu, kControls}, pParent) {
  if (auto* decimal = qobject_cast<QLineEdit*>(GetDlgItem(this, ids::kConvDecimal))) {
    connect(decimal, &QLineEdit::textChanged, this, &CConverterDlg::OnChangeDecimal);
  }
  if (auto* hex = qobject_cast<QLineEdit*>(GetDlgItem(this, ids::kConvHex))) {
    connect(hex, &QLineEdit::textChanged, this, &CConverterDlg::OnChangeHex);
  }
}

CConverterDlg::~CConverterDlg() = default;

bool CConverterDlg::OnInitDialog() {
  if (QWidget* ok = GetDlgItem(this, ids::kOk)) ok->setFocus();
  return true;
}

void CConverterDlg::OnChangeDecimal() {
  const QLineEdit* decimal = FocusedEdit(this, ids::kConvDecimal);
  if (decimal == nullptr) return;
  m_nValue = AtoI32(decimal->text().toStdString());
  SetItemText(ids::kConvHex, QString::fromStdString(FormatHex32(m_nValue)));
}

void CConverterDlg::OnChangeHex() {
  const QLineEdit* hex = FocusedEdit(this, ids::kConvHex);
  if (hex == nullptr) return;
  // A text without a hex number leaves the last number in place.
  m_nValue = ScanHex32(hex->text().toStdString()).value_or(m_nValue);
  SetItemText(ids::kConvDecimal, QString::fromStdString(FormatDecimal32(m_nValue)));
}

} // namespace vek
