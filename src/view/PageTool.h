#pragma once
// The windows of our own that the page's context menu (or its key, while the page has the keyboard
// focus) opens. The view only says which one was asked for; the application opens it. None of these
// keys is in the accelerator table: there a key matches only with exactly its modifiers, so
// Ctrl+Shift+I, Ctrl+G and Ctrl+Shift+F are free.

#include <QKeyCombination>

namespace vek {

enum class PageTool { Inspector, GoTo, FindAll };

inline constexpr QKeyCombination kInspectorKey{Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_I};
inline constexpr QKeyCombination kGoToKey{Qt::ControlModifier, Qt::Key_G};
inline constexpr QKeyCombination kFindAllKey{Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_F};
// Not a window, but beside Find All in the menu: Shift+F3 is Find, Ctrl+Shift+F3 is free.
inline constexpr QKeyCombination kFindPreviousKey{Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_F3};

} // namespace vek
