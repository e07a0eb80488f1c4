#pragma once
// Two files compared as they come, in order, where one of them is a stream (a pipe, standard
// input): neither can be read at an offset, so one thread reads both a block at a time, as cmp
// does, in bounded memory.

#include <cstddef>

#include "core/ByteScan.h"
#include "core/Compare.h"
#include "core/StreamSearch.h"

namespace vek {

struct StreamComparison {
  SearchStatus status = SearchStatus::NotFound; // Found: they differ (in a byte or in length); ReadError
  Offset compared = 0; // the bytes both had, when one of them ended first
  int shorter = 0;     // 1 or 2: that file ended first; 0: both ended together (or a read failed)
  int failed = 0;      // 1 or 2: the read of that file failed
};

// Every byte difference in order (as AllDifferences hands them over), or only the first with
// `firstOnly` (a length difference then ends the comparison too, where the shorter one ends).
StreamComparison CompareStreams(const ReadNextFn& first, const ReadNextFn& second, const DifferencesFn& onDifferences,
                                bool firstOnly, std::size_t blockBytes = kSearchBlockBytes);

} // namespace vek
