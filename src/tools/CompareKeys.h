#pragma once
// The keys of the compare's commands while the page has the keyboard focus. None is in the
// accelerator table (a key matches it only with exactly its modifiers), and none is Shift with an
// arrow, which makes a range: Alt+Down and Alt+Up step through the differences as diff tools do.

#include <QKeyCombination>

namespace vek {

inline constexpr QKeyCombination kCompareWithKey{Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_D};
inline constexpr QKeyCombination kNextDifferenceKey{Qt::AltModifier, Qt::Key_Down};
inline constexpr QKeyCombination kPreviousDifferenceKey{Qt::AltModifier, Qt::Key_Up};
inline constexpr QKeyCombination kStopComparingKey{Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_E};

} // namespace vek
