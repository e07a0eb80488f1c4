#pragma once
// The lines of --history: one for each recorded write to a file, oldest first.
//   2025-06-01 12:00:05  edit      500  07 -> 41  still in the file
// The time in the local time zone, what vek did (edit, undo, redo), the offset as --dump prints
// it (decimal, or hex with --hex), the byte before and after the write, and what the file holds
// there now.

#include <cstdint>
#include <optional>
#include <string>

#include "core/JournalRecord.h"

namespace vek::cli {

enum class StillThere {
  Yes,         // the file holds the value the write left
  Changed,     // it holds another value now
  PastTheEnd,  // the file is shorter now
  AnotherFile, // the name leads to another file than the one written to
};

// The byte before and after the write the record stands for: an undo goes from after to before.
std::uint8_t ValueBefore(const JournalRecord& record);
std::uint8_t ValueAfter(const JournalRecord& record);

// `now`: what the byte holds now, for StillThere::Changed.
std::string HistoryLine(const JournalRecord& record, StillThere state, std::optional<std::uint8_t> now, bool hexOffsets);

} // namespace vek::cli
