#include "MemoryJournalStore.h"

namespace vek::test {

std::optional<std::string> MemoryJournalStore::Append(std::string_view line) {
  ++appends;
  if (failure) return failure;
  bytes += line;
  return std::nullopt;
}

JournalContents MemoryJournalStore::Read() { return JournalContents{{JournalText{"memory journal", bytes}}, {}}; }

} // namespace vek::test
