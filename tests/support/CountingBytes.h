#pragma once
// A file's bytes that tell their own offset: byte i is i modulo 256.

#include <cstdint>
#include <numeric>
#include <vector>

namespace vek::test {

inline std::vector<std::uint8_t> CountingBytes(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
  return bytes;
}

} // namespace vek::test
