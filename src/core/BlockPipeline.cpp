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
    : readAt_(readAt),
      from_(from),
      to_(std::max(from, to)),
      blockBytes_(blockBytes),
      carry_(carry),
      blockCount_(static_cast<std::size_t>((to_ - from_ + static_cast<Offset>(blockBytes) - 1) /
                                           static_cast<Offset>(blockBytes))) {
  const std::size_t lead = RoundUp(carry_);
  for (Slot& slot : slots_) {
    slot.storage.resize(kAlignment + lead + blockBytes_);
    const auto misalignment = reinterpret_cast<std::uintptr_t>(slot.storage.data()) % kAlignment;
    slot.block = slot.storage.data() + (kAlignment - misalignment) % kAlignment + lead;
  }
  // A single block is read on the caller's thread: a thread of its own would cost more than it saves.
  if (blockCount_ > 1) reader_ = std::thread(&BlockPipeline::ReadAhead, this);
}

BlockPipeline::~BlockPipeline() {
  if (!reader_.joinable()) return;
  stop_ = true;
  for (Slot& slot : slots_) slot.free.release();
  reader_.join();
}

void BlockPipeline::ReadBlock(Slot& slot, Offset at) {
  const auto want = static_cast<std::size_t>(std::min<Offset>(static_cast<Offset>(blockBytes_), to_ - at));
  slot.size = want;
  slot.failed = readAt_(at, slot.block, want) != static_cast<std::int64_t>(want);
}

void BlockPipeline::ReadAhead() {
  Offset at = from_;
  for (std::size_t k = 0; k < blockCount_; ++k) {
    Slot& slot = slots_[k % 2];
    Acquire(slot.free);
    if (stop_) return;
    ReadBlock(slot, at);
    slot.ready.release();
    if (slot.failed) return;
    at += static_cast<Offset>(slot.size);
  }
}

BlockPipeline::Window BlockPipeline::Next() {
  if (delivered_ == blockCount_) return {};
  const int index = static_cast<int>(delivered_ % 2);
  Slot& slot = slots_[index];
  if (reader_.joinable()) {
    Acquire(slot.ready);
  } else {
    ReadBlock(slot, from_);
  }
  ++delivered_;
  if (slot.failed) {
    delivered_ = blockCount_;
    return {nullptr, 0, true};
  }
  if (current_ < 0) {
    current_ = index;
    return {slot.block, slot.size, false};
  }
  // The tail of the window before goes in front of this block; then its buffer may be refilled.
  Slot& previous = slots_[current_];
  std::memcpy(slot.block - carry_, previous.block + previous.size - carry_, carry_);
  previous.free.release();
  current_ = index;
  return {slot.block - carry_, slot.size + carry_, false};
}

} // namespace vek
