#include "cli/HistoryLines.h"

#include <cstdio>
#include <ctime>

#include "core/PageText.h"

namespace vek::cli {

namespace {

std::string LocalTime(std::int64_t seconds) {
  const auto time = static_cast<std::time_t>(seconds);
  std::tm parts{};
  char text[32];
  if (::localtime_r(&time, &parts) == nullptr || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts) == 0) {
    return std::to_string(seconds);
  }
  return text;
}

const char* KindWord(JournalKind kind) {
  switch (kind) {
    case JournalKind::Edit: return "edit";
    case JournalKind::Undo: return "undo";
    case JournalKind::Redo: return "redo";
  }
  return "";
}

std::string StateWords(StillThere state, std::optional<std::uint8_t> now) {
  switch (state) {
    case StillThere::Yes: return "still in the file";
    case StillThere::Changed: {
      char text[48];
      std::snprintf(text, sizeof text, "changed since: now %02X", static_cast<unsigned>(now.value_or(0)));
      return text;
    }
    case StillThere::PastTheEnd: return "past the end of the file now";
    case StillThere::AnotherFile: return "written to another file: this one has replaced it";
  }
  return "";
}

} // namespace

std::uint8_t ValueBefore(const JournalRecord& record) {
  return record.kind == JournalKind::Undo ? record.edit.after : record.edit.before;
}

std::uint8_t ValueAfter(const JournalRecord& record) {
  return record.kind == JournalKind::Undo ? record.edit.before : record.edit.after;
}

std::string HistoryLine(const JournalRecord& record, StillThere state, std::optional<std::uint8_t> now, bool hexOffsets) {
  char values[16];
  std::snprintf(values, sizeof values, "%02X -> %02X", static_cast<unsigned>(ValueBefore(record)),
                static_cast<unsigned>(ValueAfter(record)));
  return LocalTime(record.time) + "  " + KindWord(record.kind) + "  " + FormatOffset(record.edit.offset, hexOffsets) +
         "  " + values + "  " + StateWords(state, now) + "\n";
}

} // namespace vek::cli
