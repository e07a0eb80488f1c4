#pragma once
// The table of a Find All list, whose rows are chosen whole: Home and End go to the first and the
// last row, as in a list, rather than to the first and last cell of the row.

#include <QTableView>

namespace vek {

class MatchTableView final : public QTableView {
  Q_OBJECT
 public:
  using QTableView::QTableView;

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
};

} // namespace vek
