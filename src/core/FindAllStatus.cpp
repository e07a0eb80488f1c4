#include "core/FindAllStatus.h"

#include "core/DisplayTexts.h"
#include "core/FileErrorText.h"

namespace vek {

namespace {

std::string Occurrences(std::uint64_t count) {
  return std::to_string(count) + (count == 1 ? " occurrence" : " occurrences");
}

// "; the list holds the first 1000000" when it does not hold them all.
std::string Held(const FindAllState& state) {
  return state.count > state.kept ? "; the list holds the first " + std::to_string(state.kept) : "";
}

} // namespace

std::string FindAllStatusText(const FindAllState& state, bool hexMode) {
  if (!state.finished) return "Searching... " + Occurrences(state.count) + " so far" + Held(state);
  const std::string before = Occurrences(state.count) + " before offset " + OffsetText(state.searchedUpTo, hexMode);
  switch (state.status) {
    case SearchStatus::Found: return Occurrences(state.count) + Held(state);
    case SearchStatus::NotFound: return "No occurrences";
    case SearchStatus::Cancelled: return "Cancelled: " + before + Held(state);
    case SearchStatus::ReadError:
      return "Stopped by a read error (" + FileErrorReason(state.error, state.code) + "): " + before + Held(state);
  }
  return {};
}

} // namespace vek
