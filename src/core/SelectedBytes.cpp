#include "core/SelectedBytes.h"

#include <algorithm>

#include "core/FileSession.h"

namespace vek {

std::optional<FileResult<SelectedBytes>> ReadSelectedBytes(FileSystem& files, const FileSession& session) {
  const std::optional<Offset> offset = session.SelectedOffset();
  if (!offset) return std::nullopt;
  SelectedBytes inspected;
  inspected.offset = *offset;
  // No length is measured: a read short of kValueBytes tells where the file ends.
  const FileResult<std::unique_ptr<File>> opened = files.Open(session.Path(), OpenMode::Read);
  if (!opened.ok()) return FileResult<SelectedBytes>{inspected, opened.error, opened.code};
  const FileResult<std::size_t> read = opened.value->ReadAt(*offset, inspected.bytes.data(), inspected.bytes.size());
  if (!read.ok()) return FileResult<SelectedBytes>{inspected, read.error, read.code};
  // The page holds the selected byte, so its part is a leading stretch of the bytes read.
  const std::span<const std::uint8_t> onPage =
      session.PageBytes().subspan(static_cast<std::size_t>(*offset - session.Page().readStart));
  const std::size_t fromPage = std::min(inspected.bytes.size(), onPage.size());
  std::copy_n(onPage.begin(), fromPage, inspected.bytes.begin());
  inspected.count = std::max(read.value, fromPage);
  return FileResult<SelectedBytes>{inspected};
}

} // namespace vek
