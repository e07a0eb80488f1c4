#include "core/Crc32.h"

#include <array>

namespace vek {

namespace {

constexpr std::uint32_t kReflectedPolynomial = 0xEDB88320u;
constexpr std::uint32_t kAllBits = 0xFFFFFFFFu;
constexpr std::size_t kByteValues = 256;

constexpr std::array<std::uint32_t, kByteValues> MakeTable() {
  std::array<std::uint32_t, kByteValues> table{};
  for (std::uint32_t n = 0; n < table.size(); ++n) {
    std::uint32_t c = n;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1u) != 0 ? kReflectedPolynomial ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<std::uint32_t, kByteValues> kTable = MakeTable();

} // namespace

std::uint32_t Crc32(std::string_view bytes) {
  std::uint32_t crc = kAllBits;
  for (const char c : bytes) crc = kTable[(crc ^ static_cast<std::uint8_t>(c)) & 0xFFu] ^ (crc >> 8);
  return crc ^ kAllBits;
}

} // namespace vek
