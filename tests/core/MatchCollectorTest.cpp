// What a Find All keeps of its matches: every one counted, the first `room` of them kept in file
// order and handed on in pieces, each offset once.
#include "core/MatchCollector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vek {
namespace {

using Offsets = std::vector<Offset>;

TEST(MatchCollector, CountsEveryMatchAndHandsOnTheFirstRoomOfThemOnce) {
  const struct {
    const char* name;
    std::size_t room;
    std::vector<Offsets> pieces;   // added one after the other
    std::vector<int> takeAfter;    // TakeNew after adding these pieces (their indices)
    std::vector<Offsets> taken;    // what each TakeNew appended
    std::uint64_t count;
    std::uint64_t kept;
  } cases[] = {
      {"room for all", 10, {{1, 5}, {9}}, {0, 1}, {{1, 5}, {9}}, 3, 3},
      {"taken together", 10, {{1, 5}, {9}}, {1}, {{1, 5, 9}}, 3, 3},
      {"the room ends inside a piece", 3, {{1, 2}, {3, 4, 5}, {6}}, {0, 1, 2}, {{1, 2}, {3}, {}}, 6, 3},
      {"the room ends between pieces", 2, {{1, 2}, {3, 4}}, {0, 1}, {{1, 2}, {}}, 4, 2},
      {"no room", 0, {{7, 8}}, {0}, {{}}, 2, 0},
      {"empty pieces", 5, {{}, {4}, {}}, {2}, {{4}}, 1, 1},
  };
  for (const auto& c : cases) {
    // Into an empty vector (handed over whole) and into one that holds an offset (appended to).
    for (const bool intoEmpty : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (intoEmpty ? ", into an empty vector" : ", appended"));
      MatchCollector collector(c.room);
      std::vector<Offsets> taken;
      for (int i = 0; i < static_cast<int>(c.pieces.size()); ++i) {
        collector.Add(c.pieces[static_cast<std::size_t>(i)]);
        if (std::find(c.takeAfter.begin(), c.takeAfter.end(), i) != c.takeAfter.end()) {
          Offsets into = intoEmpty ? Offsets{} : Offsets{-1};
          collector.TakeNew(into);
          if (!intoEmpty) {
            ASSERT_EQ(into.front(), -1) << "appended to, never replaced";
            into.erase(into.begin());
          }
          taken.push_back(into);
        }
      }
      EXPECT_EQ(taken, c.taken);
      EXPECT_EQ(collector.Count(), c.count);
      EXPECT_EQ(collector.Kept(), c.kept);
    }
  }
}

} // namespace
} // namespace vek
