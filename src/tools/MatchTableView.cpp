#include "tools/MatchTableView.h"

namespace vek {

QModelIndex MatchTableView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  // The table moves to the first or last row only with Ctrl.
  if (action == MoveHome || action == MoveEnd) modifiers |= Qt::ControlModifier;
  return QTableView::moveCursor(action, modifiers);
}

} // namespace vek
