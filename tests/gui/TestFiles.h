#pragma once
// Files for tests, in a temporary folder that goes away with the test.

#include <string>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace vek::test {

class TestFiles {
 public:
  TestFiles();
  // Writes the file and returns its full path.
  QString Write(const QString& name, const QByteArray& bytes) const;
  // 0, 1, 2, ... 255, 0, 1, ... for `size` bytes: every byte names its offset modulo 256.
  QString WriteCounting(const QString& name, int size) const;
  QString Path(const QString& name) const { return m_dir.filePath(name); }
  QString Dir() const { return m_dir.path(); }
  static QByteArray Read(const QString& path);
  // The bytes of a name given as text, as the program passes them to the system.
  static std::string Local(const QString& path) { return path.toStdString(); }
  static QByteArray Counting(int size);

 private:
  QTemporaryDir m_dir;
};

} // namespace vek::test
