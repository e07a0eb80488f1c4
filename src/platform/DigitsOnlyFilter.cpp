#include "platform/DigitsOnlyFilter.h"

#include <QKeyEvent>

namespace vek {

bool DigitsOnlyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const QString text = key->text();
  // Keys with control modifiers (select all, the clipboard keys) are not typing.
  if (text.isEmpty() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) return false;
  for (const QChar c : text) {
    if (!c.isPrint()) return false; // Backspace, Enter, Tab: editing keys, not characters
    if (c < u'0' || c > u'9') return true;
  }
  return false;
}

} // namespace vek
