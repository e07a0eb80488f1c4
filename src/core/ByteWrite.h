#pragma once
// Writing one byte of a file in place: only that byte, synced to the device. The file is opened for
// this one write and closed again.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/ByteWriteRequest.h"
#include "core/ByteWriteResult.h"
#include "core/File.h"
#include "core/Message.h"

namespace vek {

// The message for a write that failed, none when the byte reached the file. The system's texts where
// it has them ("File could not be opened ", "Seek error", the file-error text of the cause with the
// stop icon); our own, naming the file, when the file has become shorter than `offset` (nothing is
// written then: a write there would make the file longer).
std::optional<Message> WriteByteAt(FileSystem& files, const std::string& path, Offset offset, std::uint8_t value);

// Runs once every check has passed, just before the byte is written: the journal records the
// write there. What it returns is a note for the person; the write goes ahead whatever it says.
using BeforeByteWrite = std::function<std::optional<Message>()>;

// The write of one byte that first makes sure it writes what the person meant: the file at `path`
// must still be the one of `request.identity` and the byte must still hold `request.expected`;
// otherwise nothing is written. After the write and the sync the byte is read back. The failures
// of the unchecked write keep their texts, icons and causes.
ByteWriteResult WriteCheckedByte(FileSystem& files, const std::string& path, const ByteWriteRequest& request,
                                 const BeforeByteWrite& beforeWrite = {});

} // namespace vek
