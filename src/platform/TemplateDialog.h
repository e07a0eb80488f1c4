#pragma once
// A modal dialog built from its template: the caption, a fixed client size in dialog units, the
// dialog font and the controls in template order. The OK and Cancel buttons (ids 1 and 2), where
// the template has them, end it; Enter presses the default button and Esc cancels, as in any
// dialog. OnInitDialog runs once, when the dialog first shows.

#include <span>

#include <QDialog>
#include <QString>

#include "platform/ControlTemplate.h"

class QShowEvent;

namespace vek {

struct DialogTemplate {
  const char* caption;
  int widthDlu;
  int heightDlu;
  std::span<const ControlRow> controls;
};

class TemplateDialog : public QDialog {
  Q_OBJECT
 public:
  TemplateDialog(const DialogTemplate& dialogTemplate, QWidget* parent);

 protected:
  virtual bool OnInitDialog() { return true; }
  void showEvent(QShowEvent* event) override;

  // The text of a control of the dialog; a missing control is skipped.
  void SetItemText(int id, const QString& text);
  QString ItemText(int id) const;

 private:
  bool m_bInitialized = false;
};

} // namespace vek
