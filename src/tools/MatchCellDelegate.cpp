#include "tools/MatchCellDelegate.h"

#include <algorithm>

#include <QApplication>
#include <QPainter>

#include "tools/MatchListModel.h"

namespace vek {

void MatchCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QVariant first = index.data(MatchListModel::kMatchFirstRole);
  if (!first.isValid()) return QStyledItemDelegate::paint(painter, option, index);
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  const QString text = cell.text;
  cell.text.clear();
  const QStyle* style = cell.widget != nullptr ? cell.widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget); // the background, selection, focus

  // Where the style would have drawn the text, less the margin it keeps on either side.
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, &cell, cell.widget) + 1;
  QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, cell.widget).adjusted(margin, 0, -margin, 0);
  const bool selected = cell.state & QStyle::State_Selected;
  const QPalette::ColorGroup group = cell.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
  painter->save();
  painter->setPen(cell.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
  const int matchFirst = std::clamp(first.toInt(), 0, static_cast<int>(text.size()));
  const int matchCount = std::clamp(index.data(MatchListModel::kMatchCountRole).toInt(), 0,
                                    static_cast<int>(text.size()) - matchFirst);
  QFont bold = cell.font;
  bold.setBold(true);
  const QString parts[] = {text.left(matchFirst), text.mid(matchFirst, matchCount), text.mid(matchFirst + matchCount)};
  for (int i = 0; i < 3; ++i) {
    const QFont& font = i == 1 ? bold : cell.font;
    painter->setFont(font);
    painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, parts[i]);
    area.setLeft(area.left() + QFontMetrics(font).horizontalAdvance(parts[i]));
  }
  painter->restore();
}

} // namespace vek
