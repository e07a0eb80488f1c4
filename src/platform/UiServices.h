#pragma once
// What the program asks of the desktop: message boxes, the wait cursor, the open-file dialog and
// running a modal dialog. The program talks to this interface only, so that tests can answer
// instead of a person.

#include <QString>

#include "core/Message.h"

class QDialog;
class QWidget;

namespace vek {

class UiServices {
 public:
  virtual ~UiServices() = default;

  // A modal box captioned with the application name, with one OK button.
  virtual void MessageBox(const QString& text, MessageIcon icon = MessageIcon::Warning) = 0;
  // A message as the core words it.
  void Tell(const Message& message) { MessageBox(QString::fromStdString(message.text), message.icon); }

  // Counted: the wait cursor shows while more begins than ends have been made.
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;

  // An open-file dialog for existing files; the full path, or empty when cancelled.
  virtual QString AskOpenFileName(QWidget* owner, const QString& title, const QString& filter) = 0;

  // Runs the dialog modally and returns its result (QDialog::Accepted or Rejected).
  virtual int RunModal(QDialog& dialog) = 0;
};

} // namespace vek
