#pragma once
// The accelerator table of the main frame and its document windows, applied before the focused
// control sees a key. A key matches an entry only with exactly the entry's modifiers. Keys whose
// command has no handler are still taken, so the Start field's clipboard and undo keys do nothing.

#include <functional>
#include <optional>
#include <span>

#include <QObject>
#include <QPointer>

class QKeyEvent;
class QWidget;

namespace vek {

inline constexpr unsigned kAccelVirtKey = 0x01;
inline constexpr unsigned kAccelNoInvert = 0x02;
inline constexpr unsigned kAccelShift = 0x04;
inline constexpr unsigned kAccelControl = 0x08;
inline constexpr unsigned kAccelAlt = 0x10;
inline constexpr unsigned kAccelEnd = 0x80;

struct AccelEntry {
  unsigned flags;
  int virtualKey;
  int command;
};

std::span<const AccelEntry> MainAccelerators();

// The virtual-key code of a Qt key, or 0 for keys the table cannot name.
int VirtualKeyOf(int qtKey);

// The command of the first entry the key matches, in table order.
std::optional<int> TranslateAccelerator(std::span<const AccelEntry> table, int qtKey,
                                        Qt::KeyboardModifiers modifiers);

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
