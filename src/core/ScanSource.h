#pragma once
// Where a scan over a whole file (the search, the compare) gets the file's bytes: mapped in place
// from the page cache when the file can be mapped, read with positioned reads otherwise (pipes
// have no pages to map, test fakes have no file behind them, and a mapping may fail).

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/File.h"
#include "core/FileMapping.h"
#include "core/PageGeometry.h"

namespace vek {

// Reads up to `size` bytes at file offset `offset` into `buffer`; returns the count read, which may
// be short only at the end of the file, or -1 on a read failure.
using ReadAtFn = std::function<std::int64_t(Offset offset, std::uint8_t* buffer, std::size_t size)>;

// Blocks of a scan (kSearchBlockBytes) mapped at once. One mapping per block costs more than it
// saves (its set-up and tear-down per MiB); windows of 64 MiB scan as fast as one mapping of the
// whole file, which would hold the page tables of all of it (bench/README.md).
inline constexpr std::size_t kMapWindowBlocks = 64;

class ScanSource {
 public:
  // Read only, never mapped: a file in memory, or one whose reads a test makes fail.
  ScanSource(ReadAtFn readAt) : m_readAt(std::move(readAt)) {} // NOLINT: implicit, as a ReadAtFn was taken

  // Mapped from `file` where it can be (and `mapping` allows it), read with `readAt` otherwise.
  // `file` must outlive the source.
  // `windowBlocks`: blocks per mapping (tests reach the windows' edges with smaller ones).
  ScanSource(const File& file, ReadAtFn readAt, bool mapping = true, std::size_t windowBlocks = kMapWindowBlocks)
      : m_readAt(std::move(readAt)), m_file(mapping ? &file : nullptr), m_windowBlocks(windowBlocks) {}

  const ReadAtFn& ReadAt() const { return m_readAt; }
  std::size_t WindowBlocks() const { return m_windowBlocks; }
  // The source's positioned reads, for those that read a page at a time (the dump).
  operator const ReadAtFn&() const { return m_readAt; } // NOLINT: implicit on purpose

  // The bytes [offset, offset + size) mapped, or none: read them then.
  std::unique_ptr<FileMapping> Map(Offset offset, std::size_t size) const {
    return m_file != nullptr ? m_file->MapForReading(offset, size) : nullptr;
  }

 private:
  ReadAtFn m_readAt;
  const File* m_file = nullptr;
  std::size_t m_windowBlocks = kMapWindowBlocks;
};

} // namespace vek
