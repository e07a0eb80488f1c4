#include "ScriptedUiServices.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "platform/ControlTemplate.h"

namespace vek::test {

int ScriptedUiServices::RunModal(QDialog& dialog) {
  ++dialogsRun;
  dialog.setResult(QDialog::Rejected);
  if (dialogSteps.empty()) return QDialog::Rejected;
  DialogStep step = std::move(dialogSteps.front());
  dialogSteps.pop_front();
  dialog.show();
  dialog.activateWindow();
  QApplication::processEvents();
  step(dialog);
  const int result = dialog.isVisible() ? int(QDialog::Rejected) : dialog.result();
  dialog.hide();
  return result;
}

void ClickButton(QDialog& dialog, int controlId) {
  auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(&dialog, controlId));
  ASSERT_NE(button, nullptr) << "no button " << controlId;
  QTest::mouseClick(button, Qt::LeftButton);
}

void TypeInto(QDialog& dialog, int controlId, const QString& text) {
  auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(&dialog, controlId));
  ASSERT_NE(edit, nullptr) << "no edit " << controlId;
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

void PressKey(QDialog& dialog, int key) {
  QWidget* target = QApplication::focusWidget();
  if (target == nullptr || target->window() != &dialog) target = &dialog;
  QTest::keyClick(target, Qt::Key(key));
}

} // namespace vek::test
