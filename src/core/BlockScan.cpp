#include "core/BlockScan.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <limits>
#include <memory>
#include <mutex>
#include <thread>

#include "core/ByteScan.h"
#include "core/MappedReadGuard.h"

namespace vek {

namespace {

constexpr std::size_t kAlignment = 64; // the kernel copies to a cache-line-aligned target faster
constexpr auto kProgressInterval = std::chrono::milliseconds(10);
constexpr Offset kBlockBytes = static_cast<Offset>(kSearchBlockBytes);
// Windows start on a 2 MiB line of the file, where the kernel can map a large folio of the page
// cache with one entry.
constexpr Offset kWindowAlignment = Offset{2} << 20;
constexpr std::size_t kBatch = 4096; // results examined between two looks at the block's list

// A block's bytes when they are read: the block itself and the examiner's tail.
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

// The mapped windows of one source that blocks in flight are in. A window is mapped by the first
// block that needs it and unmapped when the last of its blocks is done, whichever worker that is.
class Windows {
 public:
  struct Window {
    const FileMapping* mapping = nullptr; // none: the source is read
    Offset offset = 0;                    // of the mapping's first byte
  };

  Windows(const ScanSource& source, std::size_t blockCount)
      : m_source(source), m_blockCount(blockCount), m_windowBlocks(std::max<std::size_t>(1, source.WindowBlocks())) {}

  std::size_t WindowBlocks() const { return m_windowBlocks; }

  // Block k's window, mapping [from, to) when it is the first block there; with `map` false the
  // block is only counted (it is not scanned).
  Window Enter(std::size_t k, Offset from, Offset to, bool map) {
    const std::lock_guard lock(m_mutex);
    Entry& entry = Find(k / m_windowBlocks);
    if (map && !entry.tried) {
      entry.tried = true;
      entry.offset = std::max<Offset>(0, from - from % kWindowAlignment);
      entry.mapping = m_source.Map(entry.offset, static_cast<std::size_t>(to - entry.offset));
    }
    return {entry.mapping.get(), entry.offset};
  }

  void Leave(std::size_t k) {
    std::unique_ptr<FileMapping> done;
    {
      const std::lock_guard lock(m_mutex);
      Entry& entry = Find(k / m_windowBlocks);
      if (--entry.blocksLeft > 0) return;
      done = std::move(entry.mapping);
      m_entries.erase(m_entries.begin() + (&entry - m_entries.data()));
    }
    // Unmapped outside the lock: tearing down 64 MiB of page tables takes a while.
  }

 private:
  struct Entry {
    std::size_t window = 0;
    std::size_t blocksLeft = 0;
    bool tried = false;
    Offset offset = 0;
    std::unique_ptr<FileMapping> mapping;
  };

  Entry& Find(std::size_t window) {
    for (Entry& entry : m_entries) {
      if (entry.window == window) return entry;
    }
    Entry& entry = m_entries.emplace_back();
    entry.window = window;
    entry.blocksLeft = std::min(m_windowBlocks, m_blockCount - window * m_windowBlocks);
    return entry;
  }

  const ScanSource& m_source;
  const std::size_t m_blockCount;
  const std::size_t m_windowBlocks;
  std::mutex m_mutex;
  std::vector<Entry> m_entries; // only the windows of the blocks in flight
};

// What one thread needs to examine blocks.
struct WorkerState {
  std::unique_ptr<BlockBuffer> buffers[kMaxScanSources]; // made on the first read
  std::vector<std::size_t> found = std::vector<std::size_t>(kBatch);
  std::vector<std::uint8_t> pairs = std::vector<std::uint8_t>(2 * kBatch);
};

// One call of the examiner, as RunGuarded passes it through.
struct ExamineCall {
  const BlockExaminer* examiner;
  const std::uint8_t* const* bytes;
  std::size_t* at;
  std::size_t count;
  std::size_t* found;
  std::uint8_t* pairs;
  std::size_t room;
  std::size_t results = 0;
};

void RunExamine(void* context) {
  auto& call = *static_cast<ExamineCall*>(context);
  call.results = call.examiner->Examine(call.bytes, *call.at, call.count, call.found, call.pairs, call.room);
}

class Scan {
 public:
  Scan(std::span<const ScanSource* const> sources, const BlockExaminer& examiner, const ScanStretch& stretch)
      : m_sources(sources.begin(), sources.end()),
        m_examiner(examiner),
        m_stretch(stretch),
        m_tail(examiner.TailBytes()),
        m_blockCount(static_cast<std::size_t>((stretch.last - stretch.first) / kBlockBytes + 1)) {
    for (const ScanSource* source : m_sources) m_windows.push_back(std::make_unique<Windows>(*source, m_blockCount));
  }

  std::size_t BlockCount() const { return m_blockCount; }
  bool WantsFirst() const { return m_stretch.want == ScanWant::First; }
  bool Forward() const { return m_stretch.order == ScanOrder::Forward; }

  // Block k of the scan's order: its first candidate and one past its last.
  std::pair<Offset, Offset> Bounds(std::size_t k) const {
    const auto step = static_cast<Offset>(k) * kBlockBytes;
    if (Forward()) {
      const Offset start = m_stretch.first + step;
      return {start, std::min(start + kBlockBytes, m_stretch.last + 1)};
    }
    const Offset end = m_stretch.last + 1 - step;
    return {std::max(m_stretch.first, end - kBlockBytes), end};
  }

  // Block k examined into `out`.
  void ScanBlock(std::size_t k, WorkerState& state, ScannedBlock& out) {
    std::tie(out.start, out.end) = Bounds(k);
    out.failed = false;
    out.matches.clear();
    out.pairs.clear();
    const auto count = static_cast<std::size_t>(out.end - out.start);
    const std::size_t want = count + m_tail;
    const std::uint8_t* bytes[kMaxScanSources] = {};
    GuardedRange ranges[kMaxScanSources];
    std::size_t mapped = 0;
    for (std::size_t s = 0; s < m_sources.size(); ++s) {
      const auto [windowFrom, windowTo] = WindowSpan(k, m_windows[s]->WindowBlocks());
      const Windows::Window window = m_windows[s]->Enter(k, windowFrom, windowTo, !out.failed);
      if (out.failed) continue; // entered all the same: every source leaves the block below
      if (window.mapping != nullptr) {
        bytes[s] = window.mapping->Bytes().data() + (out.start - window.offset);
        ranges[mapped++] = {bytes[s], want};
        continue;
      }
      if (!state.buffers[s]) state.buffers[s] = std::make_unique<BlockBuffer>(kSearchBlockBytes + m_tail);
      bytes[s] = state.buffers[s]->Data();
      out.failed = m_sources[s]->ReadAt()(out.start, state.buffers[s]->Data(), want) != static_cast<std::int64_t>(want);
    }
    if (!out.failed) Examine(bytes, std::span(ranges, mapped), count, state, out);
    for (std::size_t s = 0; s < m_windows.size(); ++s) m_windows[s]->Leave(k);
  }

  // Block k left out: it is only counted off its windows.
  void SkipBlock(std::size_t k, ScannedBlock& out) {
    out = ScannedBlock{};
    std::tie(out.start, out.end) = Bounds(k);
    for (const auto& windows : m_windows) {
      windows->Enter(k, 0, 0, false);
      windows->Leave(k);
    }
  }

 private:
  // The bytes of the window that block k lies in: from its lowest candidate to its highest one's tail.
  std::pair<Offset, Offset> WindowSpan(std::size_t k, std::size_t windowBlocks) const {
    const std::size_t firstBlock = k / windowBlocks * windowBlocks;
    const std::size_t lastBlock = std::min(firstBlock + windowBlocks, m_blockCount) - 1;
    const auto [lowFrom, lowTo] = Bounds(Forward() ? firstBlock : lastBlock);
    const auto [highFrom, highTo] = Bounds(Forward() ? lastBlock : firstBlock);
    (void)lowTo;
    (void)highFrom;
    return {lowFrom, highTo + static_cast<Offset>(m_tail)};
  }

  void Examine(const std::uint8_t* const* bytes, std::span<const GuardedRange> mapped, std::size_t count,
               WorkerState& state, ScannedBlock& out) const {
    const bool firstForward = WantsFirst() && Forward();
    const bool lastOnly = WantsFirst() && !Forward();
    const bool pairs = m_examiner.GivesPairs();
    std::size_t at = 0;
    while (at < count) {
      ExamineCall call{&m_examiner, bytes, &at, count, state.found.data(), state.pairs.data(), firstForward ? 1 : kBatch};
      if (mapped.empty()) {
        RunExamine(&call);
      } else if (!RunGuarded(mapped, RunExamine, &call)) {
        out.failed = true; // a page of the file was gone: it was cut short
        out.matches.clear();
        out.pairs.clear();
        return;
      }
      std::size_t from = 0;
      if (lastOnly && call.results > 0) {
        out.matches.clear();
        out.pairs.clear();
        from = call.results - 1;
      }
      for (std::size_t r = from; r < call.results; ++r) {
        out.matches.push_back(out.start + static_cast<Offset>(state.found[r]));
        if (pairs) out.pairs.insert(out.pairs.end(), state.pairs.begin() + 2 * r, state.pairs.begin() + 2 * r + 2);
      }
      if (firstForward && call.results > 0) return;
    }
  }

  const std::vector<const ScanSource*> m_sources;
  const BlockExaminer& m_examiner;
  const ScanStretch m_stretch;
  const std::size_t m_tail;
  const std::size_t m_blockCount;
  std::vector<std::unique_ptr<Windows>> m_windows; // one per source
};

// The workers and the ring of blocks between them and the judging thread. Block k is scanned into
// slot k % slots, once the block before it in that slot has been judged. The judging thread is one
// of the workers: while the block it waits for is not ready, it scans the next free block itself.
// Judging a block takes microseconds, and a thread of its own that woke for each block cost a
// switch of threads per block on a machine whose cores the workers keep busy (a fifth of the time
// of a search of the page cache).
class Workers {
 public:
  // `count` threads in all: the calling thread and count - 1 helpers.
  Workers(Scan& scan, int count) : m_scan(scan), m_slots(2 * static_cast<std::size_t>(count)) {
    for (std::size_t i = 0; i < m_slots.size(); ++i) m_slots[i].freeFor = i;
    for (int i = 1; i < count; ++i) m_threads.emplace_back([this] { Work(); });
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

  // Block k once scanned, or nullptr when `wait` passed first. Valid until Done(k). Called by the
  // judging thread, which scans blocks into `own` meanwhile.
  const ScannedBlock* Await(std::size_t k, std::chrono::milliseconds wait, WorkerState& own) {
    Slot& slot = m_slots[k % m_slots.size()];
    for (;;) {
      {
        const std::lock_guard lock(m_mutex);
        if (slot.readyFor == k) return &slot.block;
      }
      // Blocks up to k + slots - 1 have their slots free once k - 1 is judged; later ones wait for
      // the judging of k, which must not wait for itself.
      std::size_t next = m_next.load();
      bool took = false;
      while (next < m_scan.BlockCount() && next < k + m_slots.size()) {
        if (m_next.compare_exchange_weak(next, next + 1)) {
          took = true;
          break;
        }
      }
      if (!took) break;
      ScanInto(next, own);
    }
    std::unique_lock lock(m_mutex);
    m_awaited = k;
    const bool ready = m_judgeWake.wait_for(lock, wait, [&] { return slot.readyFor == k; });
    m_awaited = kNone;
    return ready ? &slot.block : nullptr;
  }

  void Done(std::size_t k) {
    bool waited = false;
    {
      const std::lock_guard lock(m_mutex);
      m_slots[k % m_slots.size()].freeFor = k + m_slots.size();
      waited = m_workersWaiting > 0;
    }
    if (waited) m_workersWake.notify_all();
  }

 private:
  struct Slot {
    std::size_t freeFor = 0;                                        // the block it may take next
    std::size_t readyFor = std::numeric_limits<std::size_t>::max(); // the block it holds, scanned
    ScannedBlock block;
  };

  // A helper: the next block in the scan's order, once its slot is free.
  void Work() {
    WorkerState state;
    for (;;) {
      const std::size_t k = m_next.fetch_add(1);
      if (k >= m_scan.BlockCount()) return;
      Slot& slot = m_slots[k % m_slots.size()];
      {
        std::unique_lock lock(m_mutex);
        ++m_workersWaiting;
        m_workersWake.wait(lock, [&] { return m_stop || slot.freeFor == k; });
        --m_workersWaiting;
        if (m_stop) return;
      }
      ScanInto(k, state);
    }
  }

  // Block k into its slot, whose turn it is.
  void ScanInto(std::size_t k, WorkerState& state) {
    Slot& slot = m_slots[k % m_slots.size()];
    // A block after a known result is of no interest when only the first one is wanted.
    if (m_scan.WantsFirst() && k > m_firstMatch.load()) {
      m_scan.SkipBlock(k, slot.block);
    } else {
      m_scan.ScanBlock(k, state, slot.block);
      if (m_scan.WantsFirst() && !slot.block.matches.empty()) {
        std::size_t known = m_firstMatch.load();
        while (k < known && !m_firstMatch.compare_exchange_weak(known, k)) {
        }
      }
    }
    bool awaited = false;
    {
      const std::lock_guard lock(m_mutex);
      slot.readyFor = k;
      awaited = m_awaited == k;
    }
    // Only the block the judge waits for wakes it: waking it for a later one would only cost a
    // switch of threads.
    if (awaited) m_judgeWake.notify_one();
  }

  static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

  Scan& m_scan;
  std::vector<Slot> m_slots;
  std::mutex m_mutex;
  std::condition_variable m_workersWake;
  std::condition_variable m_judgeWake;
  bool m_stop = false;
  std::size_t m_awaited = kNone;    // the block the judge waits for
  std::size_t m_workersWaiting = 0; // helpers waiting for a free slot
  std::atomic<std::size_t> m_next{0};
  std::atomic<std::size_t> m_firstMatch{std::numeric_limits<std::size_t>::max()};
  std::vector<std::thread> m_threads; // last: they start once everything above exists
};

} // namespace

bool ScanBlocks(std::span<const ScanSource* const> sources, const BlockExaminer& examiner, const ScanStretch& stretch,
                int workers, const BlockFn& onBlock, const ProgressFn& progress) {
  Scan scan(sources, examiner, stretch);
  const std::size_t blocks = scan.BlockCount();
  if (blocks == 1) {
    // One block: a thread would cost more than it saves.
    WorkerState state;
    ScannedBlock block;
    scan.ScanBlock(0, state, block);
    onBlock(block);
    return true;
  }
  Workers pool(scan, std::clamp<int>(workers, 1, static_cast<int>(std::min<std::size_t>(blocks, 64))));
  WorkerState own;
  Offset reached = scan.Forward() ? stretch.first : stretch.last + 1;
  for (std::size_t k = 0; k < blocks; ++k) {
    const ScannedBlock* block = nullptr;
    while ((block = pool.Await(k, kProgressInterval, own)) == nullptr) {
      if (progress && !progress(reached)) return false;
    }
    if (!onBlock(*block)) return true;
    reached = scan.Forward() ? block->end : block->start;
    pool.Done(k);
    if (k + 1 < blocks && progress && !progress(reached)) return false;
  }
  return true;
}

} // namespace vek
