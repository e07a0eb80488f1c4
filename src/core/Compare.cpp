#include "core/Compare.h"

#include <algorithm>

#include "core/BlockScan.h"
#include "core/ByteCompare.h"

namespace vek {

namespace {

// The offsets of a block at which the two files' bytes differ.
class DifferenceExaminer final : public BlockExaminer {
 public:
  std::size_t TailBytes() const override { return 0; }
  bool GivesPairs() const override { return true; }

  std::size_t Examine(const std::uint8_t* const* bytes, std::size_t& at, std::size_t count, std::size_t* found,
                      std::uint8_t* pairs, std::size_t room) const override {
    const std::uint8_t* const first = bytes[0];
    const std::uint8_t* const second = bytes[1];
    std::size_t results = 0;
    while (results < room) {
      at = FindDifference(first, second, at, count);
      if (at == count) break;
      found[results] = at;
      pairs[2 * results] = first[at];
      pairs[2 * results + 1] = second[at];
      ++results;
      ++at;
    }
    return results;
  }
};

int WorkersOrDefault(int workers) { return workers > 0 ? workers : DefaultSearchWorkers(); }

Offset CommonLength(const CompareSide& first, const CompareSide& second) {
  return std::max<Offset>(0, std::min(first.length, second.length));
}

// Where the shorter file ends, as a difference; none when the lengths agree.
CompareResult EndOf(const CompareSide& first, const CompareSide& second) {
  if (first.length == second.length) return {};
  return {SearchStatus::Found, {CommonLength(first, second), true}};
}

// The one difference a comparison in either direction wants, among the offsets [low, high].
CompareResult CompareStretch(const CompareSide& first, const CompareSide& second, Offset low, Offset high,
                             ScanOrder order, const ProgressFn& progress, int workers) {
  CompareResult result;
  const DifferenceExaminer examiner;
  const ScanSource* sources[] = {&first.source, &second.source};
  const bool finished = ScanBlocks(
      sources, examiner, {low, high, order, ScanWant::First}, WorkersOrDefault(workers),
      [&result](const ScannedBlock& block) {
        if (block.failed) {
          result.status = SearchStatus::ReadError;
          return false;
        }
        if (block.matches.empty()) return true;
        result = {SearchStatus::Found, {block.matches.front(), false, block.pairs[0], block.pairs[1]}};
        return false;
      },
      progress);
  if (!finished) result.status = SearchStatus::Cancelled;
  return result;
}

} // namespace

CompareResult FirstDifference(const CompareSide& first, const CompareSide& second, Offset from,
                              const ProgressFn& progress, int workers) {
  const Offset common = CommonLength(first, second);
  const Offset start = std::max<Offset>(from, 0);
  if (start >= common) return start <= common ? EndOf(first, second) : CompareResult{};
  const CompareResult found = CompareStretch(first, second, start, common - 1, ScanOrder::Forward, progress, workers);
  return found.status == SearchStatus::NotFound ? EndOf(first, second) : found;
}

CompareResult LastDifferenceBefore(const CompareSide& first, const CompareSide& second, Offset before,
                                   const ProgressFn& progress, int workers) {
  const Offset common = CommonLength(first, second);
  if (before > common && first.length != second.length) return EndOf(first, second);
  const Offset end = std::min(before, common);
  if (end <= 0) return {};
  return CompareStretch(first, second, 0, end - 1, ScanOrder::Backward, progress, workers);
}

SearchStatus AllDifferences(const CompareSide& first, const CompareSide& second, const DifferencesFn& onDifferences,
                            const ProgressFn& progress, int workers) {
  const Offset common = CommonLength(first, second);
  SearchStatus status = first.length == second.length ? SearchStatus::NotFound : SearchStatus::Found;
  if (common == 0) return status;
  const DifferenceExaminer examiner;
  const ScanSource* sources[] = {&first.source, &second.source};
  const bool finished = ScanBlocks(
      sources, examiner, {0, common - 1, ScanOrder::Forward, ScanWant::All}, WorkersOrDefault(workers),
      [&](const ScannedBlock& block) {
        if (block.failed) {
          status = SearchStatus::ReadError;
          return false;
        }
        if (block.matches.empty()) return true;
        onDifferences(block.matches, block.pairs);
        status = SearchStatus::Found;
        return true;
      },
      progress);
  return finished ? status : SearchStatus::Cancelled;
}

} // namespace vek
