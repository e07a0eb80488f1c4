#include "core/ValueTable.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/FileNameText.h"
#include "core/HexDigits.h"
#include "core/UtcTimeText.h"

namespace vek {

namespace {

enum class Reading { Hex, Binary, Signed, Unsigned, Float, Utf8, UnixTime };

struct RowKind {
  std::string_view name;
  Reading reading;
  std::size_t width; // bytes the value takes
  bool bigEndian;
};

constexpr std::array<RowKind, kValueRowCount> kRows = {{
    {"Hex", Reading::Hex, 1, false},
    {"Binary", Reading::Binary, 1, false},
    {"int8", Reading::Signed, 1, false},
    {"uint8", Reading::Unsigned, 1, false},
    {"int16 LE", Reading::Signed, 2, false},
    {"int16 BE", Reading::Signed, 2, true},
    {"uint16 LE", Reading::Unsigned, 2, false},
    {"uint16 BE", Reading::Unsigned, 2, true},
    {"int32 LE", Reading::Signed, 4, false},
    {"int32 BE", Reading::Signed, 4, true},
    {"uint32 LE", Reading::Unsigned, 4, false},
    {"uint32 BE", Reading::Unsigned, 4, true},
    {"int64 LE", Reading::Signed, 8, false},
    {"int64 BE", Reading::Signed, 8, true},
    {"uint64 LE", Reading::Unsigned, 8, false},
    {"uint64 BE", Reading::Unsigned, 8, true},
    {"float32 LE", Reading::Float, 4, false},
    {"float32 BE", Reading::Float, 4, true},
    {"float64 LE", Reading::Float, 8, false},
    {"float64 BE", Reading::Float, 8, true},
    // A character takes one to four bytes; the sequence itself says how many.
    {"UTF-8", Reading::Utf8, 1, false},
    {"Unix time 32 LE", Reading::UnixTime, 4, false},
    {"Unix time 32 BE", Reading::UnixTime, 4, true},
    {"Unix time 64 LE", Reading::UnixTime, 8, false},
    {"Unix time 64 BE", Reading::UnixTime, 8, true},
}};

constexpr std::array<std::string_view, kValueRowCount> kRowNames = [] {
  std::array<std::string_view, kValueRowCount> names{};
  for (std::size_t i = 0; i < kRows.size(); ++i) names[i] = kRows[i].name;
  return names;
}();

constexpr std::size_t kMaxUtf8Length = 4;

std::uint64_t Unsigned(std::span<const std::uint8_t> bytes, std::size_t width, bool bigEndian) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < width; ++i) value = value << 8 | bytes[bigEndian ? i : width - 1 - i];
  return value;
}

std::int64_t Signed(std::uint64_t value, std::size_t width) {
  const int unused = static_cast<int>(64 - 8 * width);
  return static_cast<std::int64_t>(value << unused) >> unused;
}

template <typename Float> std::string FloatText(Float value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
  char text[32];
  const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
  return {text, end.ptr};
}

std::string FloatText(std::uint64_t bits, std::size_t width) {
  if (width == sizeof(float)) return FloatText(std::bit_cast<float>(static_cast<std::uint32_t>(bits)));
  return FloatText(std::bit_cast<double>(bits));
}

std::string BinaryText(std::uint8_t byte) {
  std::string text(8, '0');
  for (int bit = 0; bit < 8; ++bit) {
    if (byte & (0x80 >> bit)) text[static_cast<std::size_t>(bit)] = '1';
  }
  return text;
}

std::string CodePointText(char32_t codePoint) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(codePoint));
  return text;
}

// Whether some bytes after the end of `bytes` would make them a well-formed sequence. The first
// byte after a lead byte has the narrowest range (A0-BF after E0, 80-9F after ED, 90-BF after F0,
// 80-8F after F4); one of 80, 90 and A0 lies in each, and 80 suits every later position.
bool CutShort(std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t second : {0x80, 0x90, 0xA0}) {
    std::string completed(bytes.begin(), bytes.end());
    if (completed.size() == 1) completed += static_cast<char>(second);
    completed.resize(kMaxUtf8Length, static_cast<char>(0x80));
    const std::size_t length = Utf8SequenceLength(completed);
    if (length > bytes.size()) return true;
  }
  return false;
}

std::string CharacterText(std::span<const std::uint8_t> bytes) {
  const std::span<const std::uint8_t> head = bytes.first(std::min(bytes.size(), kMaxUtf8Length));
  const std::string_view sequence(reinterpret_cast<const char*>(head.data()), head.size());
  const std::size_t length = Utf8SequenceLength(sequence);
  if (length == 0) return std::string(CutShort(head) ? kUnavailable : kInvalidCharacter);
  // The lead byte keeps 7, 5, 4 or 3 bits of the code point, each continuation byte 6.
  static constexpr std::uint8_t kLeadBits[] = {0, 0x7F, 0x1F, 0x0F, 0x07};
  char32_t codePoint = head[0] & kLeadBits[length];
  for (std::size_t i = 1; i < length; ++i) codePoint = codePoint << 6 | (head[i] & 0x3F);
  if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F)) return CodePointText(codePoint) + " (control)";
  if (codePoint == 0xFEFF) return CodePointText(codePoint) + " (byte order mark)";
  std::string text = "\"";
  text += sequence.substr(0, length);
  text += "\" ";
  text += CodePointText(codePoint);
  return text;
}

std::string ValueText(const RowKind& row, std::span<const std::uint8_t> bytes) {
  if (bytes.size() < row.width) return std::string(kUnavailable);
  const std::uint64_t value = Unsigned(bytes, row.width, row.bigEndian);
  switch (row.reading) {
    case Reading::Hex: {
      std::string text;
      AppendHexPair(text, bytes[0]);
      return text;
    }
    case Reading::Binary: return BinaryText(bytes[0]);
    case Reading::Signed: return std::to_string(Signed(value, row.width));
    case Reading::Unsigned: return std::to_string(value);
    case Reading::Float: return FloatText(value, row.width);
    case Reading::Utf8: return CharacterText(bytes);
    case Reading::UnixTime: return UtcTimeText(Signed(value, row.width));
  }
  return {};
}

} // namespace

const std::array<std::string_view, kValueRowCount>& ValueRowNames() { return kRowNames; }

ValueRows ValuesOf(std::span<const std::uint8_t> bytes) {
  const std::span<const std::uint8_t> inspected = bytes.first(std::min(bytes.size(), kValueBytes));
  ValueRows rows;
  for (std::size_t i = 0; i < kRows.size(); ++i) rows[i] = {kRows[i].name, ValueText(kRows[i], inspected)};
  return rows;
}

} // namespace vek
