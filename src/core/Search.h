#pragma once
// The pattern search over a file: the page-by-page definition and the fast block search that must
// give the same answer.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "core/PageGeometry.h"

namespace vek {

// The first match in a page: the smallest i in [0, page.size()) whose candidate equals `pattern`.
// A candidate running past the page's end is completed with `following`, the file's bytes after the
// page (all that remain, or at least pattern.size() - 1 of them); one running past the end of the
// file never matches. -1 when there is none, or for an empty pattern or page.
int FindInPage(std::span<const std::uint8_t> page, std::span<const std::uint8_t> pattern,
               std::span<const std::uint8_t> following);

// Reads up to `size` bytes at file offset `offset` into `buffer`; returns the count read, which may
// be short only at the end of the file, or -1 on a read failure.
using ReadAtFn = std::function<std::int64_t(Offset offset, std::uint8_t* buffer, std::size_t size)>;

// Called between blocks with the offset searched up to; returning false cancels the search.
using ProgressFn = std::function<bool(Offset searchedUpTo)>;

struct SearchResult {
  enum class Status { Found, NotFound, ReadError, Cancelled };
  Status status = Status::NotFound;
  Offset offset = -1; // the match when Found
};

// The first match at an offset >= from in a file of `fileSize` bytes, read in large blocks that
// overlap by pattern.size() - 1 bytes, candidates found with a fast scan.
SearchResult SearchFile(const ReadAtFn& readAt, Offset fileSize, Offset from,
                        std::span<const std::uint8_t> pattern, const ProgressFn& progress = {});

// Every occurrence in the file, overlapping ones included, in increasing order, from one pass over
// the file: restarting SearchFile after every match would read a whole block per match, which
// makes text with many matches a hundred times slower than grep (bench/README.md). A read that
// fails or comes back short stops the walk with ReadError; matches reported up to then stand.
// Found, NotFound or ReadError; an empty pattern finds nothing.
SearchResult::Status FindAll(const ReadAtFn& readAt, Offset fileSize, std::span<const std::uint8_t> pattern,
                             const std::function<void(Offset)>& onMatch);

} // namespace vek
