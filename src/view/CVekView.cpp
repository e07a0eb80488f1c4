// The view's construction, its first update, and how an outcome of the session reaches the screen.

#include "view/CVekView.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "ResourceIds.h"
#include "Strings.h"
#include "core/DisplayTexts.h"
#include "core/FileSession.h"
#include "platform/DialogUnits.h"
#include "platform/Fonts.h"
#include "platform/PathText.h"
#include "platform/UiServices.h"
#include "platform/WaitCursor.h"
#include "view/PageAccessible.h"
#include "platform/FileWatch.h"
#include "view/PageArea.h"
#include "view/ViewDocument.h"
#include "view/ViewForm.h"

namespace vek {

CVekView::CVekView(UiServices& ui, FileSystem& files, ViewDocument& document, QWidget* parent)
    : QWidget(parent), m_ui(ui), m_files(files), m_document(document), m_session(document.Session()) {
  setFont(DialogFont());
  setFixedSize(DluToPixelsX(kViewFormWidthDlu), DluToPixelsY(kViewFormHeightDlu));
  setAutoFillBackground(true);
  CreateControls(this, ViewFormRows());
  m_startEdit = Item<QLineEdit>(this, ids::kStart);
  // Digits come from the keyboard only; a file dropped on the field opens instead (the main window's).
  m_startEdit->setAcceptDrops(false);
  m_radixButton = Item<QAbstractButton>(this, ids::kRadix);
  m_fileNameLabel = Item<QLabel>(this, ids::kFileName);
  m_fileSizeLabel = Item<QLabel>(this, ids::kFileSize);
  m_positionLabel = Item<QLabel>(this, ids::kPositionLine);
  ConnectControls();
  InstallPageAccessibleFactory();
  m_pageArea = new PageArea(*this);
  // Not a control of the form: our own mark, in the free space under the columns, while the file is
  // open read-only.
  m_readOnlyLabel = new QLabel(QStringLiteral("Read-only"), this);
  m_readOnlyLabel->setGeometry(DluToPixelsX(kReadOnlyMarkX), DluToPixelsY(kReadOnlyMarkY), DluToPixelsX(kReadOnlyMarkWidth),
                               DluToPixelsY(kReadOnlyMarkHeight));
  m_readOnlyLabel->setAccessibleDescription(QStringLiteral("The file is open read-only: vek does not write it"));
  m_readOnlyLabel->hide();
  // Another program's change is read quietly: no message box, no wait cursor.
  m_watch = new FileWatch(this);
  connect(m_watch, &FileWatch::changed, this, [this] { Show(m_session.ReloadQuietly(m_files).shown); });
}

CVekView::~CVekView() = default;

QWidget* CVekView::PageWidget() const { return m_pageArea; }

FrameRect CVekView::ColumnFrame(int frameId) const {
  const QRect r = ControlRect(this, frameId);
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void CVekView::OnInitialUpdate() {
  // Tool tips: each control asks the view for its text when the tip is about to show.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (GetDlgCtrlID(child) > 0) child->installEventFilter(this);
  }
  const std::string title = m_document.GetTitleName();
  const std::string path = m_session.Path(); // the full path of a file the document was opened with
  // The title names the file only when it reaches that same file from the current directory;
  // otherwise the full path is taken, so the view never shows another file than the one opened.
  const bool titleNamesFile =
      m_files.Exists(title) && (path.empty() || m_files.Identity(title) == m_files.Identity(path));
  std::string name;
  if (titleNamesFile) {
    LoadFile(title);
  } else if (!path.empty()) {
    LoadFile(path);
  } else if (AskFileName(name)) {
    LoadFile(name);
  }
  m_document.SetTitle(m_session.Path());
  m_readOnlyLabel->setVisible(m_session.ReadOnly());
}

bool CVekView::AskFileName(std::string& name) {
  name = PathFromDialog(m_ui.AskOpenFileName(this, QString::fromUtf8(strings::kAskFileTitle),
                                             QString::fromUtf8(strings::kAskFileFilter)));
  return !name.empty();
}

void CVekView::LoadFile(const std::string& path) {
  WaitCursor wait(m_ui);
  Apply(m_session.LoadFile(m_files, path));
  m_watch->Watch(m_session.Path());
}

void CVekView::RefreshPage() { ShowPage(m_session.Page()); }

void CVekView::ShowPage(const PageState& wanted) {
  WaitCursor wait(m_ui);
  Apply(m_session.ShowPage(m_files, wanted));
}

void CVekView::Apply(const Outcome& outcome) {
  Show(outcome.shown);
  if (outcome.message) m_ui.Tell(*outcome.message);
  if (outcome.thenShow) ShowPage(*outcome.thenShow);
  emit sessionChanged();
}

void CVekView::Show(const Shown& shown) {
  switch (shown.text) {
    case Shown::Area::None: break;
    case Shown::Area::OffsetColumn: update(ControlRect(this, ids::kOffsetFrame)); break;
    case Shown::Area::Columns: update(ControlRect(this, ids::kOffsetFrame).united(ControlRect(this, ids::kAsciiFrame))); break;
    case Shown::Area::View: update(); break;
  }
  if (shown.text != Shown::Area::None) emit pageTextChanged();
  if (shown.fileSize) ShowFileSize();
  if (shown.title) UpdateTitle();
  if (shown.startPos) ShowStartPos();
  if (shown.positionLine) ShowPositionLine();
  if (shown.readOnly) m_readOnlyLabel->setVisible(m_session.ReadOnly());
  if (shown.selection) {
    emit selectionChanged(m_session.SelIndex());
    update(m_pageArea->geometry()); // the focus mark moves with the byte
  }
}

void CVekView::ShowFileSize() {
  m_fileSizeLabel->setText(QString::fromStdString(FormatFileSize(m_session.Page().fileSize, m_session.HexMode())));
}

void CVekView::UpdateTitle() {
  m_fileNameLabel->setText(QString::fromUtf8(strings::kFileLinePrefix) + DisplayName(m_session.Path()));
  m_document.SetTitle(std::string(strings::kTitlePrefix) + m_session.Path());
}

void CVekView::ShowStartPos() {
  // The session has read the text back already, as a change of the field reads it.
  const QSignalBlocker quiet(m_startEdit);
  m_startEdit->setText(QString::fromStdString(FormatStartPos(m_session.Page().start, m_session.HexMode())));
}

bool CVekView::OnCmdMsg(int commandId) {
  switch (commandId) {
    case ids::ID_PAGE_NEXT: OnPageDown(); return true;
    case ids::ID_PAGE_PREV: OnPageUp(); return true;
    case ids::ID_PAGE_FIRST: OnFirstPage(); return true;
    case ids::ID_PAGE_LAST: OnLastPage(); return true;
    case ids::ID_GOTO_START: OnGoToStart(); return true;
    case ids::kFind: OnFind(); return true;
    case ids::kNext: OnNext(); return true;
    default: return false;
  }
}

} // namespace vek
