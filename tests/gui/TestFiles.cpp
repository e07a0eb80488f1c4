#include "TestFiles.h"

#include <QFile>

namespace vek::test {

TestFiles::TestFiles() = default;

QString TestFiles::Write(const QString& name, const QByteArray& bytes) const {
  const QString path = m_dir.filePath(name);
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
  return path;
}

QByteArray TestFiles::Counting(int size) {
  QByteArray bytes(size, '\0');
  for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>(i & 0xFF);
  return bytes;
}

QString TestFiles::WriteCounting(const QString& name, int size) const { return Write(name, Counting(size)); }

QByteArray TestFiles::Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace vek::test
