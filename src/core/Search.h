#pragma once
// The pattern search over a file: the page-by-page definition and the fast block search that must
// give the same answer.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "core/CaseFolding.h"
#include "core/File.h"
#include "core/PageGeometry.h"
#include "core/ScanSource.h"

namespace vek {

// The first match in a page: the smallest i in [0, page.size()) whose candidate equals `pattern`.
// A candidate running past the page's end is completed with `following`, the file's bytes after the
// page (all that remain, or at least pattern.size() - 1 of them); one running past the end of the
// file never matches. -1 when there is none, or for an empty pattern or page.
int FindInPage(std::span<const std::uint8_t> page, std::span<const std::uint8_t> pattern,
               std::span<const std::uint8_t> following);

// Called on the searching thread, after each block and every few milliseconds while it waits for
// one, with the offset searched up to; returning false cancels the search.
using ProgressFn = std::function<bool(Offset searchedUpTo)>;

// Threads that scan a search's blocks: VEK_SEARCH_WORKERS when set (benchmarks and tests force a
// count with it), else one per core.
int DefaultSearchWorkers();

// How a search ended, for every kind of search: the first match, all of them, in a file or a stream.
enum class SearchStatus { Found, NotFound, ReadError, Cancelled };

struct SearchResult {
  SearchStatus status = SearchStatus::NotFound;
  Offset offset = -1; // the match when Found
};

// The bytes of an open file for the scans over all of it: mapped in place where the file can be
// mapped (a regular file; VEK_SEARCH_MAP=0 turns it off, for benchmarks of the reads), read with
// ReadAt otherwise; a failed read is kept in `failure` when given. A file cut short while mapped
// fails as a short read, leaving `failure` as it was. The file must outlive the source.
ScanSource ReaderOf(const File& file, FileResult<std::size_t>* failure = nullptr);

// The first match at an offset >= from in a file of `fileSize` bytes. The stretch is cut into
// blocks (kSearchBlockBytes) that `workers` threads (0: DefaultSearchWorkers()) take in order, each
// looking at its block and the pattern.size() - 1 bytes after it (in place, or read) and scanning it
// with a fast filter; the blocks are judged in file order, so the first match wins, and blocks
// after it are dropped. The source is read from those threads, several calls at a time. A read
// that fails or comes back short before the first match gives ReadError; one after it does not
// matter.
SearchResult SearchFile(const ScanSource& source, Offset fileSize, Offset from, std::span<const std::uint8_t> pattern,
                        const ProgressFn& progress = {}, int workers = 0);

// The last match that starts before `before` (it may run past it), as SearchFile finds the first:
// the blocks are taken from `before` down to the start of the file, and `progress` is told the
// offset searched down to. A failed read after the last match (nearer `before`) gives ReadError.
SearchResult SearchFileBackward(const ScanSource& source, Offset fileSize, Offset before,
                                std::span<const std::uint8_t> pattern, const ProgressFn& progress = {},
                                int workers = 0);

// Every occurrence in the file, overlapping ones included, in increasing order, from one pass over
// the file by the same workers: restarting SearchFile after every match would read a whole block
// per match, which makes text with many matches a hundred times slower than grep
// (bench/README.md). `onMatches` gets each block's matches in file order on the calling thread,
// while the workers scan the blocks after it. A read that fails or comes back short stops the walk
// with ReadError; matches handed over up to then stand. Found, NotFound or ReadError; an empty
// pattern finds nothing. With CaseFolding::Ascii letters match either case. `progress`, when
// given, is told the offset searched up to as SearchFile tells it; false from it ends the walk with
// Cancelled, the matches handed over up to then standing.
SearchStatus FindAll(const ScanSource& source, Offset fileSize, std::span<const std::uint8_t> pattern,
                     const std::function<void(std::span<const Offset> matches)>& onMatches, int workers = 0,
                     CaseFolding folding = CaseFolding::None, const ProgressFn& progress = {});

} // namespace vek
