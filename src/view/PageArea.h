#pragma once
// The band of the view where the page is painted, as a widget of its own so that assistive
// technology finds the page as one object with a text: the page lines, and the selected byte as
// caret and selection. It neither paints nor takes input: the view beneath does both.

#include <QString>
#include <QWidget>

namespace vek {

class CVekView;

class PageArea final : public QWidget {
  Q_OBJECT
 public:
  explicit PageArea(CVekView& view);

  const CVekView& View() const { return m_view; }
  // True once a click has selected a byte; before that the page has a caret but no selection.
  bool HasSelection() const { return m_bHasSelection; }

 private:
  void OnPageTextChanged();
  void OnSelectionChanged();

  const CVekView& m_view;
  // The text the listeners were last told about, so that a change can name what it replaced.
  // Kept only while assistive technology listens.
  QString m_strToldText;
  bool m_bHasSelection = false;
};

} // namespace vek
