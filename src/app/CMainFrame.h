#pragma once
// The main window: a menu bar over the area where the document windows live. It shows one menu
// while no document window is open and another while one is, keeps its caption in step with the
// active document, applies the accelerator table and routes every command.

#include <functional>
#include <string>
#include <vector>

#include <QMainWindow>

class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace vek {

class CChildFrame;
class ValuesWindow;

inline constexpr int kMainFrameWidth = 675; // outer size, frame and caption included
inline constexpr int kMainFrameHeight = 350;

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  // Commands the frames do not handle go to `appCommand` (the application object).
  explicit CMainFrame(std::function<bool(int command)> appCommand);

  QMdiArea* MdiArea() const { return m_pMdiArea; }
  CChildFrame* ActiveChild() const;
  QList<CChildFrame*> Children() const;
  void AddChild(CChildFrame* frame);

  // Routes a command: the active view, its document, this frame, then the application.
  void OnCommand(int commandId);

  // The data inspector, a tool window of this one that follows the active document: made the first
  // time, then shown again and brought to the front.
  void ShowInspector();

  // The menu shown now: 128 without a document window, 129 with one.
  int MenuId() const { return m_menuId; }

 signals:
  // Files dropped onto the main window or a document window, as the system names them.
  void filesDropped(const std::vector<std::string>& paths);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  bool OnFrameCommand(int commandId);
  bool OnMdiKey(int qtKey, Qt::KeyboardModifiers modifiers);
  void ApplyFixedSize();
  void UpdateMenu();
  void UpdateTitle();
  void FillWindowMenu(QMenu* menu, qsizetype fixedItems);
  void TileHorizontally();
  void ArrangeIcons();

  std::function<bool(int)> m_appCommand;
  QMdiArea* m_pMdiArea;
  int m_menuId = 0;
  ValuesWindow* m_inspector = nullptr; // a child, made when first asked for
};

} // namespace vek
