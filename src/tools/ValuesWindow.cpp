#include "tools/ValuesWindow.h"

#include <algorithm>

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/DisplayTexts.h"
#include "core/FileErrorText.h"
#include "core/FileSession.h"
#include "core/SelectedBytes.h"
#include "platform/PathText.h"
#include "platform/QtText.h"
#include "tools/ToolWindowPlacement.h"
#include "view/CVekView.h"

namespace vek {

namespace {

constexpr const char* kTitle = "Data Inspector";
constexpr const char* kTypeHeader = "Type";
constexpr const char* kValueHeader = "Value";
constexpr const char* kNoDocument = "No document window is open.";
constexpr const char* kNoFile = "The active document window shows no file.";
constexpr const char* kNoByte = "No byte of %1 is selected.";
constexpr const char* kInspected = "Offset %1 of %2";
// The widest values a row can show, so that none is cut off in the window's first size.
constexpr const char* kWidestValues[] = {"-2.2250738585072014e-308", "U+FEFF (byte order mark)",
                                         "9999-12-31 23:59:59 UTC", "18446744073709551615"};

} // namespace

ValuesWindow::ValuesWindow(QMdiArea& documents, QWidget* owner)
    : QDialog(owner, Qt::Tool), m_documents(documents), m_heading(new QLabel(this)), m_rows(new QTreeWidget(this)) {
  setWindowTitle(QString::fromUtf8(kTitle));
  // Shown from the page's key, the window leaves the focus on the page, where the arrows move on.
  setAttribute(Qt::WA_ShowWithoutActivating);
  m_heading->setWordWrap(true);
  m_rows->setColumnCount(2);
  m_rows->setHeaderLabels({QString::fromUtf8(kTypeHeader), QString::fromUtf8(kValueHeader)});
  m_rows->setRootIsDecorated(false);
  m_rows->setUniformRowHeights(true);
  m_rows->setSelectionBehavior(QAbstractItemView::SelectItems);
  m_rows->setAccessibleName(QString::fromUtf8(kTitle));
  const auto& names = ValueRowNames();
  for (std::size_t i = 0; i < names.size(); ++i) m_items[i] = new QTreeWidgetItem(m_rows, {ToQt(names[i]), QString()});
  // Ctrl+C (the item view's own) copies the current cell: a value, until the person picks another.
  m_rows->selectionModel()->setCurrentIndex(m_rows->model()->index(0, 1), QItemSelectionModel::NoUpdate);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_heading);
  layout->addWidget(m_rows);

  // Every row and the widest value in view at once, without scrolling.
  m_rows->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  m_rows->header()->setStretchLastSection(true);
  const QFontMetrics metrics(m_rows->font());
  const auto widest = [&metrics](int width, const QString& text) { return std::max(width, metrics.horizontalAdvance(text)); };
  int nameWidth = metrics.horizontalAdvance(QString::fromUtf8(kTypeHeader));
  for (const std::string_view name : names) nameWidth = widest(nameWidth, ToQt(name));
  int valueWidth = 0;
  for (const char* value : kWidestValues) valueWidth = widest(valueWidth, QString::fromUtf8(value));
  const int cellMargin = 2 * metrics.averageCharWidth();
  const int frame = 2 * m_rows->frameWidth();
  const QSize rows(nameWidth + cellMargin + valueWidth + cellMargin + frame,
                   m_rows->header()->sizeHint().height() + m_rows->sizeHintForRow(0) * static_cast<int>(m_items.size()) + frame);
  m_rows->setMinimumSize(rows);
  // Two lines of heading: a long file name wraps.
  m_heading->setMinimumHeight(2 * m_heading->fontMetrics().lineSpacing());
  resize(layout->sizeHint());
  m_rows->setMinimumSize(0, 0);

  connect(&m_documents, &QMdiArea::subWindowActivated, this, &ValuesWindow::FollowActiveDocument);
  FollowActiveDocument();
}

void ValuesWindow::Show() {
  if (!m_placed) {
    PlaceBesideOwner(*this);
    m_placed = true;
  }
  show();
  raise();
}

void ValuesWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Refresh(); // nothing was read while the window was hidden
}

void ValuesWindow::FollowActiveDocument() {
  // The current window, not the active one: while this window has the focus, the main window is
  // not active and has no active document window, yet the person still looks at the same document.
  const QMdiSubWindow* window = m_documents.currentSubWindow();
  Follow(window != nullptr ? qobject_cast<const CVekView*>(window->widget()) : nullptr);
}

void ValuesWindow::Follow(const CVekView* view) {
  if (view != m_view) {
    disconnect(m_selectionChanged);
    disconnect(m_pageTextChanged);
    disconnect(m_destroyed);
    m_view = view;
    if (view != nullptr) {
      // A page move, an edit and the radix each change the page text; a selection move moves the byte.
      m_selectionChanged = connect(view, &CVekView::selectionChanged, this, &ValuesWindow::Refresh);
      m_pageTextChanged = connect(view, &CVekView::pageTextChanged, this, &ValuesWindow::Refresh);
      // The area still lists a closing window while it is being destroyed: look again afterwards.
      m_destroyed = connect(view, &QObject::destroyed, this,
                            [this] { QTimer::singleShot(0, this, &ValuesWindow::FollowActiveDocument); });
    }
  }
  Refresh();
}

void ValuesWindow::Refresh() {
  if (!isVisible()) return;
  if (m_view == nullptr) return ShowNoValues(QString::fromUtf8(kNoDocument));
  const FileSession& session = m_view->Session();
  if (session.Path().empty()) return ShowNoValues(QString::fromUtf8(kNoFile));
  const QString name = DisplayFileName(session.Path());
  const std::optional<FileResult<SelectedBytes>> read = ReadSelectedBytes(m_view->Files(), session);
  if (!read) return ShowNoValues(QString::fromUtf8(kNoByte).arg(name));
  if (!read->ok()) {
    return ShowNoValues(ToQt(FileProblem(name.toStdString(), FileErrorReason(read->error, read->code))));
  }
  m_heading->setText(
      QString::fromUtf8(kInspected).arg(QString::fromStdString(OffsetText(read->value.offset, session.HexMode())), name));
  const ValueRows rows = ValuesOf(read->value.Bytes());
  for (std::size_t i = 0; i < rows.size(); ++i) m_items[i]->setText(1, ToQt(rows[i].value));
}

void ValuesWindow::ShowNoValues(const QString& heading) {
  m_heading->setText(heading);
  for (QTreeWidgetItem* item : m_items) item->setText(1, QString());
}

} // namespace vek
