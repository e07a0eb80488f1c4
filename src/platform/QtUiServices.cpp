#include "platform/QtUiServices.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

#include "Strings.h"

namespace vek {

namespace {
// A box or dialog belongs to the program's main window once it shows; before that it stands alone.
QWidget* VisibleOwner(QWidget* owner) {
  if (owner != nullptr && owner->window()->isVisible()) return owner->window();
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top->isVisible() && top->inherits("QMainWindow")) return top;
  }
  return nullptr;
}

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Stop: return QMessageBox::Critical;
  }
  return QMessageBox::Warning;
}
} // namespace

void QtUiServices::MessageBox(const QString& text, MessageIcon icon) {
  QMessageBox box(ToQt(icon), QString::fromUtf8(strings::kAppName), text, QMessageBox::Ok,
                  VisibleOwner(nullptr));
  // The page may be under a wait cursor while the box asks for a click.
  const bool waiting = m_waitCount > 0;
  if (waiting) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
  box.exec();
  if (waiting) QGuiApplication::restoreOverrideCursor();
}

void QtUiServices::BeginWaitCursor() {
  if (m_waitCount++ == 0) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUiServices::EndWaitCursor() {
  if (m_waitCount == 0) return;
  if (--m_waitCount == 0) QGuiApplication::restoreOverrideCursor();
}

QString QtUiServices::AskOpenFileName(QWidget* owner, const QString& title, const QString& filter) {
  QFileDialog dialog(VisibleOwner(owner), title, QString(), filter);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  return files.isEmpty() ? QString() : files.front();
}

int QtUiServices::RunModal(QDialog& dialog) {
  if (dialog.parentWidget() == nullptr) {
    if (QWidget* owner = VisibleOwner(nullptr)) {
      // Owned by the main window, which is disabled while the dialog runs; centred over it.
      const Qt::WindowFlags flags = dialog.windowFlags();
      dialog.setParent(owner, flags | Qt::Dialog);
    }
  }
  return dialog.exec();
}

} // namespace vek
