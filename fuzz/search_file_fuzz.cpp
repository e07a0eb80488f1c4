// The block search over a file made from the input, from any start, against a naive scan. Files
// either fit one block or are stretched so that the input's bytes straddle the first block
// boundary; a read may be made to fail, which may only turn the answer into a read error.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "core/ByteScan.h" // kSearchBlockBytes
#include "core/Search.h"

namespace {

vek::Offset NaiveFirst(const std::vector<std::uint8_t>& file, vek::Offset from,
                       const std::vector<std::uint8_t>& pattern) {
  if (pattern.empty()) return -1;
  const auto start = static_cast<std::size_t>(std::max<vek::Offset>(from, 0));
  for (std::size_t m = start; m < file.size() && pattern.size() <= file.size() - m; ++m) {
    if (std::equal(pattern.begin(), pattern.end(), file.begin() + static_cast<std::ptrdiff_t>(m))) {
      return static_cast<vek::Offset>(m);
    }
  }
  return -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool stretched = input.ConsumeBool();
  const bool failingRead = input.ConsumeBool();
  const std::size_t patternLength = input.ConsumeIntegralInRange<std::size_t>(0, stretched ? 64 : 300);
  const std::vector<std::uint8_t> pattern = input.ConsumeBytes<std::uint8_t>(patternLength);
  const auto fromChoice = input.ConsumeIntegral<std::uint16_t>();
  const auto failAt = input.ConsumeIntegral<std::uint32_t>();

  std::vector<std::uint8_t> file;
  if (stretched) {
    // Filler up to shortly before the block boundary, then the input's bytes across it.
    const std::uint8_t fill = input.ConsumeIntegral<std::uint8_t>();
    const std::size_t before = input.ConsumeIntegralInRange<std::size_t>(0, 300);
    file.assign(vek::kSearchBlockBytes - before, fill);
  }
  const std::vector<std::uint8_t> tail = input.ConsumeRemainingBytes<std::uint8_t>();
  file.insert(file.end(), tail.begin(), tail.end());
  const auto fileSize = static_cast<vek::Offset>(file.size());

  // Mostly a start near the bytes of interest, sometimes one far outside the file.
  vek::Offset from = 0;
  switch (fromChoice % 4) {
    case 0: from = static_cast<vek::Offset>(fromChoice / 4) - 8; break;
    case 1: from = fileSize - static_cast<vek::Offset>(fromChoice / 4); break;
    case 2: from = (fromChoice & 8) ? INT64_MAX - (fromChoice >> 4) : INT64_MIN + (fromChoice >> 4); break;
    default: from = 0; break;
  }

  const vek::Offset failOffset = failingRead ? static_cast<vek::Offset>(failAt % (file.size() + 1)) : -1;
  const vek::ReadAtFn readAt = [&](vek::Offset offset, std::uint8_t* buffer, std::size_t count) -> std::int64_t {
    FUZZ_CHECK(offset >= 0 && offset <= fileSize);
    FUZZ_CHECK(count <= static_cast<std::size_t>(fileSize - offset));
    if (failOffset >= offset && failOffset < offset + static_cast<vek::Offset>(count)) {
      return (failAt & 1) ? -1 : failOffset - offset; // a failure or a short read
    }
    std::memcpy(buffer, file.data() + offset, count);
    return static_cast<std::int64_t>(count);
  };

  const vek::Offset expected = NaiveFirst(file, from, pattern);
  const vek::SearchResult result = vek::SearchFile(readAt, fileSize, from, pattern);
  if (!failingRead) {
    FUZZ_CHECK(result.status ==
               (expected >= 0 ? vek::SearchStatus::Found : vek::SearchStatus::NotFound));
  } else {
    FUZZ_CHECK(result.status != vek::SearchStatus::Cancelled);
    if (result.status == vek::SearchStatus::NotFound) FUZZ_CHECK(expected < 0);
  }
  if (result.status == vek::SearchStatus::Found) FUZZ_CHECK(result.offset == expected);

  return 0;
}
