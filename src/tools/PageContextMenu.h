#pragma once
// The page's context menu: the commands of our own over the view's session. It opens with the right
// button, the Menu key or Shift+F10; each command also has a key that works while the page has the
// keyboard focus (none of them is a key of the accelerator table), shown in the menu.

#include <functional>

#include <QKeySequence>
#include <QObject>

#include "core/CopyText.h"

class QAction;
class QMenu;

namespace vek {

class CVekView;
class FileSystem;
class UiServices;

class PageContextMenu : public QObject {
  Q_OBJECT
 public:
  PageContextMenu(CVekView& view, UiServices& ui, FileSystem& files);

  // A command of the menu, below those before it; a separator comes before a new group.
  QAction* AddCommand(const QString& text, const QKeySequence& key, std::function<void()> run);
  void AddSeparator();

  QMenu* Menu() const { return m_menu; }

 private:
  void Popup(const QPoint& globalPos);
  void Copy(CopyFormat format);
  void CopyOffset();
  // The Undo and Redo items say what they will do, and the Read-only item the file's state; their
  // keys work only while there is something to do.
  void UpdateEditItems();

  CVekView& m_view;
  UiServices& m_ui;
  FileSystem& m_files;
  QMenu* m_menu;
  QAction* m_undo;
  QAction* m_redo;
  QAction* m_readOnly;
};

} // namespace vek
