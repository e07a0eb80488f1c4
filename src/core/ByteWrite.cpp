#include "core/ByteWrite.h"

#include <memory>

#include "Strings.h"
#include "core/FileErrorText.h"
#include "core/FileNameText.h"

namespace vek {

std::optional<Message> WriteByteAt(FileSystem& files, const std::string& path, Offset offset, std::uint8_t value) {
  const FileResult<std::unique_ptr<File>> opened = files.Open(path, OpenMode::ReadWrite);
  if (!opened.ok()) return Message{strings::kFileNotOpened};
  File& file = *opened.value;
  const std::string shown = DecodeFileName(path);
  const FileResult<Offset> length = file.Length();
  if (!length.ok()) return Message{FileErrorText(length.error, shown), MessageIcon::Stop};
  if (offset >= length.value) {
    return Message{FileProblem(shown, "the file has become shorter than offset " + std::to_string(offset) +
                                          "; nothing was written"),
                   MessageIcon::Stop};
  }
  FileStatus written = file.WriteAt(offset, &value, 1);
  if (written.ok()) written = file.Sync();
  if (written.ok()) return std::nullopt;
  if (written.error == FileError::BadOffset) return Message{strings::kSeekError};
  return Message{FileErrorText(written.error, shown), MessageIcon::Stop};
}

} // namespace vek
