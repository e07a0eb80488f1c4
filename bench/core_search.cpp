// Search speed over a file held in memory, so that only the scan and the block handling are timed.

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string_view>
#include <vector>

#include "core/ByteScan.h"
#include "core/Search.h"

namespace {

constexpr std::size_t kFileBytes = std::size_t{64} << 20;
constexpr std::string_view kMarker = "\xC3VEKmk\x01\x9E";

std::vector<std::uint8_t> MakeFile(std::string_view alphabet) {
  std::vector<std::uint8_t> file(kFileBytes);
  std::mt19937_64 rng(42);
  if (alphabet.empty()) {
    for (auto& b : file) b = static_cast<std::uint8_t>(rng());
  } else {
    for (auto& b : file) b = static_cast<std::uint8_t>(alphabet[rng() % alphabet.size()]);
  }
  std::memcpy(file.data() + kFileBytes - 4096, kMarker.data(), kMarker.size());
  return file;
}

void RunSearch(benchmark::State& state, const std::vector<std::uint8_t>& file, std::string_view marker) {
  const vek::ReadAtFn readAt = [&file](vek::Offset offset, std::uint8_t* buffer, std::size_t size) {
    std::memcpy(buffer, file.data() + offset, size);
    return static_cast<std::int64_t>(size);
  };
  const std::span<const std::uint8_t> pattern(reinterpret_cast<const std::uint8_t*>(marker.data()), marker.size());
  for (auto _ : state) {
    const vek::SearchResult r = vek::SearchFile(readAt, static_cast<vek::Offset>(file.size()), 0, pattern);
    if (r.status != vek::SearchStatus::Found) state.SkipWithError("marker not found");
    benchmark::DoNotOptimize(r.offset);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(file.size()));
}

// Random bytes: every filter byte turns up once in 256 bytes.
void BM_SearchRandomBytes(benchmark::State& state) {
  static const std::vector<std::uint8_t> file = MakeFile({});
  RunSearch(state, file, kMarker);
}
BENCHMARK(BM_SearchRandomBytes)->Unit(benchmark::kMillisecond);

// Lower-case text searched for a word of common letters: the filter lets many candidates through.
void BM_SearchTextForCommonLetters(benchmark::State& state) {
  static const std::vector<std::uint8_t> file = [] {
    auto f = MakeFile("etaoin shrdlu");
    std::memcpy(f.data() + kFileBytes - 100, "the notes", 9);
    return f;
  }();
  RunSearch(state, file, "the notes");
}
BENCHMARK(BM_SearchTextForCommonLetters)->Unit(benchmark::kMillisecond);

// The candidate scan alone over one block already in the cache, as it is right after its read:
// the vector path and the portable one (memchr), each exact and ignoring case, on random bytes
// for a word of letters only (so that the filter bytes are letters, in both cases when folded)
// and on text of common letters in both cases. Arguments: text, folding, portable.
void BM_ScanOneCachedBlock(benchmark::State& state) {
  const bool text = state.range(0) != 0;
  static const std::vector<std::uint8_t> random = MakeFile({});
  static const std::vector<std::uint8_t> letters = MakeFile("etaoin shrdluETAOIN SHRDLU");
  const std::vector<std::uint8_t>& file = text ? letters : random;
  const std::string_view word = text ? "ThE nOtEs" : "qUiXoTiC";
  const std::span<const std::uint8_t> pattern(reinterpret_cast<const std::uint8_t*>(word.data()), word.size());
  const vek::ScanPlan plan = vek::PlanScan(pattern, state.range(1) != 0 ? vek::CaseFolding::Ascii : vek::CaseFolding::None);
  const bool portable = state.range(2) != 0;
  const std::size_t candidates = vek::kSearchBlockBytes;
  for (auto _ : state) {
    // Every match, as FindAll scans a block.
    std::size_t found = 0;
    for (std::size_t at = 0; at < candidates; ++at) {
      const std::uint8_t* const hay = file.data() + at;
      const std::ptrdiff_t hit = portable ? vek::FindInBufferPortable(hay, candidates - at, pattern, plan)
                                          : vek::FindInBuffer(hay, candidates - at, pattern, plan);
      if (hit < 0) break;
      at += static_cast<std::size_t>(hit);
      ++found;
    }
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * candidates));
}
BENCHMARK(BM_ScanOneCachedBlock)->ArgNames({"text", "fold", "portable"})->ArgsProduct({{0, 1}, {0, 1}, {0, 1}});

} // namespace

BENCHMARK_MAIN();
