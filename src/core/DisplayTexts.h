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

// An offset in our own texts (the tools, their messages): "413" or, in hex, "0x19D", so that a hex
// number never reads as a decimal one; a negative offset has a minus sign ("-0x57").
std::string OffsetText(Offset offset, bool hexMode);

} // namespace vek
