// The page search with the bytes that follow the page, against a naive scan of page + following.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "core/PageGeometry.h"
#include "core/Search.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::size_t pageLength = input.ConsumeIntegralInRange<std::size_t>(0, vek::kPageBytes);
  const std::size_t patternLength = input.ConsumeIntegralInRange<std::size_t>(0, 300);
  const std::vector<std::uint8_t> pattern = input.ConsumeBytes<std::uint8_t>(patternLength);
  const std::vector<std::uint8_t> page = input.ConsumeBytes<std::uint8_t>(pageLength);
  const std::vector<std::uint8_t> following = input.ConsumeRemainingBytes<std::uint8_t>();

  std::vector<std::uint8_t> joined(page);
  joined.insert(joined.end(), following.begin(), following.end());
  int expected = -1;
  if (!pattern.empty()) {
    for (std::size_t i = 0; i < page.size() && pattern.size() <= joined.size() - i; ++i) {
      if (std::equal(pattern.begin(), pattern.end(), joined.begin() + static_cast<std::ptrdiff_t>(i))) {
        expected = static_cast<int>(i);
        break;
      }
    }
  }
  const int found = vek::FindInPage(page, pattern, following);
  FUZZ_CHECK(found == expected);
  FUZZ_CHECK(found < static_cast<int>(page.size()));
  return 0;
}
