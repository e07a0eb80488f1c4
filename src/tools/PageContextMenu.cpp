#include "tools/PageContextMenu.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

#include "core/DisplayTexts.h"
#include "core/FileSession.h"
#include "platform/UiServices.h"
#include "platform/WaitCursor.h"
#include "search/SearchProgress.h"
#include "view/CVekView.h"
#include "view/PageTool.h"

namespace vek {

PageContextMenu::PageContextMenu(CVekView& view, UiServices& ui, FileSystem& files)
    : QObject(&view), m_view(view), m_ui(ui), m_files(files), m_menu(new QMenu(&view)) {
  m_menu->setAccessibleName(QStringLiteral("Page"));
  connect(&view, &CVekView::contextMenuRequested, this, &PageContextMenu::Popup);
  AddCommand(QStringLiteral("Copy as &Hex"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
             [this] { Copy(CopyFormat::HexPairs); });
  AddCommand(QStringLiteral("Copy as &Text"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T),
             [this] { Copy(CopyFormat::Text); });
  AddCommand(QStringLiteral("Copy as C &Array"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A),
             [this] { Copy(CopyFormat::CArray); });
  AddCommand(QStringLiteral("Copy &Offset"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), [this] { CopyOffset(); });
  AddSeparator();
  m_undo = AddCommand(QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), [this] {
    m_view.Perform([](FileSession& session, FileSystem& files) { return session.Undo(files); });
  });
  m_redo = AddCommand(QStringLiteral("&Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y), [this] {
    m_view.Perform([](FileSession& session, FileSystem& files) { return session.Redo(files); });
  });
  m_readOnly = AddCommand(QStringLiteral("Read-&only"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), [this] {
    const bool readOnly = m_readOnly->isChecked();
    m_view.Perform([readOnly](FileSession& session, FileSystem&) { return session.SetReadOnly(readOnly); });
  });
  m_readOnly->setCheckable(true);
  connect(m_menu, &QMenu::aboutToShow, this, &PageContextMenu::UpdateEditItems);
  connect(&view, &CVekView::sessionChanged, this, &PageContextMenu::UpdateEditItems);
  UpdateEditItems();
  AddSeparator();
  AddCommand(QStringLiteral("&Go to..."), QKeySequence(kGoToKey), [this] { m_view.RequestTool(PageTool::GoTo); });
  AddCommand(QStringLiteral("Data &Inspector"), QKeySequence(kInspectorKey),
             [this] { m_view.RequestTool(PageTool::Inspector); });
  AddSeparator();
  AddCommand(QStringLiteral("Find &Previous"), QKeySequence(kFindPreviousKey), [this] { m_view.OnFindPrevious(); });
  AddCommand(QStringLiteral("&Find All"), QKeySequence(kFindAllKey), [this] { m_view.RequestTool(PageTool::FindAll); });
}

QAction* PageContextMenu::AddCommand(const QString& text, const QKeySequence& key, std::function<void()> run) {
  auto* action = new QAction(text, m_menu);
  action->setShortcut(key);
  // The key works while the page has the focus, and only then: elsewhere it is the form's.
  action->setShortcutContext(Qt::WidgetShortcut);
  action->setShortcutVisibleInContextMenu(true);
  connect(action, &QAction::triggered, this, std::move(run));
  m_view.PageWidget()->addAction(action);
  m_menu->addAction(action);
  return action;
}

void PageContextMenu::AddSeparator() { m_menu->addSeparator(); }

void PageContextMenu::UpdateEditItems() {
  const FileSession& session = m_view.Session();
  const std::optional<std::string> undo = session.UndoText();
  const std::optional<std::string> redo = session.RedoText();
  m_undo->setText(undo ? QString::fromStdString(*undo) : QStringLiteral("&Undo"));
  m_undo->setEnabled(undo.has_value());
  m_redo->setText(redo ? QString::fromStdString(*redo) : QStringLiteral("&Redo"));
  m_redo->setEnabled(redo.has_value());
  m_readOnly->setChecked(session.ReadOnly());
}

void PageContextMenu::Popup(const QPoint& globalPos) { m_menu->popup(globalPos); }

void PageContextMenu::Copy(CopyFormat format) {
  const FileSession& session = m_view.Session();
  const std::optional<ByteRange> selection = session.Selection();
  if (!selection) return;
  const PageState& page = session.Page();
  std::vector<std::uint8_t> bytes;
  if (selection->first >= page.readStart && selection->last < page.readStart + page.readCount) {
    // On the page: its bytes as shown, also a value just typed that did not reach the file.
    const std::span<const std::uint8_t> shown = session.PageBytes();
    bytes.assign(shown.begin() + (selection->first - page.readStart), shown.begin() + (selection->last - page.readStart) + 1);
  } else {
    WaitCursor wait(m_ui);
    SearchProgress progress(&m_view, selection->first, selection->last + 1, QStringLiteral("Copying..."));
    RangeBytes read = ReadRange(m_files, session.Path(), *selection, [&progress](Offset at) { return progress.Continue(at); });
    if (read.failure) m_ui.Tell(*read.failure);
    if (read.failure || read.cancelled) return;
    bytes = std::move(read.bytes);
  }
  const std::string text = FormatCopy(bytes, format);
  QGuiApplication::clipboard()->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void PageContextMenu::CopyOffset() {
  const FileSession& session = m_view.Session();
  if (const std::optional<Offset> offset = session.SelectedOffset()) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(FormatStartPos(*offset, session.HexMode())));
  }
}

} // namespace vek
