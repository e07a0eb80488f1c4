#pragma once
// Paints a hex or text cell of a Find All list with the occurrence in bold among the bytes around
// it, so that the eye finds it at once; other cells paint as usual.

#include <QStyledItemDelegate>

namespace vek {

class MatchCellDelegate final : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace vek
