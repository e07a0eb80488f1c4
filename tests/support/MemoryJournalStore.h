#pragma once
// A journal store in memory for the tests: lines kept in a string, and an append that fails with
// the reason a test gives, as a full disk or a read-only home would.

#include <optional>
#include <string>

#include "core/JournalStore.h"

namespace vek::test {

class MemoryJournalStore final : public JournalStore {
 public:
  std::optional<std::string> Append(std::string_view line) override;
  JournalContents Read() override;

  std::string bytes;                    // every line appended, as a file would hold them
  std::optional<std::string> failure;   // set: appends fail with this reason and keep nothing
  int appends = 0;                      // appends tried, failed ones included
};

} // namespace vek::test
