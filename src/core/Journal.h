#pragma once
// The journal of vek's writes, which outlives the run that wrote them: every edit and redo is
// recorded, durably, before its byte is written, and every undo once its byte is back. A later
// run of vek, or the terminal, reads it to list those writes and to take them back.
//
// A crash between a record and its write loses nothing: every undo checks the byte first, so a
// write that never happened is simply passed over. An undo is recorded after its write for the
// same reason: an undo that is in the journal has happened, and one that is not leaves an edit
// whose byte no longer holds what vek wrote, which an undo passes over too.

#include <optional>
#include <string>
#include <vector>

#include "core/EditHistory.h"
#include "core/JournalRecord.h"
#include "core/JournalStore.h"
#include "core/Message.h"

namespace vek {

struct JournalReading {
  std::vector<JournalRecord> records; // oldest first
  std::vector<std::string> problems;  // parts of the journal that could not be read, and why
  std::vector<std::string> warnings;  // lines that were skipped, naming the journal
};

class Journal {
 public:
  explicit Journal(JournalStore& store) : m_store(store) {}

  // Appends the record and returns once it is on the storage device. When it could not be kept,
  // the note for the person, only the first time until a record is kept again: a full disk
  // should not say so at every byte.
  std::optional<Message> Record(const JournalRecord& record);

  // Every record, oldest first. A line that is not a record of vek (damaged, cut short by a
  // crash, or written by another program) is skipped with a warning.
  JournalReading Read();

 private:
  JournalStore& m_store;
  bool m_failing = false;
};

// The history of the file of `identity`, as the records leave it.
EditHistory HistoryOf(const std::vector<JournalRecord>& records, const FileIdentity& identity);

} // namespace vek
