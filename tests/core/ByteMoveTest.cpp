#include "core/ByteMove.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

// The page at `start` of a file of `fileSize` bytes, as a read leaves it.
PageState Shown(Offset start, Offset fileSize) {
  return PageState{}.TypedStart(std::to_string(start), false).Measured(fileSize).Read();
}

struct Move {
  const char* name;
  PageState page;
  int selIndex;
  ByteMove move;
  std::optional<Offset> target;   // none: the key does nothing
  std::optional<Offset> turnedTo; // the start of the page read first, when the page turns
  int indexThere;                 // the index selected on the page that then shows
};

TEST(ByteMove, MovesWithinThePageTurnAtItsEdgesAndStopAtTheFile) {
  const Move moves[] = {
      {"right", Shown(0, 1050), 5, ByteMove::Right, 6, {}, 6},
      {"left", Shown(0, 1050), 5, ByteMove::Left, 4, {}, 4},
      {"down a line", Shown(0, 1050), 5, ByteMove::Down, 25, {}, 25},
      {"up a line", Shown(0, 1050), 25, ByteMove::Up, 5, {}, 5},
      {"home: the line's first byte", Shown(0, 1050), 27, ByteMove::LineStart, 20, {}, 20},
      {"end: the line's last byte", Shown(0, 1050), 27, ByteMove::LineEnd, 39, {}, 39},
      {"end of a short last line", Shown(1000, 1050), 42, ByteMove::LineEnd, 1049, {}, 49},
      {"right off the page turns to the next", Shown(0, 1050), 199, ByteMove::Right, 200, 200, 0},
      {"left off the page turns back", Shown(50, 1050), 0, ByteMove::Left, 49, 0, 49},
      {"down off the page", Shown(0, 1050), 190, ByteMove::Down, 210, 200, 10},
      {"down onto the partial last page", Shown(800, 1050), 195, ByteMove::Down, 1015, 1000, 15},
      {"up off an odd page", Shown(333, 1050), 7, ByteMove::Up, 320, 133, 187},
      {"down past the last byte", Shown(850, 1050), 190, ByteMove::Down, {}, {}, 0},
      {"right past the last byte", Shown(850, 1050), 199, ByteMove::Right, {}, {}, 0},
      {"left before the first byte", Shown(0, 1050), 0, ByteMove::Left, {}, {}, 0},
      {"up before the first byte", Shown(0, 1050), 19, ByteMove::Up, {}, {}, 0},
      {"an empty file", Shown(0, 0), 0, ByteMove::Right, {}, {}, 0},
      {"a page that was never read", PageState{}, 0, ByteMove::Right, {}, {}, 0},
      {"a selection past a shorter page moves from its last byte", Shown(0, 30), 150, ByteMove::Left, 28, {}, 28},
  };
  for (const Move& m : moves) {
    SCOPED_TRACE(m.name);
    const std::optional<MovePlan> plan = PlanByteMove(m.page, m.selIndex, m.move);
    ASSERT_EQ(plan.has_value(), m.target.has_value());
    if (!plan) continue;
    EXPECT_EQ(plan->target, *m.target);
    ASSERT_EQ(plan->turn.has_value(), m.turnedTo.has_value());
    const PageState there = plan->turn ? plan->turn->Measured(m.page.fileSize).Read() : m.page;
    EXPECT_EQ(there.start, m.turnedTo.value_or(m.page.start));
    EXPECT_EQ(IndexOnPage(there, plan->target), m.indexThere);
  }
}

TEST(ByteMove, ATurnStartsFromThePageOnScreenNotFromATypedStart) {
  const PageState typed = Shown(0, 1050).TypedStart("700", false);
  const std::optional<MovePlan> plan = PlanByteMove(typed, 199, ByteMove::Right);
  ASSERT_TRUE(plan && plan->turn);
  EXPECT_EQ(plan->turn->start, 200);
}

TEST(ByteMove, AfterTheFileChangedTheNearestByteIsSelected) {
  EXPECT_EQ(IndexOnPage(Shown(0, 100), 150), 99);
  EXPECT_EQ(IndexOnPage(Shown(200, 1050), 150), 0);
  EXPECT_EQ(IndexOnPage(Shown(0, 0), 0), std::nullopt);
}

} // namespace
} // namespace vek
