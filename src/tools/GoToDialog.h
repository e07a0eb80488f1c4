#pragma once
// Go to: a small dialog that asks for the offset of the byte to select, as a number, from the
// selected byte or from the end (core/GoToExpression.h), and the command that runs it over a view.
// A text that names no byte of the file is refused with a message that says why; the dialog stays
// open with the text, and nothing else changes.

#include <optional>

#include <QDialog>

#include "core/PageGeometry.h"

class QLineEdit;

namespace vek {

class CVekView;
class FileSession;
class UiServices;

class GoToDialog final : public QDialog {
  Q_OBJECT
 public:
  GoToDialog(UiServices& ui, const FileSession& session, QWidget* parent = nullptr);

  // The byte to go to, once the dialog ended with OK.
  std::optional<Offset> Target() const { return m_target; }

  // Ends the dialog with OK only when the text names a byte of the file.
  void accept() override;

 private:
  UiServices& m_ui;
  const FileSession& m_session;
  std::optional<Offset> m_target;
  QLineEdit* m_expression;
};

// Asks for the offset and, on OK, shows the page that holds it with the byte there selected.
void AskGoTo(UiServices& ui, CVekView& view);

} // namespace vek
