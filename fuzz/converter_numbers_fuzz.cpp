// The converter as a user works it: a series of texts typed into its decimal or hex field, each
// updating the other field. The value follows the reference readings, a hex text with no number
// keeps the value before, and the text written into the other field reads back as the value.
#include <cstddef>
#include <cstdint>
#include <string>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "NumberReference.h"
#include "core/NumberParse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::int32_t value = input.ConsumeIntegral<std::int32_t>(); // what the dialog opened with
  while (input.remaining_bytes() > 0) {
    const bool intoDecimal = input.ConsumeBool();
    const std::string typed = input.ConsumeRandomLengthString(64);
    if (intoDecimal) {
      value = vek::AtoI32(typed);
      FUZZ_CHECK(value == vek::fuzz::RefAtoI32(typed));
      const std::string shown = vek::FormatHex32(value);
      FUZZ_CHECK(!shown.empty() && shown.size() <= 8);
      FUZZ_CHECK(vek::ScanHex32(shown) == value);
    } else {
      const std::int32_t before = value;
      value = vek::ScanHex32(typed).value_or(value);
      FUZZ_CHECK(value == vek::fuzz::RefScanHex32(typed).value_or(before));
      const std::string shown = vek::FormatDecimal32(value);
      FUZZ_CHECK(!shown.empty() && shown.size() <= 11);
      FUZZ_CHECK(vek::AtoI32(shown) == value);
    }
  }
  return 0;
}
