#pragma once
// The windows of our own that a key opens while the page has the keyboard focus. The view only says
// which one was asked for; the application opens it. None of these keys is in the accelerator
// table: there a key matches only with exactly its modifiers, so Ctrl+Shift+I and Ctrl+G are free.

#include <optional>

#include <QKeyCombination>

namespace vek {

enum class PageTool { Inspector, GoTo };

inline constexpr QKeyCombination kInspectorKey{Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_I};
inline constexpr QKeyCombination kGoToKey{Qt::ControlModifier, Qt::Key_G};

// The tool a key press asks for, none for any other key. The keypad's keys count as the others.
inline std::optional<PageTool> PageToolForKey(Qt::KeyboardModifiers modifiers, int key) {
  const QKeyCombination pressed(modifiers & ~Qt::KeypadModifier, Qt::Key(key));
  if (pressed == kInspectorKey) return PageTool::Inspector;
  if (pressed == kGoToKey) return PageTool::GoTo;
  return std::nullopt;
}

} // namespace vek
