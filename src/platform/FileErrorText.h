#pragma once
// The message for a file that could not be opened or written, by cause, naming the file.

#include <QString>

#include "platform/File.h"

namespace vek {

QString FileErrorText(FileError cause, const QString& path);

} // namespace vek
