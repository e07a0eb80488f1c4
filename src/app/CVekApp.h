#pragma once
// The application object: starts the program in a fixed order, owns the application's commands
// (New, Open, About, Help, Exit) and the recent-file list, and makes a document, a document window
// and a view for each file.

#include <memory>
#include <string>
#include <vector>

#include <QString>

#include "core/CommandLine.h"

namespace vek {

class CChildFrame;
class CMainFrame;
class ComparePairings;
class CVekView;
class FileSystem;
class FindAllWindow;
class Journal;
class UiServices;

class CVekApp {
 public:
  // The profile is an INI file holding the recent-file list; `journal` records the writes of every
  // window (none: they are not recorded).
  CVekApp(UiServices& ui, FileSystem& files, QString profilePath, Journal* journal = nullptr);
  ~CVekApp();
  CVekApp(const CVekApp&) = delete;
  CVekApp& operator=(const CVekApp&) = delete;

  // False ends the program at once, without the main window ever showing.
  bool InitInstance(const CommandLine& commandLine);
  void ExitInstance();

  bool OnCommand(int commandId);
  void OnFileNew();
  void OnFileOpen();
  // Opens the file as a document (`readOnly`: vek writes none of its bytes, as with --read-only), or
  // activates its window when it is open already.
  CChildFrame* OpenDocumentFile(const std::string& path, bool readOnly = false);
  void OnAppAbout();
  void OnAppHelp();

  CMainFrame* MainFrame() const { return m_pMainWnd.get(); }
  const std::vector<std::string>& RecentFiles() const { return m_recentFiles; }

 private:
  void LoadStdProfileSettings();
  // The window that shows the file at `fullPath` now, if one does.
  CChildFrame* FindDocumentWindow(const std::string& fullPath) const;
  CChildFrame* CreateDocumentWindow(const std::string& title, const std::string& pathName, bool readOnly);
  // Find All over the view's pattern, asked for first when there is none, in the one list window.
  void FindAllIn(CVekView& view);

  UiServices& m_ui;
  FileSystem& m_files;
  Journal* m_journal;
  QString m_profilePath;
  std::unique_ptr<CMainFrame> m_pMainWnd;
  ComparePairings* m_pairings = nullptr; // the views compared side by side; a child of the main window
  std::vector<std::string> m_recentFiles;
  int m_untitledCount = 0;
  FindAllWindow* m_findAll = nullptr; // a child of the main window, made when first asked for
};

} // namespace vek
