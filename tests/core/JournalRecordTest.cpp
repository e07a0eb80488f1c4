// The journal's lines: every record reads back as itself, and nothing else reads as a record.

#include "core/JournalRecord.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <limits>

#include "core/Crc32.h"

namespace vek {
namespace {

TEST(Crc32, GivesTheCheckValuesOfTheStandard) {
  EXPECT_EQ(Crc32(""), 0u);
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  EXPECT_EQ(Crc32("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
}

JournalRecord Sample() {
  return JournalRecord{JournalKind::Edit, 1717000000, "/home/me/data.bin", {2049, 131077}, {500, 0x07, 0x41}};
}

TEST(JournalRecord, EveryRecordReadsBackAsItself) {
  constexpr auto kMaxOffset = std::numeric_limits<Offset>::max();
  constexpr auto kMaxId = std::numeric_limits<unsigned long long>::max();
  std::vector<JournalRecord> records;
  for (const JournalKind kind : {JournalKind::Edit, JournalKind::Undo, JournalKind::Redo}) {
    JournalRecord r = Sample();
    r.kind = kind;
    records.push_back(r);
  }
  const std::string paths[] = {"/a", "/tmp/with blank and\ttab", "/tmp/line\nbreak", "/tmp/caf\xE9\xFF.bin",
                               "/" + std::string(4000, 'x')};
  for (const std::string& path : paths) {
    JournalRecord r = Sample();
    r.path = path;
    records.push_back(r);
  }
  records.push_back({JournalKind::Undo, -5, "/x", {0, 0}, {0, 0x00, 0xFF}});
  records.push_back({JournalKind::Redo, std::numeric_limits<std::int64_t>::max(), "/x", {kMaxId, kMaxId},
                     {kMaxOffset, 0xFF, 0x00}});

  for (const JournalRecord& record : records) {
    const std::string line = EncodeRecord(record);
    SCOPED_TRACE(line);
    ASSERT_FALSE(line.empty());
    EXPECT_EQ(line.back(), '\n');
    EXPECT_EQ(line.find('\n'), line.size() - 1) << "one line, whatever the path holds";
    EXPECT_EQ(DecodeRecord(std::string_view(line).substr(0, line.size() - 1)), record);
  }
}

TEST(JournalRecord, ALineCutShortOrWithAnyByteChangedIsNotARecord) {
  const std::string full = EncodeRecord(Sample());
  const std::string line = full.substr(0, full.size() - 1);
  ASSERT_TRUE(DecodeRecord(line).has_value());
  for (std::size_t length = 0; length < line.size(); ++length) {
    EXPECT_EQ(DecodeRecord(line.substr(0, length)), std::nullopt) << length;
  }
  for (std::size_t at = 0; at < line.size(); ++at) {
    std::string damaged = line;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x01);
    EXPECT_EQ(DecodeRecord(damaged), std::nullopt) << at;
  }
  EXPECT_EQ(DecodeRecord(line + " "), std::nullopt);
  EXPECT_EQ(DecodeRecord(line + line), std::nullopt);
}

// Lines whose checksum holds but whose fields do not: only a program of its own writes those.
TEST(JournalRecord, FieldsThatEncodeRecordNeverWritesAreRefusedEvenWithTheirChecksum) {
  const auto sealed = [](const std::string& body) {
    char checksum[16];
    std::snprintf(checksum, sizeof checksum, " %08" PRIX32, Crc32(body));
    return body + checksum;
  };
  const std::string good = "vek1 W 1717000000 2049 131077 500 07 41 2F61";
  ASSERT_TRUE(DecodeRecord(sealed(good)).has_value());
  const char* bodies[] = {
      "vek2 W 1717000000 2049 131077 500 07 41 2F61",    // another form
      "vek1 X 1717000000 2049 131077 500 07 41 2F61",    // no such kind
      "vek1 W 1717000000 2049 131077 -5 07 41 2F61",     // a negative offset
      "vek1 W 1717000000 2049 131077 5x 07 41 2F61",     // not a number
      "vek1 W 1717000000 -1 131077 500 07 41 2F61",      // a negative device
      "vek1 W 1717000000 2049 131077 500 7 41 2F61",     // a byte of one digit
      "vek1 W 1717000000 2049 131077 500 107 41 2F61",   // a byte of three
      "vek1 W 1717000000 2049 131077 500 07 4G 2F61",    // not hex
      "vek1 W 1717000000 2049 131077 500 07 41 2F6",     // half a path byte
      "vek1 W 1717000000 2049 131077 500 07 41 2F0061",  // a NUL in the path
      "vek1 W 1717000000 2049 131077 500 07 41 ",        // no path
      "vek1 W 1717000000 2049 131077 500 07 41",         // a field missing
      "vek1 W 1717000000 2049 131077 500 07 41 2F61 2F", // a field too many
      "vek1  W 1717000000 2049 131077 500 07 41 2F61",   // two blanks
      "vek1 W 99999999999999999999 2049 131077 500 07 41 2F61", // a time beyond 64 bits
  };
  for (const char* body : bodies) EXPECT_EQ(DecodeRecord(sealed(body)), std::nullopt) << body;
  for (const char* foreign : {"", "hello", "# vek journal", "vek1"}) EXPECT_EQ(DecodeRecord(foreign), std::nullopt);
}

} // namespace
} // namespace vek
