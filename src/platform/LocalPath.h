#pragma once
// A path as the program holds it to the bytes the system's file calls take.

#include <string>

#include <QFile>
#include <QString>

namespace vek {

inline std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

} // namespace vek
