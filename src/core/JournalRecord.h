#pragma once
// One record of the journal: a write of vek, as a line of text. The path is kept as its bytes, so
// any name reads back as the same name; a checksum tells a damaged line from a record.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/ByteEdit.h"
#include "core/File.h"

namespace vek {

enum class JournalKind {
  Edit, // a byte was given a new value: recorded before it is written
  Undo, // an edit was taken back: recorded once the byte is written back
  Redo, // an undone edit was made again: recorded before it is written
};

struct JournalRecord {
  JournalKind kind = JournalKind::Edit;
  std::int64_t time = 0; // seconds since 1970-01-01 UTC
  std::string path;      // absolute, as bytes
  FileIdentity identity;
  ByteEdit edit;         // an undo names the edit it takes back: the byte goes from after to before
  friend bool operator==(const JournalRecord&, const JournalRecord&) = default;
};

// The path a record names `path` by, which leads to the file from anywhere: absolute, with the
// links resolved where they exist.
std::string RecordedPath(const std::string& path);

// The record as one line, ending in '\n'.
std::string EncodeRecord(const JournalRecord& record);

// The record of a line (without its '\n'), none when the line is not one that EncodeRecord wrote:
// damaged, cut short, or written by another program.
std::optional<JournalRecord> DecodeRecord(std::string_view line);

} // namespace vek
