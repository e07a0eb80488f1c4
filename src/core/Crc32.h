#pragma once
// CRC-32 as zlib and PNG compute it: what tells a damaged journal line from a record.

#include <cstdint>
#include <string_view>

namespace vek {

std::uint32_t Crc32(std::string_view bytes);

} // namespace vek
