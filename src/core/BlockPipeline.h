#pragma once
// Reads a stretch of a file block by block, one block ahead on a second thread, so that the
// kernel's copy of the next block overlaps the scan of the current one. Each block is handed out
// with the last `carry` bytes of the block before it just in front of it, so a match that
// straddles two blocks lies whole in the second window.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <semaphore>
#include <thread>
#include <vector>

#include "core/Search.h"

namespace vek {

class BlockPipeline {
 public:
  // readAt is called on one thread, one call at a time, in file order: the reading thread, or the
  // caller's when there is a single block. `carry` must be smaller than `blockBytes`.
  BlockPipeline(const ReadAtFn& readAt, Offset from, Offset to, std::size_t blockBytes, std::size_t carry);
  ~BlockPipeline(); // stops the reading thread, also in the middle
  BlockPipeline(const BlockPipeline&) = delete;
  BlockPipeline& operator=(const BlockPipeline&) = delete;

  struct Window {
    const std::uint8_t* data = nullptr; // nullptr once every block has been handed out
    std::size_t size = 0;
    bool failed = false; // a read did not deliver what was asked for
  };
  // The next window; it stays valid until the next call.
  Window Next();

 private:
  struct Slot {
    std::vector<std::uint8_t> storage;
    std::uint8_t* block = nullptr;
    std::size_t size = 0;
    bool failed = false;
    std::counting_semaphore<4> free{1};
    std::counting_semaphore<4> ready{0};
  };
  void ReadBlock(Slot& slot, Offset at);
  void ReadAhead();

  const ReadAtFn& m_readAt;
  const Offset m_from;
  const Offset m_to;
  const std::size_t m_blockBytes;
  const std::size_t m_carry;
  const std::size_t m_blockCount;
  std::size_t m_delivered = 0;
  int m_current = -1;
  Slot m_slots[2];
  std::atomic<bool> m_stop{false};
  std::thread m_reader;
};

} // namespace vek
