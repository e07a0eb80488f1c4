#include "app/CVekApp.h"

#include <filesystem>
#include <system_error>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QSaveFile>

#include "ResourceIds.h"
#include "Strings.h"
#include "app/CAboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CHelpDlg.h"
#include "app/CMainFrame.h"
#include "app/CVekDoc.h"
#include "core/Profile.h"
#include "core/RecentFiles.h"
#include "core/File.h"
#include "core/FileErrorText.h"
#include "core/FileNameText.h"
#include "platform/PathText.h"
#include "platform/UiServices.h"
#include "tools/PageContextMenu.h"
#include "view/CVekView.h"
#include "tools/FindAllWindow.h"
#include "tools/GoToDialog.h"
#include "tools/CompareCommands.h"
#include "tools/ComparePairings.h"

namespace vek {

CVekApp::CVekApp(UiServices& ui, FileSystem& files, QString profilePath, Journal* journal)
    : m_ui(ui), m_files(files), m_journal(journal), m_profilePath(std::move(profilePath)) {}

CVekApp::~CVekApp() = default;

bool CVekApp::InitInstance(const CommandLine& commandLine) {
  LoadStdProfileSettings();
  m_pMainWnd = std::make_unique<CMainFrame>([this](int command) { return OnCommand(command); });
  m_pairings = new ComparePairings(m_ui, m_pMainWnd.get());
  QObject::connect(m_pMainWnd.get(), &CMainFrame::filesDropped, [this](const std::vector<std::string>& paths) {
    for (const std::string& path : paths) OpenDocumentFile(path);
  });
  if (commandLine.fileName) {
    if (OpenDocumentFile(*commandLine.fileName, commandLine.readOnly) == nullptr) return false;
  } else {
    OnFileNew();
  }
  m_pMainWnd->show();
  return true;
}

void CVekApp::ExitInstance() {
  if (m_pMainWnd) {
    m_pMainWnd->hide();
    m_pMainWnd->MdiArea()->closeAllSubWindows();
  }
  // The whole section is written back; the rest of the profile stays as it was.
  QFile current(m_profilePath);
  const QByteArray before = current.open(QIODevice::ReadOnly) ? current.readAll() : QByteArray();
  current.close();
  QDir().mkpath(QFileInfo(m_profilePath).absolutePath());
  QSaveFile profile(m_profilePath);
  if (profile.open(QIODevice::WriteOnly)) {
    const std::string after = WriteRecentFileList(before.toStdString(), m_recentFiles);
    profile.write(after.data(), static_cast<qint64>(after.size()));
    profile.commit();
  }
  m_pMainWnd.reset();
}

void CVekApp::LoadStdProfileSettings() {
  QFile profile(m_profilePath);
  m_recentFiles.clear();
  if (!profile.open(QIODevice::ReadOnly)) return;
  m_recentFiles = ReadRecentFileList(profile.readAll().toStdString());
  if (m_recentFiles.size() > static_cast<std::size_t>(kRecentFileCount)) m_recentFiles.resize(kRecentFileCount);
}

bool CVekApp::OnCommand(int commandId) {
  switch (commandId) {
    case ids::ID_APP_ABOUT: OnAppAbout(); return true;
    case ids::ID_APP_HELP: OnAppHelp(); return true;
    case ids::ID_FILE_NEW: OnFileNew(); return true;
    case ids::ID_FILE_OPEN: OnFileOpen(); return true;
    case ids::ID_APP_EXIT:
      if (m_pMainWnd) m_pMainWnd->close();
      return true;
    default: return false;
  }
}

void CVekApp::OnFileNew() {
  const std::string title = std::string(strings::kUntitledBase) + std::to_string(m_untitledCount + 1);
  CreateDocumentWindow(title, std::string(), false);
  ++m_untitledCount;
}

void CVekApp::OnFileOpen() {
  const QString path = m_ui.AskOpenFileName(m_pMainWnd.get(), QString::fromUtf8(strings::kOpenTitle),
                                            QString::fromUtf8(strings::kOpenFilter));
  if (!path.isEmpty()) OpenDocumentFile(PathFromDialog(path));
}

namespace {

// The full path as bytes: a name need not be valid UTF-8, and text could not give it back.
std::string FullPath(const std::string& path) {
  std::error_code noCurrentDirectory;
  const std::filesystem::path absolute = std::filesystem::absolute(path, noCurrentDirectory);
  return (noCurrentDirectory ? std::filesystem::path(path) : absolute).lexically_normal().native();
}

} // namespace

CChildFrame* CVekApp::FindDocumentWindow(const std::string& fullPath) const {
  // Compared by file identity: names on Linux are case-sensitive and many names (links, relative
  // paths) can reach one file. Each window is asked for the file it shows now, which its view's
  // New may have changed since the window was opened.
  const auto identity = m_files.Identity(fullPath);
  for (CChildFrame* child : m_pMainWnd->Children()) {
    const std::string& shown = child->GetDocument()->GetPathName();
    if (shown.empty()) continue;
    if (FullPath(shown) == fullPath || (identity && m_files.Identity(shown) == identity)) return child;
  }
  return nullptr;
}

CChildFrame* CVekApp::OpenDocumentFile(const std::string& path, bool readOnly) {
  const std::string fullPath = FullPath(path);
  if (CChildFrame* open = FindDocumentWindow(fullPath)) {
    m_pMainWnd->MdiArea()->setActiveSubWindow(open);
    return open;
  }
  // The document's open: the file must open for reading.
  if (const FileError error = m_files.Open(fullPath, OpenMode::Read).error; error != FileError::None) {
    m_ui.Tell({FileErrorText(error, DecodeFileName(fullPath)), MessageIcon::Exclamation});
    return nullptr;
  }
  m_recentFiles = AddRecentFile(std::move(m_recentFiles), fullPath);
  return CreateDocumentWindow(std::filesystem::path(fullPath).filename().native(), fullPath, readOnly);
}

CChildFrame* CVekApp::CreateDocumentWindow(const std::string& title, const std::string& pathName, bool readOnly) {
  auto* document = new CVekDoc;
  document->Session().UseJournal(m_journal);
  document->Session().SetReadOnly(readOnly);
  if (pathName.empty()) {
    document->SetTitle(title);
  } else {
    document->SetPathName(pathName);
  }
  auto* view = new CVekView(m_ui, m_files, *document);
  auto* menu = new PageContextMenu(*view, m_ui, m_files); // the view owns it
  new CompareCommands(*menu, *view, *m_pairings, *m_pMainWnd->MdiArea()); // the menu owns them
  auto* frame = new CChildFrame(document, view);
  QObject::connect(view, &CVekView::toolRequested, frame, [this, view](PageTool tool) {
    switch (tool) {
      case PageTool::Inspector: m_pMainWnd->ShowInspector(); break;
      case PageTool::GoTo: AskGoTo(m_ui, *view); break;
      case PageTool::FindAll: FindAllIn(*view); break;
    }
  });
  m_pMainWnd->AddChild(frame);
  view->OnInitialUpdate();
  frame->AfterInitialUpdate();
  frame->show();
  m_pMainWnd->MdiArea()->setActiveSubWindow(frame);
  return frame;
}

void CVekApp::FindAllIn(CVekView& view) {
  if (!view.EnsureSearchPattern()) return;
  if (m_findAll == nullptr) {
    // A row of a list whose document window has closed opens the file again.
    m_findAll = new FindAllWindow(m_files, [this](const std::string& path) -> CVekView* {
      CChildFrame* frame = OpenDocumentFile(path);
      return frame != nullptr ? frame->GetView() : nullptr;
    }, m_pMainWnd.get());
  }
  m_findAll->Run(view);
}

void CVekApp::OnAppAbout() {
  CAboutDlg dialog;
  m_ui.RunModal(dialog);
}

void CVekApp::OnAppHelp() {
  CHelpDlg dialog;
  m_ui.RunModal(dialog);
}

} // namespace vek
