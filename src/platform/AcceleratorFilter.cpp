#include "platform/AcceleratorFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/AcceleratorTable.h"

namespace vek {

AcceleratorFilter::AcceleratorFilter(QWidget* window, CommandFn onCommand, KeyFn otherKeys)
    : QObject(window), m_window(window), m_onCommand(std::move(onCommand)), m_otherKeys(std::move(otherKeys)) {}

bool AcceleratorFilter::Applies(QObject* watched) const {
  if (!watched->isWidgetType() || m_window.isNull()) return false;
  // Modal dialogs handle all their own keys.
  if (QApplication::activeModalWidget() != nullptr) return false;
  return static_cast<QWidget*>(watched)->window() == m_window;
}

bool AcceleratorFilter::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type != QEvent::KeyPress && type != QEvent::ShortcutOverride) || !Applies(watched)) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const std::optional<int> command = TranslateAccelerator(MainAccelerators(), key->key(), key->modifiers());
  if (type == QEvent::ShortcutOverride) {
    // Claim the key, so that neither a shortcut nor the control's own override takes it.
    if (command) {
      event->accept();
      return true;
    }
    return false;
  }
  if (command) {
    if (m_onCommand) m_onCommand(*command);
    return true;
  }
  return m_otherKeys && m_otherKeys(key->key(), key->modifiers());
}

} // namespace vek
