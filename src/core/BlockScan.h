#pragma once
// The blocks of a stretch of a file scanned for a pattern by several threads at once and handed
// back in file order. Workers take the blocks in order; each reads its block and the
// pattern.size() - 1 bytes after it (so a match across two blocks lies whole in the first), and
// scans it. The caller's thread judges the blocks one after the other, so matches come out in
// increasing order whatever the workers' pace. At most 2 x workers blocks are scanned ahead of the
// one being judged: memory stays bounded whatever the file's size.

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/CaseFolding.h"
#include "core/Search.h"

namespace vek {

enum class ScanWant {
  First, // a block's first match is enough, and no block after the first match is of interest
  All,   // every match, overlapping ones included
};

struct ScannedBlock {
  Offset start = 0;             // the block's first candidate offset
  Offset end = 0;               // one past its last
  bool failed = false;          // a read delivered less than asked for
  std::vector<Offset> matches;  // in increasing order; at most one with ScanWant::First
};

// Called in file order on the calling thread; false ends the scan.
using BlockFn = std::function<bool(const ScannedBlock& block)>;

// Scans the candidates in [from, fileSize - pattern.size()] with `workers` threads (a stretch of
// one block is scanned on the calling thread). `progress`, when given, is called with the end of
// each block judged (but the last) and every few milliseconds while the next block is awaited;
// false cancels the scan. Returns false when cancelled. The pattern must not be empty and must fit
// into the stretch. `folding` says whether letters match either case.
bool ScanBlocks(const ReadAtFn& readAt, Offset fileSize, Offset from, std::span<const std::uint8_t> pattern,
                ScanWant want, int workers, const BlockFn& onBlock, const ProgressFn& progress,
                CaseFolding folding = CaseFolding::None);

} // namespace vek
