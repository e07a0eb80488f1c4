#include "core/ComparedBytes.h"

#include "core/FileSession.h"

namespace vek {

FileResult<ComparedBytes> ReadComparedBytes(FileSystem& files, const std::string& otherPath, const FileSession& session) {
  ComparedBytes compared;
  compared.start = session.Page().readStart;
  const auto wanted = static_cast<std::size_t>(session.Page().readCount);
  if (wanted == 0) return {compared};
  const FileResult<std::unique_ptr<File>> opened = files.Open(otherPath, OpenMode::Read);
  if (!opened.ok()) return {compared, opened.error, opened.code};
  const FileResult<std::size_t> read = opened.value->ReadAt(compared.start, compared.bytes.data(), wanted);
  if (!read.ok()) return {compared, read.error, read.code};
  compared.count = read.value;
  return {compared};
}

} // namespace vek
