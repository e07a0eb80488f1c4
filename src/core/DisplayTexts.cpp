#include "core/DisplayTexts.h"

#include <cinttypes>
#include <cstdio>

namespace vek {

namespace {

// Hex texts show the offset's bit pattern, as the 64-bit "%lX" does.
std::uint64_t Bits(Offset value) {
  return static_cast<std::uint64_t>(value);
}

} // namespace

std::string FormatStartPos(Offset start, bool hexMode) {
  char text[32];
  if (hexMode) {
    std::snprintf(text, sizeof text, "%" PRIX64, Bits(start));
  } else {
    std::snprintf(text, sizeof text, "%" PRId64, start);
  }
  return text;
}

std::string FormatFileSize(Offset size, bool hexMode) {
  char text[48];
  if (hexMode) {
    std::snprintf(text, sizeof text, "0x%" PRIX64 "\r\nBytes", Bits(size));
  } else {
    std::snprintf(text, sizeof text, "%" PRId64 "\r\nBytes", size);
  }
  return text;
}

std::string FormatPositionLine(Offset offset, std::uint8_t value, bool hexMode) {
  char text[64];
  if (hexMode) {
    std::snprintf(text, sizeof text, "Byte %" PRIX64 " = %X", Bits(offset), static_cast<unsigned>(value));
  } else {
    std::snprintf(text, sizeof text, "Byte %" PRId64 " = %u", offset, static_cast<unsigned>(value));
  }
  return text;
}

std::string FormatRangeLine(const ByteRange& range, bool hexMode) {
  const Offset count = range.Count();
  return FormatStartPos(range.first, hexMode) + "-" + FormatStartPos(range.last, hexMode) + " (" +
         OffsetText(count, hexMode) + (count == 1 ? " byte)" : " bytes)");
}

std::string OffsetText(Offset offset, bool hexMode) {
  const char* sign = offset < 0 ? "-" : "";
  // The magnitude of the most negative offset does not fit an Offset; it does an unsigned one.
  const std::uint64_t magnitude = offset < 0 ? 0 - Bits(offset) : Bits(offset);
  char text[32];
  std::snprintf(text, sizeof text, hexMode ? "%s0x%" PRIX64 : "%s%" PRIu64, sign, magnitude);
  return text;
}

} // namespace vek
