#include "edit/CConverterDlg.h"

#include <array>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QShowEvent>

#include "ResourceIds.h"
#include "core/NumberParse.h"
#include "platform/ControlTemplate.h"
#include "platform/DialogUnits.h"
#include "platform/Fonts.h"

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

void SetEditText(const QWidget* dialog, int id, const std::string& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(dialog, id))) {
    edit->setText(QString::fromStdString(text));
  }
}

} // namespace

CConverterDlg::CConverterDlg(QWidget* pParent) : QDialog(pParent) {
  setWindowTitle(QStringLiteral("Hex / Dec Converter"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFont(DialogFont());
  setFixedSize(DluToPixelsX(kWidthDlu), DluToPixelsY(kHeightDlu));
  CreateControls(this, kControls);

  if (auto* decimal = qobject_cast<QLineEdit*>(GetDlgItem(this, ids::kConvDecimal))) {
    connect(decimal, &QLineEdit::textChanged, this, &CConverterDlg::OnChangeDecimal);
  }
  if (auto* hex = qobject_cast<QLineEdit*>(GetDlgItem(this, ids::kConvHex))) {
    connect(hex, &QLineEdit::textChanged, this, &CConverterDlg::OnChangeHex);
  }
  if (auto* ok = qobject_cast<QAbstractButton*>(GetDlgItem(this, ids::kOk))) {
    connect(ok, &QAbstractButton::clicked, this, &CConverterDlg::accept);
  }
}

CConverterDlg::~CConverterDlg() = default;

void CConverterDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  if (QWidget* ok = GetDlgItem(this, ids::kOk)) ok->setFocus();
}

void CConverterDlg::OnChangeDecimal() {
  const QLineEdit* decimal = FocusedEdit(this, ids::kConvDecimal);
  if (decimal == nullptr) return;
  m_nValue = AtoI32(decimal->text().toStdString());
  SetEditText(this, ids::kConvHex, FormatHex32(m_nValue));
}

void CConverterDlg::OnChangeHex() {
  const QLineEdit* hex = FocusedEdit(this, ids::kConvHex);
  if (hex == nullptr) return;
  // A text without a hex number leaves the last number in place.
  m_nValue = ScanHex32(hex->text().toStdString()).value_or(m_nValue);
  SetEditText(this, ids::kConvDecimal, FormatDecimal32(m_nValue));
}

} // namespace vek
