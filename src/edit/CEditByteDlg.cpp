#include "edit/CEditByteDlg.h"

#include <array>
#include <cinttypes>

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

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
    : TemplateDialog({"VEK - Edit Byte", kWidthDlu, kHeightDlu, kControls}, pParent),
      m_newValue(Item<QLineEdit>(this, ids::kEditNewValue)),
      m_radioHex(Item<QRadioButton>(this, ids::kEditRadioHex)),
      m_radioDecimal(Item<QRadioButton>(this, ids::kEditRadioDecimal)),
      m_position(Item<QLabel>(this, ids::kEditPosition)),
      m_currentValue(Item<QLabel>(this, ids::kEditCurrentValue)),
      m_newValueLabel(Item<QLabel>(this, ids::kEditNewValueLabel)) {
  m_radioHex->setFocusPolicy(Qt::ClickFocus);
  m_radioDecimal->setFocusPolicy(Qt::ClickFocus);

  // clicked(), not toggled(): a click on the radio that is already selected converts again.
  connect(m_radioHex, &QAbstractButton::clicked, this, &CEditByteDlg::OnRadioHex);
  connect(m_radioDecimal, &QAbstractButton::clicked, this, &CEditByteDlg::OnRadioDecimal);
}

CEditByteDlg::~CEditByteDlg() = default;

void CEditByteDlg::OnInitDialog() {
  m_newValue->setText(m_strNewValue);
  if (m_bHexMode) {
    m_position->setText(HexOffsetText(m_lOffset, false));
    m_currentValue->setText(QString::asprintf("Current value : %.2X", unsigned{m_byValue}));
    m_newValueLabel->setText(QStringLiteral("New hex val :"));
  } else {
    m_position->setText(DecimalOffsetText(m_lOffset));
    m_currentValue->setText(QString::asprintf("Current value : %u", unsigned{m_byValue}));
    m_newValueLabel->setText(QStringLiteral("New dec val :"));
  }
  (m_bHexMode ? m_radioHex : m_radioDecimal)->setChecked(true);
  m_newValue->setFocus();
}

void CEditByteDlg::OnRadioHex() {
  m_bHexMode = true;
  const std::int32_t value = AtoI32(m_newValue->text().toStdString());
  m_newValue->setText(QString::fromStdString(FormatHex32(value)));
  m_currentValue->setText(QString::asprintf("Current value : 0x%.2X", unsigned{m_byValue}));
  m_newValueLabel->setText(QStringLiteral("New hex val :"));
  m_position->setText(HexOffsetText(m_lOffset, true));
}

void CEditByteDlg::OnRadioDecimal() {
  m_bHexMode = false;
  const std::int32_t value = ScanHex32(m_newValue->text().toStdString()).value_or(0);
  m_newValue->setText(QString::fromStdString(FormatDecimal32(value)));
  m_currentValue->setText(QString::asprintf("Current value : %.2d", int{m_byValue}));
  m_newValueLabel->setText(QStringLiteral("New dec val :"));
  m_position->setText(DecimalOffsetText(m_lOffset));
}

void CEditByteDlg::accept() {
  m_strNewValue = m_newValue->text();
  QDialog::accept();
}

std::uint8_t CEditByteDlg::NewByteValue() const {
  const int base = m_bHexMode ? 16 : 10;
  const std::int32_t value = StrToLong32(m_strNewValue.toStdString(), base);
  return static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) & 0xFFu);
}

} // namespace vek
