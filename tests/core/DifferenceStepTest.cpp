// Where Next and Previous difference compare from, and where a view lands for a difference found.

#include "core/DifferenceStep.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

PageState PageRead(Offset start, int count) {
  PageState page;
  page.start = page.readStart = start;
  page.end = start + count - 1;
  page.count = page.readCount = count;
  return page;
}

TEST(DifferenceStep, NextStartsAfterTheSelectedBytePreviousBeforeIt) {
  const struct {
    const char* name;
    PageState page;
    int selIndex;
    Offset next;
    Offset previous;
  } cases[] = {
      {"the first byte", PageRead(0, 200), 0, 1, 0},
      {"a byte in the middle", PageRead(400, 200), 13, 414, 413},
      {"the last byte of a page", PageRead(400, 200), 199, 600, 599},
      {"past the end of a shorter page: its last byte", PageRead(1000, 50), 150, 1050, 1049},
      {"a page without bytes", PageRead(0, 0), 5, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StepOrigin(c.page, c.selIndex, StepDirection::Next), c.next) << c.name;
    EXPECT_EQ(StepOrigin(c.page, c.selIndex, StepDirection::Previous), c.previous) << c.name;
  }
}

TEST(DifferenceStep, AViewLandsOnTheDifferenceOrOnTheLastByteOfAFileThatEndsBefore) {
  const struct {
    Offset difference;
    Offset length;
    Offset landing;
  } cases[] = {
      {413, 1050, 413},
      {0, 1, 0},
      {1000, 1000, 999}, // the shorter file ends at the difference
      {1000, 1200, 1000},
      {0, 0, 0}, // an empty file against one that is not
  };
  for (const auto& c : cases) EXPECT_EQ(LandingOffset(c.difference, c.length), c.landing) << c.difference << " in " << c.length;
}

} // namespace
} // namespace vek
