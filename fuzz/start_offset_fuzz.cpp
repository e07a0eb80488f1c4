// The Start field's text read as a 64-bit offset in base 10 and 16, against a 128-bit reading and
// the C library's strtoll.
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "NumberReference.h"
#include "core/NumberParse.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  // The C library stops at the first NUL, so it only sees the text up to there.
  const std::string cText(text.substr(0, text.find('\0')));
  for (const int base : {10, 16}) {
    const std::int64_t value = vek::StrToOffset(text, base);
    FUZZ_CHECK(value == vek::fuzz::RefStrToL(text, base, 64));
    const std::int64_t cValue = vek::StrToOffset(cText, base);
    FUZZ_CHECK(cValue == std::strtoll(cText.c_str(), nullptr, base));
  }
  return 0;
}
