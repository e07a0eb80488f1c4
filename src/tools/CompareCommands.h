#pragma once
// The compare's commands in a view's page menu: "Compare with", a submenu of the other document
// windows by their titles (choosing one pairs the two views), Next and Previous difference, and Stop
// comparing, each with its key while the page has the focus (tools/CompareKeys.h). The steps and
// Stop work only while the view is paired.

#include <QObject>

class QAction;
class QMdiArea;
class QMenu;

namespace vek {

class ComparePairings;
class CVekView;
class PageContextMenu;

class CompareCommands final : public QObject {
  Q_OBJECT
 public:
  // `documents` is the area of the document windows, of which `view` shows one.
  CompareCommands(PageContextMenu& menu, CVekView& view, ComparePairings& pairings, QMdiArea& documents);

 private:
  void FillWindows();
  void PopupWindows();
  void UpdateItems();

  CVekView& m_view;
  ComparePairings& m_pairings;
  QMdiArea& m_documents;
  QMenu* m_windows;
  QAction* m_next;
  QAction* m_previous;
  QAction* m_stop;
};

} // namespace vek
