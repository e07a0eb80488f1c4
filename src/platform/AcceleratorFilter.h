#pragma once
// The accelerator table at work, before the focused control sees a key. Keys whose command has no
// handler are still taken, so the Start field's clipboard and undo keys do nothing.

#include <functional>

#include <QObject>
#include <QPointer>

class QWidget;

namespace vek {

// Applies the table to every key pressed in `window` while no modal dialog runs. A key the table
// does not hold is offered to `otherKeys` (the multiple-document keys) before the focused control.
class AcceleratorFilter : public QObject {
  Q_OBJECT
 public:
  using CommandFn = std::function<void(int command)>;
  using KeyFn = std::function<bool(int qtKey, Qt::KeyboardModifiers modifiers)>;
  AcceleratorFilter(QWidget* window, CommandFn onCommand, KeyFn otherKeys);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Applies(QObject* watched) const;
  QPointer<QWidget> m_window;
  CommandFn m_onCommand;
  KeyFn m_otherKeys;
};

} // namespace vek
