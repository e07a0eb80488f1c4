#pragma once
// Find All: a tool window of the main window that lists every occurrence of a document's pattern
// in its file, in file order, as the search finds them on every core: the count so far, the
// progress and Cancel while it runs, then the exact count (the list holds at most a million rows;
// the count goes on). Enter or a double-click on a row shows the page of that occurrence, selected,
// in the document the list belongs to; once that window has closed (or shows another file), the
// file is opened again first. The list follows the document's radix and edits; Esc closes it and
// cancels a search still running.

#include <functional>
#include <memory>
#include <string>

#include <QDialog>
#include <QMetaObject>
#include <QPointer>

#include "core/FindAllLimits.h"
#include "core/FindAllState.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QTimer;

namespace vek {

class CVekView;
class FileSystem;
class FindAllJob;
class MatchListModel;

class FindAllWindow final : public QDialog {
  Q_OBJECT
 public:
  // Opens `path` as a document again, or finds the window that shows it: nullptr when it cannot.
  using Reopen = std::function<CVekView*(const std::string& path)>;

  // `owner` is the main window; `room` the rows the list holds at most.
  FindAllWindow(FileSystem& files, Reopen reopen, QWidget* owner, std::size_t room = kMaxListedMatches);
  ~FindAllWindow() override;

  // Lists the occurrences of the view's pattern in its file: a search still running is cancelled,
  // the window shows (the first time beside its owner) and takes the keyboard.
  void Run(CVekView& view);

  const FindAllState& State() const { return m_state; }
  bool Searching() const { return m_job != nullptr && !m_state.finished; }
  const MatchListModel& Matches() const { return *m_model; }
  QTableView* Rows() const { return m_rows; }
  CVekView* Document() const { return m_view; }

  void reject() override; // Esc and the close box: the search stops

 private:
  void Poll();
  void ShowState();
  void Choose(int row);
  void Follow(CVekView* view);
  void FollowSession();
  bool ShowsListedFile() const; // the document window is open and still shows the file listed
  void SizeColumns();
  QSize FirstSize();

  FileSystem& m_files;
  Reopen m_reopen;
  std::size_t m_room;
  MatchListModel* m_model;
  std::unique_ptr<FindAllJob> m_job;
  FindAllState m_state;
  std::string m_path; // the file listed
  QString m_name;     // and its name as the titles show it
  QString m_pattern;  // the pattern listed, as our texts name it
  QString m_problem;  // why there is no search, when there is none
  bool m_hexMode = false;
  bool m_placed = false;
  QPointer<CVekView> m_view;
  QMetaObject::Connection m_sessionChanged;
  QMetaObject::Connection m_destroyed;

  QLabel* m_heading;
  QTableView* m_rows;
  QLabel* m_status;
  QProgressBar* m_progress;
  QPushButton* m_cancel;
  QTimer* m_refresh;
};

} // namespace vek
