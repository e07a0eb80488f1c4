#include "core/Search.h"

#include <algorithm>

#include <cstdlib>
#include <thread>

#include "core/BlockScan.h"

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

} // namespace

SearchResult SearchFile(const ReadAtFn& readAt, Offset fileSize, Offset from,
                        std::span<const std::uint8_t> pattern, const ProgressFn& progress, int workers) {
  SearchResult result;
  const Offset start = std::max<Offset>(from, 0);
  if (!Searchable(fileSize, start, pattern)) return result;
  const bool finished = ScanBlocks(
      readAt, fileSize, start, pattern, ScanWant::First, WorkersOrDefault(workers),
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

SearchStatus FindAll(const ReadAtFn& readAt, Offset fileSize, std::span<const std::uint8_t> pattern,
                     const std::function<void(std::span<const Offset>)>& onMatches, int workers,
                     CaseFolding folding) {
  if (!Searchable(fileSize, 0, pattern)) return SearchStatus::NotFound;
  SearchStatus status = SearchStatus::NotFound;
  ScanBlocks(
      readAt, fileSize, 0, pattern, ScanWant::All, WorkersOrDefault(workers),
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
      {}, folding);
  return status;
}

ReadAtFn ReaderOf(const File& file, FileResult<std::size_t>* failure) {
  return [&file, failure](Offset offset, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
    const FileResult<std::size_t> read = file.ReadAt(offset, buffer, size);
    if (read.ok()) return static_cast<std::int64_t>(read.value);
    if (failure != nullptr) *failure = read;
    return -1;
  };
}

} // namespace vek
