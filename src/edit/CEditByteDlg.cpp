#include "edit/CEditByteDlg.h"

#include <array>
#include <cinttypes>

#include <QAbstractButton>
#include <QLineEdit>

#include "ResourceIds.h"
#include "core/NumberParse.h"
#include "platform/ControlTemplate.h"

namespace vek {

namespace {

constexpr int kWidthDlu = 193;
constexpr int kHeightDlu = 87;

// The radio buttons are no tab stops: a click (or arrow keys once one has the focus) selects them.
// The labels 1034, 1020 and 1021 are rewritten as soon as the dialog opens.
constexpr std::array<ControlRow, 9> kControls{{
    {ids::kEditNewValue, ControlKind::Edit, "", 72, 32, 40, 13},
    {ids::kEditRadioHex, ControlKind::RadioButton, "Hex", 39, 48, 46, 9},
    {ids::kEditRadioDecimal, ControlKind::RadioButton, "Decimal", 103, 48, 46, 9},
    {ids::kOk, ControlKind::DefaultPushButton, "OK", 152, 7, 34, 14},
    {ids::kCancel, ControlKind::PushButton, "Cancel", 152, 24, 34, 14},
    {kNoControlId, ControlKind::Static,
     "Warning : this change will be written to the file unless you press Cancel. This change "
     "cannot be un-done.",
     7, 62, 179, 18},
    {ids::kEditNewValueLabel, ControlKind::Static, "New value :", 7, 34, 57, 8},
    {ids::kEditCurrentValue, ControlKind::Static, "Current value :", 7, 20, 96, 11},
    {ids::kEditPosition, ControlKind::Static, "Position :", 7, 7, 106, 8},
}};

// Offsets are 64-bit; the texts keep their formats, a larger number is simply longer.
QString HexOffsetText(Offset offset, bool upperCase) {
  const auto value = static_cast<std::uint64_t>(offset);
  return upperCase ? QString::asprintf("Offset : 0x%" PRIX64, value)
                   : QString::asprintf("Offset : 0x%" PRIx64, value);
}

QString DecimalOffsetText(Offset offset) {
  return QString::asprintf("Offset : %" PRId64, static_cast<std::int64_t>(offset));
}

} // namespace

CEditByteDlg::CEditByteDlg(QWidget* pParent)
    : TemplateDialog({"VEK - Edit Byte", kWidthDlu, kHeightDlu, kControls}, pParent) {
  for (const int id : {ids::kEditRadioHex, ids::kEditRadioDecimal}) {
    if (QWidget* radio = GetDlgItem(this, id)) radio->setFocusPolicy(Qt::ClickFocus);
  }

  // clicked(), not toggled(): a click on the radio that is already selected converts again.
  if (auto* hex = qobject_cast<QAbstractButton*>(GetDlgItem(this, ids::kEditRadioHex))) {
    connect(hex, &QAbstractButton::clicked, this, &CEditByteDlg::OnRadioHex);
  }
  if (auto* decimal = qobject_cast<QAbstractButton*>(GetDlgItem(this, ids::kEditRadioDecimal))) {
    connect(decimal, &QAbstractButton::clicked, this, &CEditByteDlg::OnRadioDecimal);
  }
}

CEditByteDlg::~CEditByteDlg() = default;

bool CEditByteDlg::OnInitDialog() {
  if (auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(this, ids::kEditNewValue))) {
    edit->setText(m_strNewValue);
  }
  if (m_bHexMode) {
    SetItemText(ids::kEditPosition, HexOffsetText(m_lOffset, false));
    SetItemText(ids::kEditCurrentValue,
                QString::asprintf("Current value : %.2X", unsigned{m_byValue}));
    SetItemText(ids::kEditNewValueLabel, QStringLiteral("New hex val :"));
  } else {
    SetItemText(ids::kEditPosition, DecimalOffsetText(m_lOffset));
    SetItemText(ids::kEditCurrentValue,
                QString::asprintf("Current value : %u", unsigned{m_byValue}));
    SetItemText(ids::kEditNewValueLabel, QStringLiteral("New dec val :"));
  }
  const int checked = m_bHexMode ? ids::kEditRadioHex : ids::kEditRadioDecimal;
  if (auto* radio = qobject_cast<QAbstractButton*>(GetDlgItem(this, checked))) {
    radio->setChecked(true);
  }
  if (QWidget* edit = GetDlgItem(this, ids::kEditNewValue)) edit->setFocus();
  return true;
}

void CEditByteDlg::OnRadioHex() {
  m_bHexMode = true;
  auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(this, ids::kEditNewValue));
  if (edit == nullptr) return;
  const std::int32_t value = AtoI32(edit->text().toStdString());
  edit->setText(QString::fromStdString(FormatHex32(value)));
  SetItemText(ids::kEditCurrentValue,
              QString::asprintf("Current value : 0x%.2X", unsigned{m_byValue}));
  SetItemText(ids::kEditNewValueLabel, QStringLiteral("New hex val :"));
  SetItemText(ids::kEditPosition, HexOffsetText(m_lOffset, true));
}

void CEditByteDlg::OnRadioDecimal() {
  m_bHexMode = false;
  auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(this, ids::kEditNewValue));
  if (edit == nullptr) return;
  const std::int32_t value = ScanHex32(edit->text().toStdString()).value_or(0);
  edit->setText(QString::fromStdString(FormatDecimal32(value)));
  SetItemText(ids::kEditCurrentValue, QString::asprintf("Current value : %.2d", int{m_byValue}));
  SetItemText(ids::kEditNewValueLabel, QStringLiteral("New dec val :"));
  SetItemText(ids::kEditPosition, DecimalOffsetText(m_lOffset));
}

void CEditByteDlg::accept() {
  m_strNewValue = ItemText(ids::kEditNewValue);
  QDialog::accept();
}

std::uint8_t CEditByteDlg::NewByteValue() const {
  const int base = m_bHexMode ? 16 : 10;
  const std::int32_t value = StrToLong32(m_strNewValue.toStdString(), base);
  return static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) & 0xFFu);
}

} // namespace vek
