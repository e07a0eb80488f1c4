#pragma once
// The band of the view where the page is painted, as a widget of its own: assistive technology
// finds the page as one object with a text (the page lines, the selected byte as caret and
// selection), and a person without a mouse reaches it with Tab to move the selected byte with the
// arrow keys (with Shift: a range) and edit it with F2 or Space, and opens the page's context menu
// with the Menu key or Shift+F10. It paints nothing and takes no clicks: the view beneath does
// both, and draws the focus mark while this area has the focus.

#include <string>

#include <QString>
#include <QWidget>

namespace vek {

class CVekView;

class PageArea final : public QWidget {
  Q_OBJECT
 public:
  explicit PageArea(CVekView& view);

  const CVekView& View() const { return m_view; }
  // True once a click or a key has selected a byte; before that the page has a caret but no selection.
  bool HasSelection() const { return m_bHasSelection; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void OnPageTextChanged();
  void OnSelectionChanged();

  CVekView& m_view;
  // The text the listeners were last told about, so that a change can name what it replaced.
  // Kept only while assistive technology listens.
  std::u32string m_strToldText;
  bool m_bHasSelection = false;
};

} // namespace vek
