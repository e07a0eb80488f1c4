#pragma once
// The search over a stream: bytes that come in order and whose end is known only when it comes
// (a pipe, a FIFO, standard input, a file of /proc). One pass, in blocks, in bounded memory.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "core/ByteScan.h"
#include "core/PageGeometry.h"
#include "core/Search.h"

namespace vek {

// Reads the next up to `size` bytes into `buffer`; returns the count read, short only at the end
// of the stream, or -1 on a read failure.
using ReadNextFn = std::function<std::int64_t(std::uint8_t* buffer, std::size_t size)>;

// Every occurrence in the stream, overlapping ones included, in increasing order, as FindAll finds
// them in a file. The stream is read `blockBytes` at a time, and the pattern.size() - 1 bytes at
// the end of a block are kept for the next, so a match across two blocks is found whole.
// Found, NotFound or ReadError (matches reported before the failure stand); an empty pattern finds
// nothing. With CaseFolding::Ascii letters match either case.
SearchStatus FindAllInStream(const ReadNextFn& readNext, std::span<const std::uint8_t> pattern,
                             const std::function<void(Offset)>& onMatch, std::size_t blockBytes = kSearchBlockBytes,
                             CaseFolding folding = CaseFolding::None);

} // namespace vek
