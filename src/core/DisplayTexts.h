#pragma once
// The view's texts that depend on the display radix.

#include <cstdint>
#include <string>

#include "core/PageGeometry.h"

namespace vek {

std::string FormatStartPos(Offset start, bool hexMode);  // "%lX" / "%ld"
std::string FormatFileSize(Offset size, bool hexMode);   // "0x%lX\r\nBytes" / "%ld\r\nBytes"
std::string FormatPositionLine(Offset offset, std::uint8_t value, bool hexMode); // "Byte %lX = %X" / "Byte %ld = %d"

} // namespace vek
