#pragma once
// Writing one byte of a file in place: only that byte, synced to the device. The file is opened for
// this one write and closed again.

#include <cstdint>
#include <optional>
#include <string>

#include "core/File.h"
#include "core/Message.h"

namespace vek {

// The message for a write that failed, none when the byte reached the file. The system's texts where
// it has them ("File could not be opened ", "Seek error", the file-error text of the cause with the
// stop icon); our own, naming the file, when the file has become shorter than `offset` (nothing is
// written then: a write there would make the file longer).
std::optional<Message> WriteByteAt(FileSystem& files, const std::string& path, Offset offset, std::uint8_t value);

} // namespace vek
