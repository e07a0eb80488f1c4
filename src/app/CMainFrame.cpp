#include "app/CMainFrame.h"

#include <algorithm>

#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QShowEvent>
#include <QUrl>
#include <QTimer>

#include "ResourceIds.h"
#include "Strings.h"
#include "app/CChildFrame.h"
#include "app/CVekDoc.h"
#include "platform/AcceleratorFilter.h"
#include "platform/AppIcons.h"
#include "platform/PathText.h"
#include "tools/ValuesWindow.h"
#include "view/CVekView.h"

namespace vek {

namespace {

constexpr int kMenuNoDocument = 128;
constexpr int kMenuDocument = 129;
constexpr const char* kCommandProperty = "vekCommand";

struct MenuItem {
  const char* text; // nullptr for a separator
  int command;
};

QMenu* AddPopup(QMenuBar* bar, const char* title, std::initializer_list<MenuItem> items) {
  QMenu* menu = bar->addMenu(QString::fromUtf8(title));
  for (const MenuItem& item : items) {
    if (item.text == nullptr) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(QString::fromUtf8(item.text));
    action->setProperty(kCommandProperty, item.command);
  }
  return menu;
}

} // namespace

CMainFrame::CMainFrame(std::function<bool(int)> appCommand)
    : m_appCommand(std::move(appCommand)), m_pMdiArea(new QMdiArea(this)) {
  setWindowTitle(QString::fromUtf8(strings::kAppName));
  setWindowIcon(AppIcon());
  setCentralWidget(m_pMdiArea);
  // Files dropped anywhere on the window open as Ctrl+O opens them.
  setAcceptDrops(true);
  // The size is set before the first show: a document window opened before then is placed in a
  // client area of this size. Left to Qt, a new window's size is a share of the screen's, and on a
  // small or scaled screen (512 x 384 logical at scale 2) the document window would be centred
  // in a narrower area, its left edge pushed off the main window.
  resize(kMainFrameWidth, kMainFrameHeight);
  connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, [this] {
    UpdateMenu();
    UpdateTitle();
  });
  connect(menuBar(), &QMenuBar::triggered, this, [this](QAction* action) {
    const QVariant command = action->property(kCommandProperty);
    if (command.isValid()) OnCommand(command.toInt());
  });
  // The table is applied to every key of this window before the focused control sees it.
  qApp->installEventFilter(new AcceleratorFilter(
      this, [this](int command) { OnCommand(command); },
      [this](int key, Qt::KeyboardModifiers modifiers) { return OnMdiKey(key, modifiers); }));
  UpdateMenu();
}

CChildFrame* CMainFrame::ActiveChild() const {
  // The current one, also while a tool window of ours has the focus: the document window stays the
  // one the commands and the caption are for.
  return qobject_cast<CChildFrame*>(m_pMdiArea->currentSubWindow());
}

QList<CChildFrame*> CMainFrame::Children() const {
  QList<CChildFrame*> children;
  for (QMdiSubWindow* window : m_pMdiArea->subWindowList()) {
    if (auto* child = qobject_cast<CChildFrame*>(window)) children.append(child);
  }
  return children;
}

void CMainFrame::AddChild(CChildFrame* frame) {
  m_pMdiArea->addSubWindow(frame);
  connect(frame->GetDocument(), &CVekDoc::titleChanged, this, [this] { UpdateTitle(); });
  // Qt writes its own caption when a document window is maximised, restored or retitled while
  // maximised; ours is written again once it has done so.
  connect(frame, &QMdiSubWindow::windowStateChanged, this, [this] { QTimer::singleShot(0, this, &CMainFrame::UpdateTitle); });
  connect(frame, &QWidget::windowTitleChanged, this, [this] { QTimer::singleShot(0, this, &CMainFrame::UpdateTitle); });
  connect(frame, &QObject::destroyed, this, [this] {
    // The list still holds the closing window while it is being destroyed.
    QTimer::singleShot(0, this, [this] {
      UpdateMenu();
      UpdateTitle();
    });
  });
  UpdateMenu();
}

void CMainFrame::OnCommand(int commandId) {
  if (CChildFrame* child = ActiveChild()) {
    if (child->GetView()->OnCmdMsg(commandId)) return;
    if (commandId == ids::ID_FILE_CLOSE) {
      child->close();
      return;
    }
    // Save reaches the document, which stores nothing: the view writes each edit into the file.
    if (commandId == ids::ID_FILE_SAVE) return;
  }
  if (OnFrameCommand(commandId)) return;
  if (m_appCommand) m_appCommand(commandId);
}

void CMainFrame::ShowInspector() {
  if (m_inspector == nullptr) m_inspector = new ValuesWindow(*m_pMdiArea, this);
  m_inspector->Show();
}

bool CMainFrame::OnFrameCommand(int commandId) {
  const bool haveWindows = !m_pMdiArea->subWindowList().isEmpty();
  switch (commandId) {
    case ids::ID_WINDOW_CASCADE:
      if (haveWindows) m_pMdiArea->cascadeSubWindows();
      return true;
    case ids::ID_WINDOW_TILE_HORZ:
      if (haveWindows) TileHorizontally();
      return true;
    case ids::ID_WINDOW_ARRANGE:
      if (haveWindows) ArrangeIcons();
      return true;
    case ids::ID_NEXT_PANE:
    case ids::ID_PREV_PANE:
      return true; // disabled: there are no split panes
    default:
      return false;
  }
}

bool CMainFrame::OnMdiKey(int qtKey, Qt::KeyboardModifiers modifiers) {
  const Qt::KeyboardModifiers mods = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  if (mods != Qt::ControlModifier) return false;
  if (qtKey == Qt::Key_F4) {
    if (CChildFrame* child = ActiveChild()) child->close();
    return true;
  }
  if (qtKey == Qt::Key_F6) {
    m_pMdiArea->activateNextSubWindow();
    return true;
  }
  return false;
}

void CMainFrame::TileHorizontally() {
  // One above the other, each in a band of the client area. The windows keep their fixed size
  // (QMdiArea's own tiling would grow the main window until every tile fits).
  QList<QMdiSubWindow*> windows;
  for (QMdiSubWindow* window : m_pMdiArea->subWindowList()) {
    if (!window->isMinimized()) windows.append(window);
  }
  if (windows.isEmpty()) return;
  const int band = std::max(1, m_pMdiArea->viewport()->height() / static_cast<int>(windows.size()));
  for (int i = 0; i < windows.size(); ++i) {
    if (windows[i]->isMaximized()) windows[i]->showNormal();
    windows[i]->move(0, i * band);
  }
}

void CMainFrame::ArrangeIcons() {
  // Minimised document windows line up along the bottom edge, left to right.
  int x = 0;
  for (QMdiSubWindow* window : m_pMdiArea->subWindowList()) {
    if (!window->isMinimized()) continue;
    const QSize size = window->size();
    window->move(x, m_pMdiArea->viewport()->height() - size.height());
    x += size.width();
  }
}

namespace {
// The local files among the dropped things, as the system names them; anything else is ignored.
std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (data == nullptr) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths.push_back(PathFromDialog(url.toLocalFile()));
  }
  return paths;
}
} // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).empty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  const std::vector<std::string> paths = LocalFiles(event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  emit filesDropped(paths);
}

void CMainFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (event->spontaneous()) return; // restored from minimised: the person's size stays
  ApplyFixedSize();
  // The window manager adds its frame only once the window is mapped: measure again then.
  QTimer::singleShot(0, this, &CMainFrame::ApplyFixedSize);
}

void CMainFrame::hideEvent(QHideEvent* event) {
  QMainWindow::hideEvent(event);
  if (event->spontaneous()) return;
  ApplyFixedSize();
}

void CMainFrame::ApplyFixedSize() {
  const QSize decoration = frameGeometry().size() - geometry().size();
  resize(kMainFrameWidth - decoration.width(), kMainFrameHeight - decoration.height());
}

void CMainFrame::UpdateMenu() {
  const int wanted = m_pMdiArea->subWindowList().isEmpty() ? kMenuNoDocument : kMenuDocument;
  if (wanted == m_menuId) return;
  m_menuId = wanted;
  QMenuBar* bar = menuBar();
  const QList<QMenu*> former = bar->findChildren<QMenu*>(Qt::FindDirectChildrenOnly);
  bar->clear();
  for (QMenu* menu : former) menu->deleteLater(); // the bar owns them beyond clear()
  if (wanted == kMenuNoDocument) {
    AddPopup(bar, "&File", {{"&Open...\tCtrl+O", ids::ID_FILE_OPEN}, {nullptr, 0}, {"E&xit", ids::ID_APP_EXIT}});
    AddPopup(bar, "&Help", {{"&About vek...", ids::ID_APP_ABOUT}});
    return;
  }
  AddPopup(bar, "&File",
           {{"&Open...\tCtrl+O", ids::ID_FILE_OPEN}, {"&Close", ids::ID_FILE_CLOSE}, {nullptr, 0},
            {"E&xit", ids::ID_APP_EXIT}});
  QMenu* window = AddPopup(bar, "&Window",
                           {{"&Cascade", ids::ID_WINDOW_CASCADE}, {"&Tile", ids::ID_WINDOW_TILE_HORZ},
                            {"&Arrange Icons", ids::ID_WINDOW_ARRANGE}});
  const qsizetype fixedItems = window->actions().size();
  connect(window, &QMenu::aboutToShow, this, [this, window, fixedItems] { FillWindowMenu(window, fixedItems); });
  AddPopup(bar, "&Help", {{"&About vek...", ids::ID_APP_ABOUT}, {"Help...", ids::ID_APP_HELP}});
}

void CMainFrame::FillWindowMenu(QMenu* menu, qsizetype fixedItems) {
  // Below the window commands (the menu's first `fixedItems`): a separator, then one item per
  // document window, the active one checked.
  const QList<QAction*> actions = menu->actions();
  for (qsizetype i = fixedItems; i < actions.size(); ++i) {
    menu->removeAction(actions[i]);
    actions[i]->deleteLater();
  }
  const QList<QMdiSubWindow*> windows = m_pMdiArea->subWindowList();
  if (windows.isEmpty()) return;
  menu->addSeparator();
  for (int i = 0; i < windows.size(); ++i) {
    QMdiSubWindow* window = windows[i];
    QAction* action = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(window->windowTitle()));
    action->setCheckable(true);
    action->setChecked(window == m_pMdiArea->activeSubWindow());
    connect(action, &QAction::triggered, this, [this, window] { m_pMdiArea->setActiveSubWindow(window); });
  }
}

void CMainFrame::UpdateTitle() {
  // "vek - title" while a document window is active; a maximised one shows its title in brackets,
  // as the multiple-document area does; "vek" alone otherwise.
  const QString app = QString::fromUtf8(strings::kAppName);
  const CChildFrame* child = ActiveChild();
  if (child == nullptr) {
    setWindowTitle(app);
    return;
  }
  const QString title = child->GetDocument()->GetTitle();
  setWindowTitle(child->isMaximized() ? app + QStringLiteral(" - [") + title + QStringLiteral("]")
                                      : app + QStringLiteral(" - ") + title);
}

} // namespace vek
