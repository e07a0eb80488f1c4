// The Edit Byte dialog's numbers: the new value read as a 32-bit long in base 10 or 16, the
// decimal and hex fields' readings, and the texts they write back reading as the same value.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "FuzzCheck.h"
#include "NumberReference.h"
#include "core/NumberParse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  for (const int base : {10, 16}) {
    FUZZ_CHECK(vek::StrToLong32(text, base) == vek::fuzz::RefStrToL(text, base, 32));
  }
  const std::int32_t decimal = vek::AtoI32(text);
  FUZZ_CHECK(decimal == vek::fuzz::RefAtoI32(text));
  const auto hex = vek::ScanHex32(text);
  FUZZ_CHECK(hex == vek::fuzz::RefScanHex32(text));

  // Decimal to hex and back, hex to decimal and back: the dialog's two conversions lose nothing.
  FUZZ_CHECK(vek::ScanHex32(vek::FormatHex32(decimal)) == decimal);
  if (hex) {
    FUZZ_CHECK(vek::AtoI32(vek::FormatDecimal32(*hex)) == *hex);
  }

  // Any 32-bit value, taken from the input's first bytes.
  std::int32_t value = 0;
  std::memcpy(&value, data, std::min(size, sizeof value));
  FUZZ_CHECK(vek::ScanHex32(vek::FormatHex32(value)) == value);
  FUZZ_CHECK(vek::AtoI32(vek::FormatDecimal32(value)) == value);
  FUZZ_CHECK(vek::StrToLong32(vek::FormatDecimal32(value), 10) == value);
  if (value >= 0) {
    FUZZ_CHECK(vek::StrToLong32(vek::FormatHex32(value), 16) == value);
  }
  return 0;
}
