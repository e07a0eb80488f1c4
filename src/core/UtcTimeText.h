#pragma once
// A Unix time as a person reads it: seconds since 1970-01-01 00:00:00 UTC as the calendar date and
// the time of day in UTC, "2024-02-29 13:05:09 UTC". The proleptic Gregorian calendar, as the C
// library counts, and no leap seconds. Only years 1 to 9999 have four digits: times before and after
// them are named as such ("before year 1", "after year 9999") rather than shown.

#include <cstdint>
#include <string>

namespace vek {

std::string UtcTimeText(std::int64_t seconds);

} // namespace vek
