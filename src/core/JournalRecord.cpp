#include "core/JournalRecord.h"

#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "core/Crc32.h"
#include "core/HexDigits.h"

namespace vek {

namespace {

// The first field of every line: which program wrote it, and in which form.
constexpr std::string_view kRecordTag = "vek1";
constexpr std::size_t kFields = 10; // tag kind time device inode offset before after path checksum
constexpr std::size_t kChecksumDigits = 8;
constexpr int kHex = 16;

char KindLetter(JournalKind kind) {
  switch (kind) {
    case JournalKind::Edit: return 'W';
    case JournalKind::Undo: return 'U';
    case JournalKind::Redo: return 'R';
  }
  return '?';
}

std::optional<JournalKind> KindOf(std::string_view field) {
  if (field == "W") return JournalKind::Edit;
  if (field == "U") return JournalKind::Undo;
  if (field == "R") return JournalKind::Redo;
  return std::nullopt;
}

std::string HexBytes(std::string_view bytes) {
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (const char c : bytes) AppendHexPair(hex, static_cast<std::uint8_t>(c));
  return hex;
}

// The whole field as a number of the type and base, nothing before or after it.
template <typename T> std::optional<T> Number(std::string_view field, int base) {
  T value{};
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value, base);
  if (field.empty() || error != std::errc() || end != field.data() + field.size()) return std::nullopt;
  return value;
}

std::optional<std::uint8_t> ByteField(std::string_view field) {
  if (field.size() != 2) return std::nullopt;
  return Number<std::uint8_t>(field, kHex);
}

// A path's bytes: pairs of hex digits, at least one, none of them NUL (no name holds one).
std::optional<std::string> PathField(std::string_view field) {
  if (field.empty() || field.size() % 2 != 0) return std::nullopt;
  std::string path;
  path.reserve(field.size() / 2);
  for (std::size_t i = 0; i < field.size(); i += 2) {
    const std::optional<std::uint8_t> byte = ByteField(field.substr(i, 2));
    if (!byte || *byte == 0) return std::nullopt;
    path += static_cast<char>(*byte);
  }
  return path;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t start = 0;;) {
    const std::size_t blank = line.find(' ', start);
    fields.push_back(line.substr(start, blank - start));
    if (blank == std::string_view::npos || fields.size() > kFields) break;
    start = blank + 1;
  }
  return fields;
}

} // namespace

std::string RecordedPath(const std::string& path) {
  std::error_code failed;
  std::filesystem::path absolute = std::filesystem::weakly_canonical(path, failed);
  if (failed) absolute = std::filesystem::absolute(path, failed);
  return failed ? path : absolute.string();
}

std::string EncodeRecord(const JournalRecord& record) {
  char numbers[160];
  std::snprintf(numbers, sizeof numbers, " %c %" PRId64 " %llu %llu %" PRId64 " %02X %02X ", KindLetter(record.kind),
                record.time, record.identity.device, record.identity.inode, record.edit.offset,
                static_cast<unsigned>(record.edit.before), static_cast<unsigned>(record.edit.after));
  std::string line(kRecordTag);
  line += numbers;
  line += HexBytes(record.path);
  char checksum[kChecksumDigits + 3];
  std::snprintf(checksum, sizeof checksum, " %08" PRIX32 "\n", Crc32(line));
  return line + checksum;
}

std::optional<JournalRecord> DecodeRecord(std::string_view line) {
  const std::size_t lastBlank = line.rfind(' ');
  if (lastBlank == std::string_view::npos || line.size() - lastBlank - 1 != kChecksumDigits) return std::nullopt;
  const std::optional<std::uint32_t> checksum = Number<std::uint32_t>(line.substr(lastBlank + 1), kHex);
  if (!checksum || *checksum != Crc32(line.substr(0, lastBlank))) return std::nullopt;

  const std::vector<std::string_view> f = Fields(line);
  if (f.size() != kFields || f[0] != kRecordTag) return std::nullopt;
  const std::optional<JournalKind> kind = KindOf(f[1]);
  const auto time = Number<std::int64_t>(f[2], 10);
  const auto device = Number<unsigned long long>(f[3], 10);
  const auto inode = Number<unsigned long long>(f[4], 10);
  const auto offset = Number<Offset>(f[5], 10);
  const auto before = ByteField(f[6]);
  const auto after = ByteField(f[7]);
  std::optional<std::string> path = PathField(f[8]);
  if (!kind || !time || !device || !inode || !offset || *offset < 0 || !before || !after || !path) return std::nullopt;
  return JournalRecord{*kind, *time, std::move(*path), {*device, *inode}, {*offset, *before, *after}};
}

} // namespace vek
