#pragma once
// Two files compared byte for byte at the same offsets, on every core, by the block scan of the
// search (core/BlockScan.h): both files looked at in place where they can be mapped, a file cut
// short during the comparison a read error. Memory does not grow with the files: the blocks in
// flight hold their differences, nothing more.
//
// Where the lengths differ, the shorter file's end counts as one difference more, after every byte
// that differs before it (its offset is the shorter length; the bytes past it are not compared):
// that is where `cmp` says which file ends first.

#include <cstdint>
#include <functional>
#include <span>

#include "core/PageGeometry.h"
#include "core/Search.h"

namespace vek {

// One of the two files: its bytes and its length as measured.
struct CompareSide {
  const ScanSource& source;
  Offset length = 0;
};

struct Difference {
  Offset offset = -1;
  bool atEnd = false;    // the shorter file ends here; then the bytes below mean nothing
  std::uint8_t first = 0;  // the first file's byte there
  std::uint8_t second = 0; // the second file's
};

// Found: a difference; NotFound: none in the stretch asked for; ReadError; Cancelled.
struct CompareResult {
  SearchStatus status = SearchStatus::NotFound;
  Difference difference;
};

// The first difference at an offset >= from; `progress` as SearchFile has it (0 workers: the
// default count).
CompareResult FirstDifference(const CompareSide& first, const CompareSide& second, Offset from,
                              const ProgressFn& progress = {}, int workers = 0);

// The last difference at an offset < before, the blocks taken from `before` down; `progress` is
// told the offset compared down to.
CompareResult LastDifferenceBefore(const CompareSide& first, const CompareSide& second, Offset before,
                                   const ProgressFn& progress = {}, int workers = 0);

// Each block's byte differences in file order, on the calling thread while the workers compare the
// blocks after it: their offsets, and for each its two bytes (first file's, second file's) in
// `pairs`. The shorter file's end is not handed over: the caller knows both lengths. Found when the
// files differ (in a byte or in length), NotFound when they are the same, ReadError (differences
// handed over until then stand), Cancelled.
using DifferencesFn = std::function<void(std::span<const Offset> offsets, std::span<const std::uint8_t> pairs)>;
SearchStatus AllDifferences(const CompareSide& first, const CompareSide& second, const DifferencesFn& onDifferences,
                            const ProgressFn& progress = {}, int workers = 0);

} // namespace vek
