// The commands that choose the file and the page the view shows, the radix toggle and the tool
// tips of the form.

#include <QAbstractButton>
#include <QEvent>
#include <QHelpEvent>
#include <QLineEdit>
#include <QToolTip>

#include "ResourceIds.h"
#include "core/ClampPage.h"
#include "core/NumberParse.h"
#include "edit/CConverterDlg.h"
#include "platform/ControlTemplate.h"
#include "platform/UiServices.h"
#include "view/CVekView.h"

namespace vek {

namespace {
struct ToolTipRow {
  int controlId;
  const char* text;
};
constexpr ToolTipRow kToolTips[] = {
    {ids::kNew, "Open New"},          {ids::kStart, "Byte Pos"},      {ids::kRefresh, "Redraw"},
    {ids::kRadix, "Hex/Dec Disp."},   {ids::kNextPage, "Next Page"},  {ids::kPrevPage, "Prev Page"},
    {ids::kConverter, "Hex/Dec Conv."}, {ids::kFind, "Find Pattern"}, {ids::kNext, "Find Next"},
};
} // namespace

void CVekView::ConnectControls() {
  // In the order of the view's message map.
  auto clicked = [this](int id, void (CVekView::*handler)()) {
    if (auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(this, id)))
      connect(button, &QAbstractButton::clicked, this, handler);
  };
  clicked(ids::kNew, &CVekView::OnNew);
  if (QLineEdit* edit = StartEdit()) connect(edit, &QLineEdit::textChanged, this, &CVekView::OnChangeStart);
  clicked(ids::kRefresh, &CVekView::RefreshPage);
  clicked(ids::kRadix, &CVekView::OnRadixToggle);
  clicked(ids::kNextPage, &CVekView::OnNextPage);
  clicked(ids::kPrevPage, &CVekView::OnPrevPage);
  clicked(ids::kConverter, &CVekView::OnConverter);
  clicked(ids::kFind, &CVekView::OnFind);
  clicked(ids::kNext, &CVekView::OnNext);
  for (const ToolTipRow& row : kToolTips) {
    if (QWidget* control = GetDlgItem(this, row.controlId)) control->setAccessibleDescription(QString::fromUtf8(row.text));
  }
}

void CVekView::OnNew() {
  QString name;
  if (AskFileName(name)) LoadFile(name);
}

void CVekView::OnChangeStart() {
  const QLineEdit* edit = StartEdit();
  if (edit == nullptr) return;
  m_lPageStart = StrToOffset(edit->text().toStdString(), m_bHexMode ? 16 : 10);
  m_lPageEnd = SaturatingAdd(m_lPageStart, kPageBytes);
}

void CVekView::OnGoToStart() {
  OnChangeStart();
  RefreshPage();
}

void CVekView::OnNextPage() {
  m_lPageStart = SaturatingAdd(m_lPageStart, kPageBytes);
  m_lPageEnd = std::min(m_lFileSize, SaturatingAdd(m_lPageStart, kPageBytes));
  RefreshPage();
}

void CVekView::OnPrevPage() {
  m_lPageStart = std::max<Offset>(SaturatingAdd(m_lPageStart, -kPageBytes), 0);
  m_lPageEnd = m_lPageStart + kPageBytes;
  RefreshPage();
}

void CVekView::OnFirstPage() {
  m_lPageStart = 0;
  m_lPageEnd = kPageBytes;
  RefreshPage();
}

void CVekView::OnLastPage() {
  m_lPageStart = std::max<Offset>(m_lFileSize - kPageBytes, 0);
  m_lPageEnd = m_lPageStart + kPageBytes < m_lFileSize ? m_lPageStart + kPageBytes : m_lFileSize;
  RefreshPage();
}

void CVekView::OnRadixToggle() {
  if (auto* toggle = qobject_cast<QAbstractButton*>(GetDlgItem(this, ids::kRadix))) {
    m_bHexMode = toggle->isChecked();
    toggle->setText(m_bHexMode ? QStringLiteral("Hex") : QStringLiteral("Dec"));
    BuildPageText();
    update(ColumnFrame(ids::kOffsetFrame));
  }
  ShowPositionLine();
  ShowFileSize();
  ShowStartPos(m_lPageStart);
}

QString CVekView::OnToolTipNeedText(int controlId) const {
  for (const ToolTipRow& row : kToolTips) {
    if (row.controlId == controlId) return QString::fromUtf8(row.text);
  }
  return {};
}

bool CVekView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* control = qobject_cast<QWidget*>(watched);
    const int id = GetDlgCtrlID(control);
    if (control != nullptr && id != 0) {
      const QString text = OnToolTipNeedText(id);
      if (text.isEmpty()) {
        QToolTip::hideText();
      } else {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, control);
      }
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void CVekView::OnConverter() {
  CConverterDlg dialog;
  m_ui.RunModal(dialog);
}

} // namespace vek
