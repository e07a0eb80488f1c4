#pragma once
// The messages of a byte write. The system's texts where it has them (a write that cannot be
// positioned, the file-error text of a cause); our own otherwise: they name the file and the
// offset, say what changed and what was kept.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/ByteWriteRequest.h"
#include "core/File.h"
#include "core/Message.h"

namespace vek {

// "offset 500 (0x1F4)": readable whichever radix the page shows.
std::string OffsetWords(Offset offset);
// "0x41".
std::string ByteWords(std::uint8_t value);

// A write that failed: "Seek error" when the byte could not be positioned, else the file-error
// text of the cause with the stop icon.
Message WriteFailureMessage(FileError cause, std::string_view shownPath);

Message FileShrankMessage(std::string_view shownPath, Offset offset, WriteKind kind);
Message FileReplacedMessage(std::string_view shownPath, Offset offset, WriteKind kind);
Message ByteChangedMessage(std::string_view shownPath, const ByteWriteRequest& request, std::uint8_t found);
// `readBack` none: the read after the write failed, for `reason`.
Message ReadBackMessage(std::string_view shownPath, Offset offset, std::uint8_t value,
                        std::optional<std::uint8_t> readBack, std::string_view reason);
Message ReadOnlyMessage(std::string_view shownPath);
// Beside a write that went ahead without its journal record; `reason` names the journal.
Message JournalFailedNote(std::string_view reason);

} // namespace vek
