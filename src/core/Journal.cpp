#include "core/Journal.h"

#include <string_view>

#include "core/FileErrorText.h"
#include "core/FileNameText.h"
#include "core/WriteMessages.h"

namespace vek {

namespace {

// The records of one text, and a warning when lines had to be skipped.
void ReadText(const JournalText& text, JournalReading& reading) {
  std::size_t skipped = 0;
  std::size_t firstSkipped = 0;
  std::size_t number = 0;
  for (std::size_t start = 0; start < text.bytes.size();) {
    const std::size_t end = text.bytes.find('\n', start);
    const std::string_view line =
        std::string_view(text.bytes).substr(start, end == std::string::npos ? std::string::npos : end - start);
    start = end == std::string::npos ? text.bytes.size() : end + 1;
    ++number;
    if (line.empty()) continue;
    if (std::optional<JournalRecord> record = DecodeRecord(line)) {
      reading.records.push_back(std::move(*record));
    } else if (skipped++ == 0) {
      firstSkipped = number;
    }
  }
  if (skipped == 0) return;
  const std::string count = skipped == 1 ? "1 line is" : std::to_string(skipped) + " lines are";
  reading.warnings.push_back(FileProblem(DecodeFileName(text.name),
                                         count + " not a record of vek (damaged, or written by another program) and " +
                                             (skipped == 1 ? "was" : "were") + " skipped, the first at line " +
                                             std::to_string(firstSkipped)));
}

} // namespace

std::optional<Message> Journal::Record(const JournalRecord& record) {
  const std::optional<std::string> failed = m_store.Append(EncodeRecord(record));
  const bool toldAlready = m_failing;
  m_failing = failed.has_value();
  if (!failed || toldAlready) return std::nullopt;
  return JournalFailedNote(*failed);
}

JournalReading Journal::Read() {
  JournalContents contents = m_store.Read();
  JournalReading reading;
  reading.problems = std::move(contents.problems);
  for (const JournalText& text : contents.texts) ReadText(text, reading);
  return reading;
}

EditHistory HistoryOf(const std::vector<JournalRecord>& records, const FileIdentity& identity) {
  EditHistory history;
  for (const JournalRecord& record : records) {
    if (record.identity != identity) continue;
    switch (record.kind) {
      case JournalKind::Edit: history.Record(record.edit); break;
      case JournalKind::Undo: history.ReplayUndo(record.edit); break;
      case JournalKind::Redo: history.ReplayRedo(record.edit); break;
    }
  }
  return history;
}

} // namespace vek
