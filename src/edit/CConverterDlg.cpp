#include "edit/CConverterDlg.h"

#include <array>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

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

} // namespace

CConverterDlg::CConverterDlg(QWidget* pParent)
    : TemplateDialog({"Hex / Dec Converter", kWidthDlu, kHeightDlu, kControls}, pParent),
      m_ok(Item<QPushButton>(this, ids::kOk)),
      m_hex(Item<QLineEdit>(this, ids::kConvHex)),
      m_decimal(Item<QLineEdit>(this, ids::kConvDecimal)) {
  connect(m_decimal, &QLineEdit::textChanged, this, &CConverterDlg::OnChangeDecimal);
  connect(m_hex, &QLineEdit::textChanged, this, &CConverterDlg::OnChangeHex);
}

CConverterDlg::~CConverterDlg() = default;

void CConverterDlg::OnInitDialog() { m_ok->setFocus(); }

void CConverterDlg::OnChangeDecimal() {
  if (QApplication::focusWidget() != m_decimal) return;
  m_nValue = AtoI32(m_decimal->text().toStdString());
  m_hex->setText(QString::fromStdString(FormatHex32(m_nValue)));
}

void CConverterDlg::OnChangeHex() {
  if (QApplication::focusWidget() != m_hex) return;
  // A text without a hex number leaves the last number in place.
  m_nValue = ScanHex32(m_hex->text().toStdString()).value_or(m_nValue);
  m_decimal->setText(QString::fromStdString(FormatDecimal32(m_nValue)));
}

} // namespace vek
