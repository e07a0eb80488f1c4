#pragma once
// Finding a byte pattern in a buffer in memory, fast: two of the pattern's rarest bytes filter the
// candidates and only the survivors are compared in full. The file search runs it block by block.

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/CaseFolding.h"

namespace vek {

// How much of the file one search worker reads and scans at once. Each worker reads its own blocks,
// so the cores copy and scan side by side; handing a block over costs a few microseconds, lost in
// a block this large (bench/README.md: 1 to 2 MiB measured best, 256 KiB 25 % slower).
inline constexpr std::size_t kSearchBlockBytes = std::size_t{1024} * 1024;

// The two pattern positions whose bytes are least likely in typical files. `first` != `second`
// unless the pattern is a single byte. With CaseFolding::Ascii a letter matches either case, in the
// filter and in the full comparison alike.
struct ScanPlan {
  std::size_t first = 0;
  std::size_t second = 0;
  CaseFolding folding = CaseFolding::None;
};

// How common a byte value is in typical files (zero bytes, 0xFF fill, ASCII text), higher = more
// common. A fixed guess: learning the file's own statistics would cost a pass over it.
int ByteCommonness(std::uint8_t value);

ScanPlan PlanScan(std::span<const std::uint8_t> pattern, CaseFolding folding = CaseFolding::None);

// The smallest i < `candidates` with `hay`[i, i + pattern.size()) == pattern (letters compared as
// `plan.folding` says), or -1. `hay` must hold
// candidates + pattern.size() - 1 bytes; `pattern` must not be empty.
std::ptrdiff_t FindInBuffer(const std::uint8_t* hay, std::size_t candidates,
                            std::span<const std::uint8_t> pattern, const ScanPlan& plan);

// The same with plain memchr, no vector instructions: what FindInBuffer falls back to on processors
// without AVX2, kept callable so that both paths can be checked on any machine. With case folding
// it compares both filter bytes of eight candidates at a time in a 64-bit word instead, since
// memchr finds only one byte value and a folded letter is two.
std::ptrdiff_t FindInBufferPortable(const std::uint8_t* hay, std::size_t candidates,
                                    std::span<const std::uint8_t> pattern, const ScanPlan& plan);

} // namespace vek
