// The view's construction, its first update, and how a page gets from the file to the screen.

#include "view/CVekView.h"

#include <memory>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "ResourceIds.h"
#include "Strings.h"
#include "core/DisplayTexts.h"
#include "platform/DialogUnits.h"
#include "core/File.h"
#include "platform/Fonts.h"
#include "platform/PathText.h"
#include "platform/UiServices.h"
#include "platform/WaitCursor.h"
#include "view/PageAccessible.h"
#include "view/PageArea.h"
#include "view/ViewDocument.h"
#include "view/ViewForm.h"

namespace vek {

CVekView::CVekView(UiServices& ui, FileSystem& files, ViewDocument* document, QWidget* parent)
    : QWidget(parent), m_ui(ui), m_files(files), m_pDocument(document), m_search(ui, files) {
  setFont(DialogFont());
  setFixedSize(DluToPixelsX(kViewFormWidthDlu), DluToPixelsY(kViewFormHeightDlu));
  setAutoFillBackground(true);
  CreateControls(this, ViewFormRows());
  m_startEdit = Item<QLineEdit>(this, ids::kStart);
  m_radixButton = Item<QAbstractButton>(this, ids::kRadix);
  m_fileNameLabel = Item<QLabel>(this, ids::kFileName);
  m_fileSizeLabel = Item<QLabel>(this, ids::kFileSize);
  m_positionLabel = Item<QLabel>(this, ids::kPositionLine);
  ConnectControls();
  InstallPageAccessibleFactory();
  m_pageArea = new PageArea(*this);
}

CVekView::~CVekView() = default;

FrameRect CVekView::ColumnFrame(int frameId) const {
  const QRect r = ControlRect(this, frameId);
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void CVekView::InvalidateColumns() {
  update(ControlRect(this, ids::kOffsetFrame).united(ControlRect(this, ids::kAsciiFrame)));
}

QString CVekView::FileName() const { return DisplayName(m_strFileName); }

void CVekView::OnInitialUpdate() {
  // Tool tips: each control asks the view for its text when the tip is about to show.
  for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (GetDlgCtrlID(child) > 0) child->installEventFilter(this);
  }
  if (m_pDocument == nullptr) return;
  const std::string title = m_pDocument->GetTitleName();
  const std::string path = m_pDocument->GetPathName();
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
  m_pDocument->SetTitle(m_strFileName);
}

bool CVekView::AskFileName(std::string& name) {
  name = PathFromDialog(m_ui.AskOpenFileName(this, QString::fromUtf8(strings::kAskFileTitle),
                                             QString::fromUtf8(strings::kAskFileFilter)));
  return !name.empty();
}

void CVekView::LoadFile(const std::string& path) {
  m_strFileName = path;
  m_page = m_page.NewFile();
  m_arrHexLines.clear();
  m_arrAsciiLines.clear();
  m_arrOffsetLines.clear();
  if (!ReadPage()) {
    // The page on screen belongs to the former file: it must not stand under the new name.
    InvalidateColumns();
    return;
  }
  BuildPageText();
  ShowFileSize();
  UpdateTitle();
  ShowStartPos(m_page.start);
  update();
}

bool CVekView::ReadPage() {
  const FileResult<std::unique_ptr<File>> opened = m_files.Open(LocalFileName(), OpenMode::Read);
  const FileResult<Offset> length = opened.ok() ? opened.value->Length() : FileResult<Offset>{0, opened.error};
  if (!length.ok()) {
    m_ui.MessageBox(QString::fromUtf8(strings::kFileNotOpened));
    return false;
  }
  m_page = m_page.Measured(length.value);
  // Read aside, so that the buffer keeps the page on screen, with the record of where it came
  // from, until a whole page has arrived.
  std::array<std::uint8_t, kPageBytes> incoming;
  FileResult<std::size_t> read;
  {
    WaitCursor wait(m_ui);
    read = opened.value->ReadAt(m_page.start, incoming.data(), static_cast<std::size_t>(m_page.count));
  }
  if (read.error == FileError::BadOffset) {
    m_ui.MessageBox(QString::fromUtf8(strings::kSeekError));
    return false;
  }
  if (!read.ok() || read.value != static_cast<std::size_t>(m_page.count)) {
    m_ui.MessageBox(QString::fromUtf8(strings::kReadError));
    return false;
  }
  m_pageBuf = incoming;
  m_page = m_page.Read();
  return true;
}

void CVekView::RefreshPage() { ShowPage(m_page); }

bool CVekView::ShowPage(const PageState& wanted) {
  m_page = wanted;
  if (!ReadPage()) return false;
  BuildPageText();
  ShowFileSize();
  UpdateTitle();
  ShowStartPos(m_page.start);
  InvalidateColumns();
  return true;
}

void CVekView::ShowStartPos(Offset start) {
  const QString text = QString::fromStdString(FormatStartPos(start, m_bHexMode));
  // Writing the field always counts as a change, also when the text stays the same.
  if (m_startEdit->text() == text) {
    OnChangeStart();
  } else {
    m_startEdit->setText(text);
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
