#include "core/PageState.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace vek {
namespace {

// A page read as the view reads it: the window brought into the file, then its bytes arrived.
PageState ReadIn(const PageState& wanted, Offset fileSize) { return wanted.Measured(fileSize).Read(); }

// A file opened and shown from its first page.
PageState Opened(Offset fileSize) { return ReadIn(PageState{}, fileSize); }

struct Walk {
  const char* name;
  Offset fileSize;
  std::function<PageState(const PageState&)> commands; // from the first page, each followed by a read
  Offset start;
  int count;
};

// Each command of the view, followed by the read, lands on the page the clamping rule gives.
TEST(PageState, EachCommandLandsOnTheClampedPage) {
  const auto read = [](Offset size) { return [size](const PageState& p) { return p.Measured(size).Read(); }; };
  const auto at1050 = read(1050);
  const Walk walks[] = {
      {"first page", 1050, [](const PageState& p) { return p; }, 0, 200},
      {"a typed start", 1050, [&](const PageState& p) { return at1050(p.TypedStart("300", false)); }, 300, 200},
      {"a typed start in hex", 1050, [&](const PageState& p) { return at1050(p.TypedStart("300", true)); }, 768, 200},
      {"an emptied Start field", 1050, [&](const PageState& p) { return at1050(p.TypedStart("", false)); }, 0, 200},
      {"next to the partial last page", 1050,
       [&](const PageState& p) { return at1050(at1050(p.TypedStart("800", false)).Next()); }, 1000, 50},
      {"next past the end: the last 200 bytes", 1050,
       [&](const PageState& p) { return at1050(at1050(at1050(p.TypedStart("800", false)).Next()).Next()); }, 850, 200},
      {"previous keeps the remainder", 1050, [&](const PageState& p) { return at1050(at1050(p.Last()).Previous()); },
       650, 200},
      {"previous below 200 gives 0", 1050,
       [&](const PageState& p) { return at1050(at1050(p.TypedStart("50", false)).Previous()); }, 0, 200},
      {"a typed start waits for a command", 1050, [&](const PageState& p) { return at1050(p.TypedStart("300", false).Next()); },
       500, 200},
      {"first", 1050, [&](const PageState& p) { return at1050(at1050(p.Last()).First()); }, 0, 200},
      {"last of a short file", 150, [](const PageState& p) { return p.Last().Measured(150).Read(); }, 0, 150},
      {"last of an empty file", 0, [](const PageState& p) { return p.Last().Measured(0).Read(); }, 0, 0},
      {"a match near the end shows fewer bytes", 1050, [&](const PageState& p) { return at1050(p.At(1040)); }, 1040, 10},
      {"a start beyond every offset", 1050,
       [&](const PageState& p) { return at1050(p.TypedStart("99999999999999999999", false)); }, 850, 200},
      {"next from the largest offset", 1050,
       [&](const PageState& p) { return at1050(p.TypedStart("9223372036854775807", false).Next()); }, 850, 200},
      {"previous from the largest offset", 1050,
       [&](const PageState& p) { return at1050(p.TypedStart("99999999999999999999", false).Previous()); }, 850, 200},
      {"a file that grew is measured again", 1050,
       [](const PageState& p) { return p.Last().Measured(1050).Read().Next().Measured(1250).Read(); }, 1050, 200},
      {"a file that shrank", 1050, [](const PageState& p) { return p.Last().Measured(1050).Read().Measured(300).Read(); },
       100, 200},
  };
  for (const Walk& walk : walks) {
    SCOPED_TRACE(walk.name);
    const PageState page = walk.commands(Opened(walk.fileSize));
    EXPECT_EQ(page.start, walk.start);
    EXPECT_EQ(page.count, walk.count);
    EXPECT_EQ(page.readStart, walk.start);
    EXPECT_EQ(page.readCount, walk.count);
    EXPECT_LE(page.end, page.fileSize);
  }
}

// The record changes only when a page's bytes have arrived: a typed start, a command whose read
// failed, or a file that failed to load never move what a click selects or an edit writes.
TEST(PageState, ClicksAndEditsFollowTheRecordNotTheWindow) {
  const PageState shown = ReadIn(PageState{}.TypedStart("400", false), 1050);
  ASSERT_EQ(shown.OffsetOf(13), 413);

  struct Case {
    const char* name;
    PageState state;
    int holds;     // bytes a click or an edit may reach
    Offset byte13; // where byte 13 of the page lies, when it is held
  };
  const Case cases[] = {
      {"a start typed, not applied", shown.TypedStart("700", false), 200, 413},
      {"a read that failed after measuring", shown.Next().Measured(1050), 200, 413},
      {"the same start in a file that shrank", ReadIn(shown, 410), 10, 0},
      {"another file, not yet read", shown.NewFile(), 0, 0},
      {"another file that failed to open", shown.NewFile().TypedStart("0", false), 0, 0},
      {"an empty file", ReadIn(shown.NewFile(), 0), 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.state.readCount, c.holds);
    EXPECT_EQ(c.state.HoldsByte(13), c.holds > 13);
    EXPECT_FALSE(c.state.HoldsByte(-1));
    EXPECT_FALSE(c.state.HoldsByte(c.holds));
    if (c.state.HoldsByte(13)) {
      EXPECT_EQ(c.state.OffsetOf(13), c.byte13);
    }
  }
  EXPECT_EQ(shown.NewFile().start, -1) << "another file starts at its first page";
}

} // namespace
} // namespace vek
