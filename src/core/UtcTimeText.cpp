#include "core/UtcTimeText.h"

#include <chrono>
#include <cstdio>

namespace vek {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// 0001-01-01 00:00:00 and 10000-01-01 00:00:00 UTC in Unix seconds.
constexpr std::int64_t kFirstShown = -62135596800;
constexpr std::int64_t kPastLastShown = 253402300800;

} // namespace

std::string UtcTimeText(std::int64_t seconds) {
  if (seconds < kFirstShown) return "before year 1";
  if (seconds >= kPastLastShown) return "after year 9999";
  // Rounded towards minus infinity, so that a second before 1970 falls on 1969-12-31.
  std::int64_t days = seconds / kSecondsPerDay;
  std::int64_t ofDay = seconds % kSecondsPerDay;
  if (ofDay < 0) {
    ofDay += kSecondsPerDay;
    --days;
  }
  const std::chrono::year_month_day date{std::chrono::sys_days{std::chrono::days{days}}};
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u %02d:%02d:%02d UTC", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(ofDay / 3600), static_cast<int>(ofDay / 60 % 60), static_cast<int>(ofDay % 60));
  return text;
}

} // namespace vek
