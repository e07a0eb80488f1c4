#include "platform/TemplateDialog.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QShowEvent>

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
  // The template says which of the two buttons the dialog has: the converter has no Cancel, Help
  // has neither.
  for (const ControlRow& row : dialogTemplate.controls) {
    if (row.id == ids::kOk) {
      connect(Item<QAbstractButton>(this, ids::kOk), &QAbstractButton::clicked, this, &QDialog::accept);
    } else if (row.id == ids::kCancel) {
      connect(Item<QAbstractButton>(this, ids::kCancel), &QAbstractButton::clicked, this, &QDialog::reject);
    }
  }
}

void TemplateDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (m_initialized || event->spontaneous()) return;
  m_initialized = true;
  OnInitDialog();
}

} // namespace vek
