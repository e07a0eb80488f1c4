#include "platform/TemplateDialog.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QShowEvent>
#include <QVariant>

#include "ResourceIds.h"
#include "platform/DialogUnits.h"
#include "platform/Fonts.h"

namespace vek {

TemplateDialog::TemplateDialog(const DialogTemplate& dialogTemplate, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFont(DialogFont());
  setFixedSize(DluToPixelsX(dialogTemplate.widthDlu), DluToPixelsY(dialogTemplate.heightDlu));
  CreateControls(this, dialogTemplate.controls);
  // In a dialog the focused push button is the one Enter presses: Enter on Cancel cancels.
  for (QPushButton* button : findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) button->setAutoDefault(true);
  if (auto* ok = qobject_cast<QAbstractButton*>(GetDlgItem(this, ids::kOk))) {
    connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
  }
  if (auto* cancel = qobject_cast<QAbstractButton*>(GetDlgItem(this, ids::kCancel))) {
    connect(cancel, &QAbstractButton::clicked, this, &QDialog::reject);
  }
}

void TemplateDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (m_bInitialized || event->spontaneous()) return;
  m_bInitialized = true;
  OnInitDialog();
}

void TemplateDialog::SetItemText(int id, const QString& text) {
  if (QWidget* control = GetDlgItem(this, id)) control->setProperty("text", text);
}

QString TemplateDialog::ItemText(int id) const {
  const QWidget* control = GetDlgItem(this, id);
  return control != nullptr ? control->property("text").toString() : QString();
}

} // namespace vek
