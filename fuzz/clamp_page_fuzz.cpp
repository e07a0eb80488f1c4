// ClampPage for any three 64-bit numbers: the window is ordered inside the file, its count follows
// from it, and it agrees with the documented steps worked out in 128 bits (where nothing overflows).
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "core/ClampPage.h"
#include "core/PageGeometry.h"

namespace {

struct Wide {
  __int128 start, end, count;
};

Wide Reference(__int128 start, __int128 end, __int128 size) {
  size = std::max<__int128>(size, 0);
  if (start < 0) start = 0;
  if (start >= size) start = size - vek::kPageBytes > 0 ? size - vek::kPageBytes : 0;
  if (end <= start) end = start + vek::kPageBytes < size ? start + vek::kPageBytes : size;
  if (end >= size) end = size;
  return Wide{start, end, std::min<__int128>(end - start, vek::kPageBytes)};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto start = input.ConsumeIntegral<vek::Offset>();
  const auto end = input.ConsumeIntegral<vek::Offset>();
  const auto fileSize = input.ConsumeIntegral<vek::Offset>();

  const vek::PageWindow window = vek::ClampPage(start, end, fileSize);
  const vek::Offset clampedSize = std::max<vek::Offset>(fileSize, 0);
  FUZZ_CHECK(0 <= window.start && window.start <= window.end && window.end <= clampedSize);
  FUZZ_CHECK(0 <= window.count && window.count <= vek::kPageBytes);
  FUZZ_CHECK(window.count == std::min<vek::Offset>(window.end - window.start, vek::kPageBytes));
  // A start inside the file is kept; a non-empty file always shows at least one byte.
  if (start >= 0 && start < clampedSize) FUZZ_CHECK(window.start == start);
  if (clampedSize > 0) FUZZ_CHECK(window.count > 0);

  const Wide expected = Reference(start, end, fileSize);
  FUZZ_CHECK(window.start == expected.start);
  FUZZ_CHECK(window.end == expected.end);
  FUZZ_CHECK(window.count == expected.count);

  // Clamping a clamped window changes nothing.
  FUZZ_CHECK(vek::ClampPage(window.start, window.end, fileSize) == window);
  return 0;
}
