#pragma once
// The view's texts that depend on the display radix.

#include <cstdint>
#include <string>

#include "core/ByteRange.h"
#include "core/PageGeometry.h"

namespace vek {

std::string FormatStartPos(Offset start, bool hexMode);  // "%lX" / "%ld"
std::string FormatFileSize(Offset size, bool hexMode);   // "0x%lX\r\nBytes" / "%ld\r\nBytes"
std::string FormatPositionLine(Offset offset, std::uint8_t value, bool hexMode); // "Byte %lX = %X" / "Byte %ld = %d"
// A range of bytes instead of one: "413-420 (8 bytes)" / "19D-1A4 (0x8 bytes)".
std::string FormatRangeLine(const ByteRange& range, bool hexMode);

} // namespace vek
