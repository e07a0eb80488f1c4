#include "core/BlockScan.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <thread>

#include "core/ByteScan.h"

namespace vek {

namespace {

constexpr std::size_t kAlignment = 64; // the kernel copies to a cache-line-aligned target faster
constexpr auto kProgressInterval = std::chrono::milliseconds(10);

// A block's bytes: the block itself and the pattern.size() - 1 bytes after it.
class BlockBuffer {
 public:
  explicit BlockBuffer(std::size_t bytes) : m_storage(bytes + kAlignment) {
    const auto misalignment = reinterpret_cast<std::uintptr_t>(m_storage.data()) % kAlignment;
    m_data = m_storage.data() + (kAlignment - misalignment) % kAlignment;
  }
  std::uint8_t* Data() { return m_data; }

 private:
  std::vector<std::uint8_t> m_storage;
  std::uint8_t* m_data;
};

class Scan {
 public:
  Scan(const ReadAtFn& readAt, Offset fileSize, Offset from, std::span<const std::uint8_t> pattern, ScanWant want,
       CaseFolding folding)
      : m_readAt(readAt),
        m_pattern(pattern),
        m_plan(PlanScan(pattern, folding)),
        m_want(want),
        m_from(from),
        m_lastCandidate(fileSize - static_cast<Offset>(pattern.size())),
        m_blockCount(static_cast<std::size_t>((m_lastCandidate - from) / kBlockBytes + 1)) {}

  std::size_t BlockCount() const { return m_blockCount; }

  // Reads and scans block k into `out`, unless the scan has stopped meanwhile.
  void ScanBlock(std::size_t k, BlockBuffer& buffer, ScannedBlock& out) const {
    out.start = m_from + static_cast<Offset>(k) * kBlockBytes;
    out.end = std::min<Offset>(out.start + kBlockBytes, m_lastCandidate + 1);
    out.failed = false;
    out.matches.clear();
    const auto candidates = static_cast<std::size_t>(out.end - out.start);
    const std::size_t want = candidates + m_pattern.size() - 1;
    if (m_readAt(out.start, buffer.Data(), want) != static_cast<std::int64_t>(want)) {
      out.failed = true;
      return;
    }
    for (std::size_t at = 0; at < candidates; ++at) { // ++at: overlapping matches count too
      const std::ptrdiff_t hit = FindInBuffer(buffer.Data() + at, candidates - at, m_pattern, m_plan);
      if (hit < 0) break;
      at += static_cast<std::size_t>(hit);
      out.matches.push_back(out.start + static_cast<Offset>(at));
      if (m_want == ScanWant::First) break;
    }
  }

  static constexpr Offset kBlockBytes = static_cast<Offset>(kSearchBlockBytes);
  std::size_t BufferBytes() const { return kSearchBlockBytes + m_pattern.size() - 1; }
  bool WantsFirst() const { return m_want == ScanWant::First; }

 private:
  const ReadAtFn& m_readAt;
  const std::span<const std::uint8_t> m_pattern;
  const ScanPlan m_plan;
  const ScanWant m_want;
  const Offset m_from;
  const Offset m_lastCandidate;
  const std::size_t m_blockCount;
};

// The workers and the ring of blocks between them and the judging thread. Block k is scanned into
// slot k % slots, once the block before it in that slot has been judged.
class Workers {
 public:
  Workers(const Scan& scan, int count) : m_scan(scan), m_slots(2 * static_cast<std::size_t>(count)) {
    for (std::size_t i = 0; i < m_slots.size(); ++i) m_slots[i].freeFor = i;
    for (int i = 0; i < count; ++i) m_threads.emplace_back([this] { Work(); });
  }
  ~Workers() {
    {
      const std::lock_guard lock(m_mutex);
      m_stop = true;
    }
    m_workersWake.notify_all();
    for (std::thread& thread : m_threads) thread.join();
  }
  Workers(const Workers&) = delete;
  Workers& operator=(const Workers&) = delete;

  // Block k once scanned, or nullptr when `wait` passed first. Valid until Done(k).
  const ScannedBlock* Await(std::size_t k, std::chrono::milliseconds wait) {
    Slot& slot = m_slots[k % m_slots.size()];
    std::unique_lock lock(m_mutex);
    if (!m_judgeWake.wait_for(lock, wait, [&] { return slot.readyFor == k; })) return nullptr;
    return &slot.block;
  }

  void Done(std::size_t k) {
    {
      const std::lock_guard lock(m_mutex);
      m_slots[k % m_slots.size()].freeFor = k + m_slots.size();
    }
    m_workersWake.notify_all();
  }

 private:
  struct Slot {
    std::size_t freeFor = 0;                                        // the block it may take next
    std::size_t readyFor = std::numeric_limits<std::size_t>::max(); // the block it holds, scanned
    ScannedBlock block;
  };

  void Work() {
    BlockBuffer buffer(m_scan.BufferBytes());
    for (;;) {
      const std::size_t k = m_next.fetch_add(1);
      if (k >= m_scan.BlockCount()) return;
      Slot& slot = m_slots[k % m_slots.size()];
      {
        std::unique_lock lock(m_mutex);
        m_workersWake.wait(lock, [&] { return m_stop || slot.freeFor == k; });
        if (m_stop) return;
      }
      // A block after a known match is of no interest when only the first one is wanted.
      if (m_scan.WantsFirst() && k > m_firstMatch.load()) {
        slot.block = ScannedBlock{};
      } else {
        m_scan.ScanBlock(k, buffer, slot.block);
        if (m_scan.WantsFirst() && !slot.block.matches.empty()) {
          std::size_t known = m_firstMatch.load();
          while (k < known && !m_firstMatch.compare_exchange_weak(known, k)) {
          }
        }
      }
      {
        const std::lock_guard lock(m_mutex);
        slot.readyFor = k;
      }
      m_judgeWake.notify_one();
    }
  }

  const Scan& m_scan;
  std::vector<Slot> m_slots;
  std::mutex m_mutex;
  std::condition_variable m_workersWake;
  std::condition_variable m_judgeWake;
  bool m_stop = false;
  std::atomic<std::size_t> m_next{0};
  std::atomic<std::size_t> m_firstMatch{std::numeric_limits<std::size_t>::max()};
  std::vector<std::thread> m_threads; // last: they start once everything above exists
};

} // namespace

bool ScanBlocks(const ReadAtFn& readAt, Offset fileSize, Offset from, std::span<const std::uint8_t> pattern,
                ScanWant want, int workers, const BlockFn& onBlock, const ProgressFn& progress,
                CaseFolding folding) {
  const Scan scan(readAt, fileSize, from, pattern, want, folding);
  const std::size_t blocks = scan.BlockCount();
  if (blocks == 1) {
    // One block: a thread would cost more than it saves.
    BlockBuffer buffer(scan.BufferBytes());
    ScannedBlock block;
    scan.ScanBlock(0, buffer, block);
    onBlock(block);
    return true;
  }
  Workers pool(scan, std::clamp<int>(workers, 1, static_cast<int>(std::min<std::size_t>(blocks, 64))));
  Offset judged = from;
  for (std::size_t k = 0; k < blocks; ++k) {
    const ScannedBlock* block = nullptr;
    while ((block = pool.Await(k, kProgressInterval)) == nullptr) {
      if (progress && !progress(judged)) return false;
    }
    if (!onBlock(*block)) return true;
    judged = block->end;
    pool.Done(k);
    if (k + 1 < blocks && progress && !progress(judged)) return false;
  }
  return true;
}

} // namespace vek
