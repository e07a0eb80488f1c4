#pragma once
// The blocks of a stretch of one or two files scanned by several threads at once and handed back
// in the order of the scan, forwards (file order) or backwards (the last block first). Workers take
// the blocks in that order; each gets its block's bytes and the examiner's tail after it (for a
// search, pattern.size() - 1 bytes, so a match across two blocks lies whole in the first), and
// examines them. The caller's thread judges the blocks one after the other, so results come out in
// the scan's order whatever the workers' pace. At most 2 x workers blocks are examined ahead of the
// one being judged: memory stays bounded whatever the file's size.
//
// Where a source can be mapped, its bytes are looked at in place: windows of its WindowBlocks()
// blocks are mapped by the first worker that needs one and unmapped once all their blocks are
// done, and the examiner runs under RunGuarded (core/MappedReadGuard.h), so that a file cut short
// meanwhile fails the block as a short read would. Other sources are read with pread into a buffer
// of each worker's own.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "core/Search.h"

namespace vek {

enum class ScanOrder { Forward, Backward };

enum class ScanWant {
  First, // the first result in the scan's order is enough: a block's first one forwards, its last
         // one backwards, and no block after the one that has it is of interest
  All,   // every result
};

inline constexpr std::size_t kMaxScanSources = 2;

struct ScannedBlock {
  Offset start = 0;                // the block's first candidate offset
  Offset end = 0;                  // one past its last
  bool failed = false;             // its bytes could not all be had: a failed or short read, a file cut short
  std::vector<Offset> matches;     // the results, in increasing order; at most one with ScanWant::First
  std::vector<std::uint8_t> pairs; // for examiners that give them: two bytes per result
};

// What a scan looks for in a block.
class BlockExaminer {
 public:
  virtual ~BlockExaminer() = default;
  // Bytes after a block's last candidate that the examiner reads too.
  virtual std::size_t TailBytes() const = 0;
  // Whether each result comes with two bytes (the compare's two values).
  virtual bool GivesPairs() const { return false; }
  // Looks at the candidates [at, count) of a block, whose bytes, one pointer per source, start at
  // its first candidate and run count + TailBytes() bytes. Writes the results found, in increasing
  // order, into found[0, room) (and their pairs into pairs[0, 2 * room)), returns how many, and
  // moves `at` past the last one written, or to `count` when none is left. Called on the workers,
  // possibly under RunGuarded: it must not allocate, lock or throw.
  virtual std::size_t Examine(const std::uint8_t* const* bytes, std::size_t& at, std::size_t count,
                              std::size_t* found, std::uint8_t* pairs, std::size_t room) const = 0;
};

// The candidates [first, last] and how to go through them.
struct ScanStretch {
  Offset first = 0;
  Offset last = 0;
  ScanOrder order = ScanOrder::Forward;
  ScanWant want = ScanWant::All;
};

// Called in the scan's order on the calling thread; false ends the scan.
using BlockFn = std::function<bool(const ScannedBlock& block)>;

// Scans the stretch with `workers` threads (a stretch of one block is scanned on the calling
// thread). Every source must hold the bytes up to stretch.last + examiner.TailBytes(). `progress`,
// when given, is called with the offset the scan has reached (forwards the end of each block
// judged, backwards its start; but for the last block) and every few milliseconds while the next
// block is awaited; false cancels the scan. Returns false when cancelled.
bool ScanBlocks(std::span<const ScanSource* const> sources, const BlockExaminer& examiner, const ScanStretch& stretch,
                int workers, const BlockFn& onBlock, const ProgressFn& progress);

} // namespace vek
