#include "core/File.h"

namespace vek {

FileResult<MeasuredFile> Measure(FileResult<std::unique_ptr<File>> opened, OpenMode mode) {
  if (!opened.ok()) return {{}, opened.error, opened.code};
  // A stream has no size that holds: it is read in order, to its end.
  if (mode == OpenMode::Stream && !opened.value->HasSize()) return {{std::move(opened.value), 0}};
  const FileResult<Offset> length = opened.value->Length();
  if (!length.ok()) return {{}, length.error, length.code};
  return {{std::move(opened.value), length.value}};
}

FileResult<MeasuredFile> OpenMeasured(FileSystem& files, const std::string& path, OpenMode mode) {
  return Measure(files.Open(path, mode), mode);
}

} // namespace vek
