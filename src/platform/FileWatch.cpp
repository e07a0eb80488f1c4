#include "platform/FileWatch.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>

namespace vek {

FileWatch::FileWatch(QObject* parent) : QObject(parent) {
  m_delay.setSingleShot(true);
  connect(&m_delay, &QTimer::timeout, this, [this] {
    m_sinceLastRead.start();
    emit changed();
  });
  connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] {
    FollowName();
    Noticed();
  });
  // A file replaced by renaming another over it, or removed and made anew, shows in its directory.
  connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
    if (!m_watcher.files().contains(m_path) && QFileInfo::exists(m_path)) {
      FollowName();
      Noticed();
    }
  });
}

void FileWatch::Watch(const std::string& path) {
  const QString name = QFile::decodeName(QByteArray::fromStdString(path));
  const QString directory = QFileInfo(name).absolutePath();
  if (name == m_path) return;
  if (!m_watcher.files().isEmpty()) m_watcher.removePaths(m_watcher.files());
  if (!m_watcher.directories().isEmpty()) m_watcher.removePaths(m_watcher.directories());
  m_path = name;
  m_directory = directory;
  if (m_path.isEmpty()) return;
  m_watcher.addPath(m_path);
  m_watcher.addPath(m_directory);
}

void FileWatch::FollowName() {
  if (!m_watcher.files().contains(m_path) && QFileInfo::exists(m_path)) m_watcher.addPath(m_path);
}

void FileWatch::SetHeld(bool held) {
  m_held = held;
  if (held) {
    m_pending = m_pending || m_delay.isActive();
    m_delay.stop();
  } else if (m_pending) {
    m_pending = false;
    Noticed();
  }
}

void FileWatch::Noticed() {
  if (m_held) {
    m_pending = true;
    return;
  }
  if (m_delay.isActive()) return; // a read is on its way: it reads this change too
  const qint64 since = m_sinceLastRead.isValid() ? m_sinceLastRead.elapsed() : kMinReadIntervalMs;
  m_delay.start(static_cast<int>(std::max<qint64>(0, kMinReadIntervalMs - since)));
}

} // namespace vek
