#pragma once
// Every occurrence of a pattern in a file, overlapping ones included, in increasing order.

#include <cstdint>
#include <functional>
#include <span>

#include "core/PageGeometry.h"
#include "core/Search.h"

namespace vek::cli {

enum class FindAllStatus { Found, NotFound, ReadError };

// Reads the file once, block by block as SearchFile does, and scans each block with the same
// candidate filter. Restarting SearchFile after every match would read a whole block per match,
// which makes text with many matches a hundred times slower than grep (bench/README.md).
// A read that comes back short or fails stops the walk with ReadError; matches reported up to
// then stand. An empty pattern finds nothing.
FindAllStatus FindAll(const ReadAtFn& readAt, Offset fileSize, std::span<const std::uint8_t> pattern,
                      const std::function<void(Offset)>& onMatch);

} // namespace vek::cli
