#pragma once
// A modal dialog built from its template: the caption, a fixed client size in dialog units, the
// dialog font and the controls in template order. The OK and Cancel buttons (ids 1 and 2), where
// the template has them, end it; Enter presses the default button and Esc cancels, as in any
// dialog. OnInitDialog runs once, when the dialog first shows. A dialog fetches the controls it
// addresses once, in its constructor, with Item<T>.

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
  virtual void OnInitDialog() {}
  void showEvent(QShowEvent* event) override;

 private:
  bool m_initialized = false;
};

} // namespace vek
