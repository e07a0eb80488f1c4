// The page's three columns built from any bytes at any start: the number of lines, each line's
// length, every byte readable back from its hex pair and its character, every offset readable back.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzCheck.h"
#include "core/PageGeometry.h"
#include "core/PageText.h"

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1; // lower case is not what the page shows
}

// The first offset of line `line`, held at the largest offset rather than wrapping.
vek::Offset LineStart(vek::Offset pageStart, std::size_t line) {
  const __int128 start = static_cast<__int128>(pageStart) + static_cast<__int128>(line) * vek::kBytesPerLine;
  return static_cast<vek::Offset>(std::min<__int128>(start, std::numeric_limits<vek::Offset>::max()));
}

void CheckOffsetLine(const std::string& text, vek::Offset expected, bool hexMode) {
  FUZZ_CHECK(text.size() >= static_cast<std::size_t>(vek::kOffsetDigits));
  const std::size_t digits = text.find_first_not_of(' ');
  FUZZ_CHECK(digits != std::string::npos);
  FUZZ_CHECK(text.size() == static_cast<std::size_t>(vek::kOffsetDigits) || digits == 0);
  const std::string number = text.substr(digits);
  char* end = nullptr;
  if (hexMode) {
    FUZZ_CHECK(number.find_first_not_of("0123456789ABCDEF") == std::string::npos);
    FUZZ_CHECK(std::strtoull(number.c_str(), &end, 16) == static_cast<unsigned long long>(expected));
  } else {
    FUZZ_CHECK(std::strtoll(number.c_str(), &end, 10) == expected);
  }
  FUZZ_CHECK(*end == '\0');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const auto pageStart = input.ConsumeIntegral<vek::Offset>();
  const bool hexMode = input.ConsumeBool();
  const std::vector<std::uint8_t> bytes = input.ConsumeRemainingBytes<std::uint8_t>();

  const vek::PageText page = vek::BuildPageText(bytes, pageStart, hexMode);

  const std::size_t shown = std::min<std::size_t>(bytes.size(), vek::kPageBytes);
  const std::size_t lines = std::max<std::size_t>(1, (shown + vek::kBytesPerLine - 1) / vek::kBytesPerLine);
  FUZZ_CHECK(page.offsetLines.size() == lines);
  FUZZ_CHECK(page.hexLines.size() == lines);
  FUZZ_CHECK(page.asciiLines.size() == lines);

  for (std::size_t line = 0; line < lines; ++line) {
    const std::size_t first = line * vek::kBytesPerLine;
    const std::size_t count = std::min<std::size_t>(vek::kBytesPerLine, shown - std::min(shown, first));
    const std::string& hex = page.hexLines[line];
    const std::string& ascii = page.asciiLines[line];
    FUZZ_CHECK(hex.size() == 2 * count + count / 2);
    FUZZ_CHECK(hex.size() <= static_cast<std::size_t>(vek::kHexLineChars));
    FUZZ_CHECK(ascii.size() == count);
    for (std::size_t j = 0; j < count; ++j) {
      const std::uint8_t byte = bytes[first + j];
      const std::size_t at = 2 * j + j / 2;
      FUZZ_CHECK(HexDigitValue(hex[at]) >= 0 && HexDigitValue(hex[at + 1]) >= 0);
      FUZZ_CHECK(HexDigitValue(hex[at]) * 16 + HexDigitValue(hex[at + 1]) == byte);
      if (j % 2 == 1) FUZZ_CHECK(hex[at + 2] == ' ');
      const bool control = byte < 0x20 || byte == 0x7F;
      FUZZ_CHECK(ascii[j] == (control ? '.' : static_cast<char>(byte)));
    }
    CheckOffsetLine(page.offsetLines[line], LineStart(pageStart, line), hexMode);
  }
  return 0;
}
