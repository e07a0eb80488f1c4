// The line under a Find All list, and how our texts name the pattern it lists.
#include "core/FindAllStatus.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <vector>

#include "core/PatternText.h"

namespace vek {
namespace {

FindAllState Running(std::uint64_t count, std::uint64_t kept) { return {count, kept, 4096, 8192, false}; }
FindAllState Ended(SearchStatus status, std::uint64_t count, std::uint64_t kept, Offset upTo = 8192) {
  FindAllState state{count, kept, upTo, 8192, true, status};
  return state;
}

TEST(FindAllStatus, SaysHowManySoFarOrInAllAndWhetherTheListHoldsThemAll) {
  FindAllState readError = Ended(SearchStatus::ReadError, 3, 3, 1048576);
  readError.error = FileError::HardwareError;
  readError.code = EIO;
  FindAllState shrunk = Ended(SearchStatus::ReadError, 0, 0, 0);
  shrunk.error = FileError::ShortRead;
  const struct {
    FindAllState state;
    bool hexMode;
    std::string text;
  } cases[] = {
      {Running(0, 0), false, "Searching... 0 occurrences so far"},
      {Running(1, 1), false, "Searching... 1 occurrence so far"},
      {Running(1500, 1000), false, "Searching... 1500 occurrences so far; the list holds the first 1000"},
      {Ended(SearchStatus::Found, 1, 1), false, "1 occurrence"},
      {Ended(SearchStatus::Found, 1000000, 1000000), false, "1000000 occurrences"},
      {Ended(SearchStatus::Found, 1000001, 1000000), false, "1000001 occurrences; the list holds the first 1000000"},
      {Ended(SearchStatus::NotFound, 0, 0), false, "No occurrences"},
      {Ended(SearchStatus::Cancelled, 12, 12, 4096), false, "Cancelled: 12 occurrences before offset 4096"},
      {Ended(SearchStatus::Cancelled, 12, 10, 4096), true, "Cancelled: 12 occurrences before offset 0x1000; the list holds the first 10"},
      {readError, true, "Stopped by a read error (Input/output error): 3 occurrences before offset 0x100000"},
      {shrunk, false, "Stopped by a read error (the file shrank while it was read): 0 occurrences before offset 0"},
  };
  for (const auto& c : cases) EXPECT_EQ(FindAllStatusText(c.state, c.hexMode), c.text);
}

TEST(PatternText, QuotesPrintableTextAndGivesOtherBytesAsHexPairs) {
  const struct {
    std::vector<std::uint8_t> pattern;
    std::string text;
  } cases[] = {
      {{'n', 'e', 'e', 'd', 'l', 'e'}, "\"needle\""},
      {{' ', '~', '"'}, "\" ~\"\""},
      {{'M', 'Z', 0x90}, "4D 5A 90"},
      {{'a', '\t'}, "61 09"},
      {{0x7F}, "7F"},
  };
  for (const auto& c : cases) EXPECT_EQ(PatternText(c.pattern), c.text);
}

} // namespace
} // namespace vek
