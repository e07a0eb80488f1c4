#pragma once
// How a checked write of one byte ended, for the window and the terminal alike: an outcome to act
// on, a message to show, and whether the page on screen has become untrue.

#include <cstdint>
#include <optional>
#include <utility>

#include "core/File.h"
#include "core/Message.h"
#include "core/PageGeometry.h"

namespace vek {

enum class WriteOutcome {
  Written,         // the byte holds the value: written, synced and read back
  Nothing,         // an undo or redo with nothing left to undo or redo
  ReadOnly,        // the file is open read-only: it was not even opened for writing
  FileReplaced,    // the name leads to another file now; nothing written
  ByteChanged,     // the byte is not the value expected, or the file no longer reaches it; nothing written
  Failed,          // opening, measuring, positioning, writing or syncing failed
  ReadBackDiffers, // written and synced, but the byte reads back as another value, or not at all
};

struct ByteWriteResult {
  ByteWriteResult() = default;
  ByteWriteResult(WriteOutcome outcome, Offset offset = 0, std::optional<Message> message = std::nullopt)
      : outcome(outcome), offset(offset), message(std::move(message)) {}

  WriteOutcome outcome = WriteOutcome::Written;
  Offset offset = 0;
  std::optional<Message> message;     // what went wrong; none when the byte was simply written
  std::optional<Message> note;        // beside a write that went ahead: the journal could not record it
  std::optional<std::uint8_t> found;  // ByteChanged: what the byte held; ReadBackDiffers: what it read back as
  FileError cause = FileError::None;  // Failed: why, for a terminal that words it itself
  int code = 0;                       // Failed: the system's error number, 0 where there was none

  // The file holds something else than the page shows, so the page must be read again. After a
  // failed write the page keeps the new value until Refresh, as it always has.
  bool PageIsStale() const {
    return outcome == WriteOutcome::FileReplaced || outcome == WriteOutcome::ByteChanged ||
           outcome == WriteOutcome::ReadBackDiffers;
  }
};

} // namespace vek
