#pragma once
// The page as accessible text. The text is the view's page lines joined by line feeds, exactly as
// painted; each character maps to the cell of the page grid it is painted in, so that screen
// readers, magnifiers and Braille displays follow the same page a sighted person sees.

#include <optional>

#include <QAccessibleWidget>
#include <QString>

namespace vek {

class CVekView;
class PageArea;

// The text of the page, one page line per text line.
QString PageAccessibleText(const CVekView& view);
std::u32string PageAccessibleText32(const CVekView& view);
// Where the selected byte's hex digits start in that text; 0 when the page has no bytes.
int PageCaretOffset(const CVekView& view);
// The selected byte's two hex digits in that text, once a click has selected a byte of the page.
struct TextRange {
  int start;
  int end;
};
std::optional<TextRange> PageSelection(const PageArea& area);

// Makes Qt build a PageAccessible for every PageArea; later calls do nothing.
void InstallPageAccessibleFactory();

class PageAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit PageAccessible(PageArea* area);

  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType t) override;

  // QAccessibleTextInterface: the page is read-only; requests to move the caret or change the
  // selection are refused, since only a click selects a byte.
  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override;
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override;
  void setCursorPosition(int) override {}
  QString text(int startOffset, int endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

 private:
  const PageArea& Area() const;
};

} // namespace vek
