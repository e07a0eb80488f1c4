// Unix seconds as a UTC date and time: the calendar's turns (days before 1970, leap days, centuries)
// and the ends of the years shown.
#include "core/UtcTimeText.h"

#include <gtest/gtest.h>

#include <limits>

namespace vek {
namespace {

TEST(UtcTimeText, SecondsAsTheDateAndTimeOfDay) {
  const struct {
    std::int64_t seconds;
    const char* text;
  } cases[] = {
      {0, "1970-01-01 00:00:00 UTC"},
      {-1, "1969-12-31 23:59:59 UTC"},
      {-86400, "1969-12-31 00:00:00 UTC"},
      {-86401, "1969-12-30 23:59:59 UTC"},
      {86399, "1970-01-01 23:59:59 UTC"},
      {951782400, "2000-02-29 00:00:00 UTC"},  // 2000 is a leap year
      {4107542400, "2100-03-01 00:00:00 UTC"}, // 2100 is not: 28 February, then 1 March
      {1709211909, "2024-02-29 13:05:09 UTC"},
      {2147483647, "2038-01-19 03:14:07 UTC"},
      {-2147483648LL, "1901-12-13 20:45:52 UTC"},
      {-62135596800, "0001-01-01 00:00:00 UTC"},
      {253402300799, "9999-12-31 23:59:59 UTC"},
      {-62135596801, "before year 1"},
      {253402300800, "after year 9999"},
      {std::numeric_limits<std::int64_t>::min(), "before year 1"},
      {std::numeric_limits<std::int64_t>::max(), "after year 9999"},
  };
  for (const auto& c : cases) EXPECT_EQ(UtcTimeText(c.seconds), c.text) << c.seconds;
}

} // namespace
} // namespace vek
