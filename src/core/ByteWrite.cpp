#include "core/ByteWrite.h"

#include <memory>

#include "Strings.h"
#include "core/FileErrorText.h"
#include "core/FileNameText.h"
#include "core/WriteMessages.h"

namespace vek {

namespace {

ByteWriteResult Refused(WriteOutcome outcome, Offset offset, Message message) {
  return ByteWriteResult(outcome, offset, std::move(message));
}

ByteWriteResult Failure(Offset offset, Message message, FileError cause, int code) {
  ByteWriteResult result = Refused(WriteOutcome::Failed, offset, std::move(message));
  result.cause = cause;
  result.code = code;
  return result;
}

template <typename T> ByteWriteResult Failure(Offset offset, const FileResult<T>& failed, const std::string& shown) {
  return Failure(offset, WriteFailureMessage(failed.error, shown), failed.error, failed.code);
}

// The byte at `offset`, none at or past the end.
FileResult<std::optional<std::uint8_t>> ReadByte(const File& file, Offset offset) {
  std::uint8_t byte = 0;
  const FileResult<std::size_t> read = file.ReadAt(offset, &byte, 1);
  if (!read.ok()) return {std::nullopt, read.error, read.code};
  if (read.value == 0) return {std::nullopt};
  return {byte};
}

} // namespace

std::optional<Message> WriteByteAt(FileSystem& files, const std::string& path, Offset offset, std::uint8_t value) {
  const FileResult<std::unique_ptr<File>> opened = files.Open(path, OpenMode::ReadWrite);
  if (!opened.ok()) return Message{strings::kFileNotOpened};
  File& file = *opened.value;
  const std::string shown = DecodeFileName(path);
  const FileResult<Offset> length = file.Length();
  if (!length.ok()) return WriteFailureMessage(length.error, shown);
  if (offset >= length.value) return FileShrankMessage(shown, offset, WriteKind::Edit);
  FileStatus written = file.WriteAt(offset, &value, 1);
  if (written.ok()) written = file.Sync();
  if (written.ok()) return std::nullopt;
  return WriteFailureMessage(written.error, shown);
}

ByteWriteResult WriteCheckedByte(FileSystem& files, const std::string& path, const ByteWriteRequest& request,
                                 const BeforeByteWrite& beforeWrite) {
  const Offset offset = request.offset;
  const FileResult<std::unique_ptr<File>> opened = files.Open(path, OpenMode::ReadWrite);
  if (!opened.ok()) return Failure(offset, Message{strings::kFileNotOpened}, opened.error, opened.code);
  File& file = *opened.value;
  const std::string shown = DecodeFileName(path);

  // The handle's own identity, not the name's: it is this handle that would write.
  const FileResult<FileIdentity> identity = file.Identity();
  if (!identity.ok()) return Failure(offset, identity, shown);
  if (identity.value != request.identity) {
    return Refused(WriteOutcome::FileReplaced, offset, FileReplacedMessage(shown, offset, request.kind));
  }
  const FileResult<Offset> length = file.Length();
  if (!length.ok()) return Failure(offset, length, shown);
  // Nothing is written past the end: a write there would make the file longer.
  if (offset >= length.value) {
    return Refused(WriteOutcome::ByteChanged, offset, FileShrankMessage(shown, offset, request.kind));
  }
  const FileResult<std::optional<std::uint8_t>> before = ReadByte(file, offset);
  if (!before.ok()) return Failure(offset, before, shown);
  if (!before.value) return Refused(WriteOutcome::ByteChanged, offset, FileShrankMessage(shown, offset, request.kind));
  if (*before.value != request.expected) {
    ByteWriteResult changed =
        Refused(WriteOutcome::ByteChanged, offset, ByteChangedMessage(shown, request, *before.value));
    changed.found = before.value;
    return changed;
  }

  ByteWriteResult result{WriteOutcome::Written, offset};
  if (beforeWrite) result.note = beforeWrite();
  FileStatus written = file.WriteAt(offset, &request.value, 1);
  if (written.ok()) written = file.Sync();
  if (!written.ok()) {
    ByteWriteResult failed = Failure(offset, written, shown);
    failed.note = std::move(result.note);
    return failed;
  }

  const FileResult<std::optional<std::uint8_t>> after = ReadByte(file, offset);
  if (!after.ok() || after.value != request.value) {
    result.outcome = WriteOutcome::ReadBackDiffers;
    result.found = after.value;
    result.message = ReadBackMessage(shown, offset, request.value, after.value,
                                     after.ok() ? "the file has become shorter" : FileErrorReason(after.error, after.code));
  }
  return result;
}

} // namespace vek
