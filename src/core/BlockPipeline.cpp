#include "core/BlockPipeline.h"

#include <algorithm>
#include <cstring>

namespace vek {

namespace {
constexpr std::size_t kAlignment = 64; // the kernel copies to a cache-line-aligned target faster

std::size_t RoundUp(std::size_t n) { return (n + kAlignment - 1) / kAlignment * kAlignment; }

// The other thread hands a block over within microseconds; going to sleep and being woken costs
// more than that on a virtual machine, so wait busily for a while before sleeping.
template <typename Semaphore> void Acquire(Semaphore& semaphore) {
  constexpr int kSpins = 4000; // a few hundred microseconds at most
  for (int i = 0; i < kSpins; ++i) {
    if (semaphore.try_acquire()) return;
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
  }
  semaphore.acquire();
}
} // namespace

BlockPipeline::BlockPipeline(const ReadAtFn& readAt, Offset from, Offset to, std::size_t blockBytes,
                             std::size_t carry)
    : m_readAt(readAt),
      m_from(from),
      m_to(std::max(from, to)),
      m_blockBytes(blockBytes),
      m_carry(carry),
      m_blockCount(static_cast<std::size_t>((m_to - m_from + static_cast<Offset>(blockBytes) - 1) /
                                           static_cast<Offset>(blockBytes))) {
  const std::size_t lead = RoundUp(m_carry);
  for (Slot& slot : m_slots) {
    slot.storage.resize(kAlignment + lead + m_blockBytes);
    const auto misalignment = reinterpret_cast<std::uintptr_t>(slot.storage.data()) % kAlignment;
    slot.block = slot.storage.data() + (kAlignment - misalignment) % kAlignment + lead;
  }
  // A single block is read on the caller's thread: a thread of its own would cost more than it saves.
  if (m_blockCount > 1) m_reader = std::thread(&BlockPipeline::ReadAhead, this);
}

BlockPipeline::~BlockPipeline() {
  if (!m_reader.joinable()) return;
  m_stop = true;
  for (Slot& slot : m_slots) slot.free.release();
  m_reader.join();
}

void BlockPipeline::ReadBlock(Slot& slot, Offset at) {
  const auto want = static_cast<std::size_t>(std::min<Offset>(static_cast<Offset>(m_blockBytes), m_to - at));
  slot.size = want;
  slot.failed = m_readAt(at, slot.block, want) != static_cast<std::int64_t>(want);
}

void BlockPipeline::ReadAhead() {
  Offset at = m_from;
  for (std::size_t k = 0; k < m_blockCount; ++k) {
    Slot& slot = m_slots[k % 2];
    Acquire(slot.free);
    if (m_stop) return;
    ReadBlock(slot, at);
    slot.ready.release();
    if (slot.failed) return;
    at += static_cast<Offset>(slot.size);
  }
}

BlockPipeline::Window BlockPipeline::Next() {
  if (m_delivered == m_blockCount) return {};
  const int index = static_cast<int>(m_delivered % 2);
  Slot& slot = m_slots[index];
  if (m_reader.joinable()) {
    Acquire(slot.ready);
  } else {
    ReadBlock(slot, m_from);
  }
  ++m_delivered;
  if (slot.failed) {
    m_delivered = m_blockCount;
    return {nullptr, 0, true};
  }
  if (m_current < 0) {
    m_current = index;
    return {slot.block, slot.size, false};
  }
  // The tail of the window before goes in front of this block; then its buffer may be refilled.
  Slot& previous = m_slots[m_current];
  std::memcpy(slot.block - m_carry, previous.block + previous.size - m_carry, m_carry);
  previous.free.release();
  m_current = index;
  return {slot.block - m_carry, slot.size + m_carry, false};
}

} // namespace vek
