#pragma once
// The accelerator table of the main frame and its document windows. A key matches an entry only
// with exactly the entry's modifiers. AcceleratorFilter applies it.

#include <optional>
#include <span>

#include <Qt>

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

} // namespace vek
