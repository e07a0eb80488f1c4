#pragma once
// The file a view shows, watched for other programs' changes: each change asks for a quiet read of
// the page, at most ten a second however fast the file changes, and a file removed or replaced
// under its name is followed by the name.

#include <string>

#include <QElapsedTimer>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace vek {

class FileWatch : public QObject {
  Q_OBJECT
 public:
  static constexpr int kMinReadIntervalMs = 100;

  explicit FileWatch(QObject* parent);
  // The file to watch from now on; an empty name watches nothing.
  void Watch(const std::string& path);
  // While a hold lasts (an edit asks for a value), changes wait; they are read once it ends.
  class Hold {
   public:
    explicit Hold(FileWatch& watch) : m_watch(watch) { m_watch.SetHeld(true); }
    ~Hold() { m_watch.SetHeld(false); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

   private:
    FileWatch& m_watch;
  };

 signals:
  void changed();

 private:
  void SetHeld(bool held);
  void Noticed();
  void FollowName(); // the name leads to a file again (replaced, or made anew): watch that one

  QFileSystemWatcher m_watcher;
  QTimer m_delay;
  QElapsedTimer m_sinceLastRead;
  QString m_path;
  QString m_directory;
  bool m_held = false;
  bool m_pending = false; // a change noticed while held
};

} // namespace vek
