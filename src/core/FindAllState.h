#pragma once
// Where a Find All stands: what it has found so far and, once it has ended, how.

#include <cstdint>

#include "core/File.h"
#include "core/Search.h"

namespace vek {

struct FindAllState {
  std::uint64_t count = 0;  // occurrences found so far; exact once the search has ended
  std::uint64_t kept = 0;   // of them, those the list holds
  Offset searchedUpTo = 0;  // every occurrence that starts before this offset is counted
  Offset fileSize = 0;
  bool finished = false;
  SearchStatus status = SearchStatus::NotFound; // how it ended, once finished
  FileError error = FileError::None;            // the read that failed, for a ReadError
  int code = 0;
};

} // namespace vek
