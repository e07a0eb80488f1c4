#include "core/WheelSteps.h"

#include <gtest/gtest.h>

#include <vector>

namespace vek {
namespace {

TEST(WheelSteps, NotchesMoveByTheDesktopsLinesAndFineStepsAddUpToNotches) {
  const struct {
    const char* name;
    std::vector<int> turns;
    int lines;
    std::vector<Offset> moves;
  } cases[] = {
      {"a notch towards the person", {-120}, 3, {60}},
      {"a notch away", {120}, 3, {-60}},
      {"five lines a notch", {-120, -240}, 5, {100, 200}},
      {"a touchpad's fine steps", {-40, -40, -40, -40}, 3, {0, 0, 60, 0}},
      {"a step back cancels a step forward", {-100, 100, -20}, 3, {0, 0, 0}},
      {"the rest carries over", {-200, -40}, 3, {60, 60}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WheelSteps wheel;
    std::vector<Offset> moves;
    for (const int turn : c.turns) moves.push_back(wheel.Add(turn, c.lines));
    EXPECT_EQ(moves, c.moves);
  }
}

TEST(WheelTarget, StaysInTheFileAndStopsAtTheLastFullPage) {
  const struct {
    Offset start, delta, fileSize, target;
  } cases[] = {
      {0, 60, 1050, 60},   {0, -60, 1050, 0},    {820, 60, 1050, 850}, {850, 60, 1050, 850},
      {900, 60, 1050, 900}, {900, -60, 1050, 840}, {0, 60, 150, 0},      {0, 60, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WheelTarget(c.start, c.delta, c.fileSize), c.target) << c.start << " " << c.delta << " " << c.fileSize;
  }
}

} // namespace
} // namespace vek
