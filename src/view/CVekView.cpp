// The view's construction, its first update, and how a page gets from the file to the screen.

#include "view/CVekView.h"

#include <algorithm>
#include <new>

#include <QAbstractButton>
#include <QLineEdit>
#include <QTimer>

#include "ResourceIds.h"
#include "Strings.h"
#include "core/ClampPage.h"
#include "core/DisplayTexts.h"
#include "platform/DialogUnits.h"
#include "platform/File.h"
#include "platform/Fonts.h"
#include "platform/LocalPath.h"
#include "platform/UiServices.h"
#include "view/PageAccessible.h"
#include "view/PageArea.h"
#include "view/ViewDocument.h"
#include "view/ViewForm.h"

namespace vek {

namespace {

// What a screen reader says for the controls whose own text says little ("<", ">") or nothing.
void NameControls(CVekView& view) {
  const auto name = [&view](int id, const QString& text) {
    if (QWidget* control = GetDlgItem(&view, id)) control->setAccessibleName(text);
  };
  name(ids::kPrevPage, view.OnToolTipNeedText(ids::kPrevPage));
  name(ids::kNextPage, view.OnToolTipNeedText(ids::kNextPage));
  name(ids::kStart, QStringLiteral("Start"));
  // The untitled frames of the columns take the captions written under them.
  name(ids::kOffsetFrame, QStringLiteral("Offset"));
  name(ids::kHexFrame, QStringLiteral("File bytes in hex-words"));
  name(ids::kAsciiFrame, QStringLiteral("File bytes in ASCII"));
  if (QWidget* line = GetDlgItem(&view, ids::kPositionLine)) {
    line->setAccessibleDescription(QStringLiteral("Offset and value of the selected byte"));
  }
}
} // namespace

CVekView::CVekView(UiServices& ui, FileSystem& files, ViewDocument* document, QWidget* parent)
    : QWidget(parent), m_ui(ui), m_files(files), m_pDocument(document) {
  setFont(DialogFont());
  setFixedSize(DluToPixelsX(kViewFormWidthDlu), DluToPixelsY(kViewFormHeightDlu));
  setAutoFillBackground(true);
  CreateControls(this, ViewFormRows());
  m_bFontOK = true; // PageFont() always yields a font, if need be the default fixed-pitch one
  m_pPageBuf.reset(new (std::nothrow) std::uint8_t[kPageBytes]);
  if (!m_pPageBuf) m_ui.MessageBox(QString::fromUtf8(strings::kMemoryError));
  ConnectControls();
  NameControls(*this);
  // A screen reader's Toggle action flips the radix button without clicking it. The view catches
  // up once the event loop turns; after a click, handled at once, there is nothing left to do.
  if (auto* radix = qobject_cast<QAbstractButton*>(GetDlgItem(this, ids::kRadix))) {
    connect(radix, &QAbstractButton::toggled, this, [this, radix] {
      QTimer::singleShot(0, this, [this, radix] {
        if (radix->isChecked() != m_bHexMode) OnRadixToggle();
      });
    });
  }
  InstallPageAccessibleFactory();
  new PageArea(*this); // owned by the view as its child
}

CVekView::~CVekView() = default;

QLineEdit* CVekView::StartEdit() const {
  return qobject_cast<QLineEdit*>(GetDlgItem(this, ids::kStart));
}

void CVekView::SetControlText(int controlId, const QString& text) {
  if (QWidget* control = GetDlgItem(this, controlId)) control->setProperty("text", text);
}

QRect CVekView::ColumnFrame(int controlId) const { return ControlRect(this, controlId); }

void CVekView::InvalidateColumns() {
  update(ColumnFrame(ids::kOffsetFrame).united(ColumnFrame(ids::kAsciiFrame)));
}

void CVekView::OnInitialUpdate() {
  // Tool tips: each control asks the view for its text when the tip is about to show.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (GetDlgCtrlID(child) > 0) child->installEventFilter(this);
  }
  if (m_pDocument != nullptr) {
    const QString title = m_pDocument->GetTitle();
    const QString path = m_pDocument->GetPathName();
    // The title names the file only when it reaches that same file from the current directory;
    // otherwise the full path is taken, so the view never shows another file than the one opened.
    const bool titleNamesFile =
        m_files.Exists(LocalPath(title)) &&
        (path.isEmpty() || m_files.Identity(LocalPath(title)) == m_files.Identity(LocalPath(path)));
    QString name;
    if (titleNamesFile) {
      LoadFile(title);
    } else if (!path.isEmpty()) {
      LoadFile(path);
    } else if (AskFileName(name)) {
      LoadFile(name);
    }
    m_pDocument->SetTitle(m_strFileName);
  }
}

bool CVekView::AskFileName(QString& name) {
  name = m_ui.AskOpenFileName(this, QString::fromUtf8(strings::kAskFileTitle),
                              QString::fromUtf8(strings::kAskFileFilter));
  return !name.isEmpty();
}

void CVekView::LoadFile(const QString& path) {
  m_strFileName = path;
  // The buffer holds bytes of the former file: nothing of it may be selected or written back into
  // the new one, should its first read fail.
  m_nReadBytes = 0;
  m_arrHexLines.clear();
  m_arrAsciiLines.clear();
  m_arrOffsetLines.clear();
  m_lPageStart = -1;
  m_lPageEnd = -1;
  if (!ReadPage()) {
    // The page on screen belongs to the former file: it must not stand under the new name.
    InvalidateColumns();
    return;
  }
  BuildPageText();
  ShowFileSize();
  UpdateTitle();
  ShowStartPos(m_lPageStart);
  update();
}

std::unique_ptr<File> CVekView::OpenViewedFile(OpenMode mode, FileError& error) const {
  return m_files.Open(LocalPath(m_strFileName), mode, error);
}

bool CVekView::ReadPage() {
  if (!m_pPageBuf) return false;
  FileError error = FileError::None;
  const std::unique_ptr<File> file = OpenViewedFile(OpenMode::Read, error);
  if (!file) {
    m_ui.MessageBox(QString::fromUtf8(strings::kFileNotOpened));
    return false;
  }
  const FileResult<Offset> length = file->Length();
  if (!length.ok()) {
    m_ui.MessageBox(QString::fromUtf8(strings::kFileNotOpened));
    return false;
  }
  m_lFileSize = length.value;
  const PageWindow page = ClampPage(m_lPageStart, m_lPageEnd, m_lFileSize);
  m_lPageStart = page.start;
  m_lPageEnd = page.end;
  m_nPageBytes = page.count;
  if (file->Seek(m_lPageStart) != FileError::None) {
    m_ui.MessageBox(QString::fromUtf8(strings::kSeekError));
    return false;
  }
  // Read aside, so that the buffer keeps the page on screen, with the record of where it came
  // from, until a whole page has arrived.
  std::uint8_t incoming[kPageBytes];
  {
    WaitCursor wait(m_ui);
    const FileResult<std::size_t> read = file->Read(incoming, static_cast<std::size_t>(m_nPageBytes));
    if (!read.ok() || read.value != static_cast<std::size_t>(m_nPageBytes)) {
      m_ui.MessageBox(QString::fromUtf8(strings::kReadError));
      return false;
    }
  }
  std::copy(incoming, incoming + m_nPageBytes, m_pPageBuf.get());
  m_lReadStart = m_lPageStart;
  m_nReadBytes = m_nPageBytes;
  return true;
}

void CVekView::RefreshPage() {
  if (!ReadPage()) return;
  BuildPageText();
  ShowFileSize();
  UpdateTitle();
  ShowStartPos(m_lPageStart);
  InvalidateColumns();
}

void CVekView::ShowStartPos(Offset start) {
  QLineEdit* edit = StartEdit();
  if (edit == nullptr) return;
  const QString text = QString::fromStdString(FormatStartPos(start, m_bHexMode));
  // Writing the field always counts as a change, also when the text stays the same.
  if (edit->text() == text) {
    OnChangeStart();
  } else {
    edit->setText(text);
  }
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
