#pragma once
// Between a path as the program keeps it, the bytes the system's file calls take, and the text a
// person reads or a dialog gives.

#include <filesystem>
#include <string>
#include <string_view>

#include <QFile>
#include <QString>

#include "core/FileNameText.h"

namespace vek {

// The name for titles and messages: each byte that is not UTF-8 shows as U+FFFD.
inline QString DisplayName(std::string_view path) {
  const std::string text = DecodeFileName(path);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The file's own name, without its directory, for the tools that name the file they work on (the
// document window's title gives the whole path).
inline QString DisplayFileName(const std::string& path) {
  return DisplayName(std::filesystem::path(path).filename().native());
}

// A name the open dialog chose. Qt 6 lists in its dialogs only names it can decode and encode
// again without a loss (its directory iterator skips the others), so the encoding gives back the
// very bytes of the name on disk.
inline std::string PathFromDialog(const QString& name) { return QFile::encodeName(name).toStdString(); }

} // namespace vek
