#include "core/Search.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <string_view>
#include <thread>

#include "core/BlockScan.h"
#include "core/ByteScan.h"

namespace vek {

int FindInPage(std::span<const std::uint8_t> page, std::span<const std::uint8_t> pattern,
               std::span<const std::uint8_t> following) {
  if (pattern.empty() || page.empty()) return -1;
  // `following` reaches either the end of the file or far enough for every candidate of the page,
  // so a candidate that does not fit into page + following runs past the end of the file.
  const std::size_t available = page.size() + following.size();
  const auto byteAt = [&](std::size_t at) { return at < page.size() ? page[at] : following[at - page.size()]; };
  for (std::size_t i = 0; i < page.size() && i + pattern.size() <= available; ++i) {
    std::size_t k = 0;
    while (k < pattern.size() && byteAt(i + k) == pattern[k]) ++k;
    if (k == pattern.size()) return static_cast<int>(i);
  }
  return -1;
}

int DefaultSearchWorkers() {
  if (const char* forced = std::getenv("VEK_SEARCH_WORKERS")) {
    const int count = std::atoi(forced);
    if (count > 0) return count;
  }
  return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

namespace {

// Nothing to scan when the pattern is empty or longer than what lies from `from` on.
bool Searchable(Offset fileSize, Offset from, std::span<const std::uint8_t> pattern) {
  return !pattern.empty() && fileSize - from >= static_cast<Offset>(pattern.size());
}

int WorkersOrDefault(int workers) { return workers > 0 ? workers : DefaultSearchWorkers(); }

// The workers read side by side, and several of them may fail at once (a disk that gives EIO over
// a stretch): the record of a failure is written under this lock. One lock for every source, since
// only failures take it.
std::mutex g_failureMutex;

bool MappingAllowed() {
  const char* setting = std::getenv("VEK_SEARCH_MAP");
  return setting == nullptr || std::string_view(setting) != "0";
}

// The candidates of a block that start a match.
class PatternExaminer final : public BlockExaminer {
 public:
  PatternExaminer(std::span<const std::uint8_t> pattern, CaseFolding folding)
      : m_pattern(pattern), m_plan(PlanScan(pattern, folding)) {}

  std::size_t TailBytes() const override { return m_pattern.size() - 1; }

  std::size_t Examine(const std::uint8_t* const* bytes, std::size_t& at, std::size_t count, std::size_t* found,
                      std::uint8_t*, std::size_t room) const override {
    std::size_t results = 0;
    while (results < room && at < count) {
      const std::ptrdiff_t hit = FindInBuffer(bytes[0] + at, count - at, m_pattern, m_plan);
      if (hit < 0) {
        at = count;
        break;
      }
      at += static_cast<std::size_t>(hit);
      found[results++] = at++; // the next candidate is the one after: overlapping matches count too
    }
    return results;
  }

 private:
  const std::span<const std::uint8_t> m_pattern;
  const ScanPlan m_plan;
};

// The one match a search in either direction wants, from the candidates [first, last].
SearchResult SearchStretch(const ScanSource& source, std::span<const std::uint8_t> pattern, Offset first, Offset last,
                           ScanOrder order, const ProgressFn& progress, int workers) {
  SearchResult result;
  const PatternExaminer examiner(pattern, CaseFolding::None);
  const ScanSource* sources[] = {&source};
  const bool finished = ScanBlocks(
      sources, examiner, {first, last, order, ScanWant::First}, WorkersOrDefault(workers),
      [&result](const ScannedBlock& block) {
        if (block.failed) {
          result.status = SearchStatus::ReadError;
          return false;
        }
        if (block.matches.empty()) return true;
        result.status = SearchStatus::Found;
        result.offset = block.matches.front();
        return false;
      },
      progress);
  if (!finished) result.status = SearchStatus::Cancelled;
  return result;
}

} // namespace

SearchResult SearchFile(const ScanSource& source, Offset fileSize, Offset from, std::span<const std::uint8_t> pattern,
                        const ProgressFn& progress, int workers) {
  const Offset start = std::max<Offset>(from, 0);
  if (!Searchable(fileSize, start, pattern)) return {};
  return SearchStretch(source, pattern, start, fileSize - static_cast<Offset>(pattern.size()), ScanOrder::Forward,
                       progress, workers);
}

SearchResult SearchFileBackward(const ScanSource& source, Offset fileSize, Offset before,
                                std::span<const std::uint8_t> pattern, const ProgressFn& progress, int workers) {
  if (!Searchable(fileSize, 0, pattern) || before <= 0) return {};
  const Offset last = std::min(before - 1, fileSize - static_cast<Offset>(pattern.size()));
  return SearchStretch(source, pattern, 0, last, ScanOrder::Backward, progress, workers);
}

SearchStatus FindAll(const ScanSource& source, Offset fileSize, std::span<const std::uint8_t> pattern,
                     const std::function<void(std::span<const Offset>)>& onMatches, int workers,
                     CaseFolding folding, const ProgressFn& progress) {
  if (!Searchable(fileSize, 0, pattern)) return SearchStatus::NotFound;
  SearchStatus status = SearchStatus::NotFound;
  const PatternExaminer examiner(pattern, folding);
  const ScanSource* sources[] = {&source};
  const bool finished = ScanBlocks(
      sources, examiner, {0, fileSize - static_cast<Offset>(pattern.size()), ScanOrder::Forward, ScanWant::All},
      WorkersOrDefault(workers),
      [&](const ScannedBlock& block) {
        if (block.failed) {
          status = SearchStatus::ReadError;
          return false;
        }
        if (block.matches.empty()) return true;
        onMatches(block.matches);
        status = SearchStatus::Found;
        return true;
      },
      progress);
  return finished ? status : SearchStatus::Cancelled;
}

ScanSource ReaderOf(const File& file, FileResult<std::size_t>* failure) {
  ReadAtFn readAt = [&file, failure](Offset offset, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
    const FileResult<std::size_t> read = file.ReadAt(offset, buffer, size);
    if (read.ok()) return static_cast<std::int64_t>(read.value);
    if (failure != nullptr) {
      const std::lock_guard lock(g_failureMutex);
      *failure = read;
    }
    return -1;
  };
  return ScanSource(file, std::move(readAt), MappingAllowed());
}

} // namespace vek
