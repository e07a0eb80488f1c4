// The in-memory scans the file search is built on, the vector one and the portable one, against a
// naive scan, exact and ignoring case (tolower of the "C" locale); the plan they follow names two
// distinct positions of the pattern.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "core/ByteScan.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const bool ignoreCase = input.ConsumeBool();
  const std::size_t patternLength = input.ConsumeIntegralInRange<std::size_t>(1, 300);
  const std::vector<std::uint8_t> pattern = input.ConsumeBytes<std::uint8_t>(patternLength);
  const std::vector<std::uint8_t> hay = input.ConsumeRemainingBytes<std::uint8_t>();
  if (pattern.empty() || hay.size() < pattern.size()) return 0;

  const vek::ScanPlan plan = vek::PlanScan(pattern, ignoreCase ? vek::CaseFolding::Ascii : vek::CaseFolding::None);
  FUZZ_CHECK(plan.first < pattern.size() && plan.second < pattern.size());
  FUZZ_CHECK(pattern.size() == 1 || plan.first != plan.second);

  const std::size_t candidates = hay.size() - pattern.size() + 1;
  const auto same = [ignoreCase](std::uint8_t a, std::uint8_t b) {
    return ignoreCase ? std::tolower(a) == std::tolower(b) : a == b;
  };
  std::ptrdiff_t expected = -1;
  for (std::size_t i = 0; i < candidates; ++i) {
    if (std::equal(pattern.begin(), pattern.end(), hay.begin() + static_cast<std::ptrdiff_t>(i), same)) {
      expected = static_cast<std::ptrdiff_t>(i);
      break;
    }
  }
  // Fewer candidates than the buffer allows: a match past them must not be reported.
  const std::size_t fewer = candidates / 2;
  const std::ptrdiff_t expectedFewer = expected < static_cast<std::ptrdiff_t>(fewer) ? expected : -1;

  // `hay` holds exactly the bytes the scan may touch, so ASan sees any read past them.
  FUZZ_CHECK(vek::FindInBuffer(hay.data(), candidates, pattern, plan) == expected);
  FUZZ_CHECK(vek::FindInBufferPortable(hay.data(), candidates, pattern, plan) == expected);
  FUZZ_CHECK(vek::FindInBuffer(hay.data(), fewer, pattern, plan) == expectedFewer);
  FUZZ_CHECK(vek::FindInBufferPortable(hay.data(), fewer, pattern, plan) == expectedFewer);
  return 0;
}
