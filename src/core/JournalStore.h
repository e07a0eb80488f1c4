#pragma once
// Where the journal's lines are kept. The journal (core/Journal.h) decides what a line says; a
// store only appends lines, durably, and hands back what it holds. platform/PosixJournalStore.h
// keeps them in files under the XDG state directory; tests put one in memory in its place.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vek {

struct JournalText {
  std::string name;  // the file it came from, as shown in a warning
  std::string bytes; // every line, each ending in '\n' but perhaps the last
};

struct JournalContents {
  std::vector<JournalText> texts;    // oldest first
  std::vector<std::string> problems; // why a part of the journal was not read, naming it
};

class JournalStore {
 public:
  virtual ~JournalStore() = default;
  // Appends `line` (ending in '\n') and returns once it is on the storage device; the reason,
  // naming the journal, when it could not be kept.
  virtual std::optional<std::string> Append(std::string_view line) = 0;
  virtual JournalContents Read() = 0;
};

} // namespace vek
