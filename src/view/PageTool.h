#pragma once
// The windows of our own that the page's context menu (or its key, while the page has the keyboard
// focus) opens. The view only says which one was asked for; the application opens it. None of these
// keys is in the accelerator table: there a key matches only with exactly its modifiers, so
// Ctrl+Shift+I and Ctrl+G are free.

#include <QKeyCombination>

namespace vek {

enum class PageTool { Inspector, GoTo };

inline constexpr QKeyCombination kInspectorKey{Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_I};
inline constexpr QKeyCombination kGoToKey{Qt::ControlModifier, Qt::Key_G};

} // namespace vek
