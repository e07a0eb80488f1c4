// The journal over a store: records kept and read back in order, damaged lines skipped with a
// warning, a store that cannot keep a record said once; and where the journal lives.

#include "core/Journal.h"

#include <gtest/gtest.h>

#include "MemoryJournalStore.h"
#include "core/JournalLocation.h"

namespace vek {
namespace {

JournalRecord At(Offset offset) { return JournalRecord{JournalKind::Edit, 1717000000, "/f", {1, 2}, {offset, 1, 2}}; }

TEST(Journal, ReadsBackWhatItRecordedInOrder) {
  test::MemoryJournalStore store;
  Journal journal(store);
  for (const Offset at : {3, 1, 2}) EXPECT_EQ(journal.Record(At(at)), std::nullopt);
  const JournalReading reading = Journal(store).Read(); // as a later run reads it
  EXPECT_EQ(reading.records, (std::vector<JournalRecord>{At(3), At(1), At(2)}));
  EXPECT_TRUE(reading.warnings.empty());
}

TEST(Journal, SkipsLinesThatAreNotRecordsWithOneWarningNamingTheJournalAndTheFirstLine) {
  struct Case {
    std::string bytes;
    std::vector<Offset> records;
    const char* warning; // empty: none
  };
  const std::string a = EncodeRecord(At(1));
  const std::string b = EncodeRecord(At(2));
  const std::string cut = b.substr(0, b.size() / 2);
  const Case cases[] = {
      {a + b, {1, 2}, ""},
      {a + "\n\n" + b, {1, 2}, ""}, // empty lines say nothing
      {a + cut, {1}, "memory journal: 1 line is not a record of vek (damaged, or written by another program) and was "
                     "skipped, the first at line 2"},
      {cut + "\n" + a + "foreign text\n" + b, {1, 2}, "memory journal: 2 lines are not a record of vek (damaged, or "
                                                    "written by another program) and were skipped, the first at line 1"},
      {std::string(1000, '\xFF') + "\n" + a, {1}, "the first at line 1"},
  };
  for (const Case& c : cases) {
    test::MemoryJournalStore store;
    store.bytes = c.bytes;
    const JournalReading reading = Journal(store).Read();
    std::vector<Offset> offsets;
    for (const JournalRecord& r : reading.records) offsets.push_back(r.edit.offset);
    EXPECT_EQ(offsets, c.records) << c.bytes;
    if (std::string(c.warning).empty()) {
      EXPECT_TRUE(reading.warnings.empty());
    } else {
      ASSERT_EQ(reading.warnings.size(), 1u);
      EXPECT_NE(reading.warnings[0].find(c.warning), std::string::npos) << reading.warnings[0];
    }
  }
}

TEST(Journal, ARecordThatCannotBeKeptIsSaidOnceUntilTheJournalWorksAgain) {
  test::MemoryJournalStore store;
  Journal journal(store);
  store.failure = "/home/me/.local/state/vek/journal: No space left on device";
  const std::optional<Message> first = journal.Record(At(1));
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->icon, MessageIcon::Exclamation);
  EXPECT_NE(first->text.find(*store.failure), std::string::npos) << first->text;
  EXPECT_NE(first->text.find("cannot be undone"), std::string::npos) << first->text;
  EXPECT_EQ(journal.Record(At(2)), std::nullopt);
  EXPECT_EQ(journal.Record(At(3)), std::nullopt);
  EXPECT_EQ(store.appends, 3) << "every record is still tried";

  store.failure.reset();
  EXPECT_EQ(journal.Record(At(4)), std::nullopt);
  store.failure = "full again";
  EXPECT_TRUE(journal.Record(At(5)).has_value());
  EXPECT_EQ(Journal(store).Read().records, std::vector<JournalRecord>{At(4)});
}

TEST(JournalLocation, IsTheStateDirectoryOfXdgOrTheOneBelowHome) {
  struct Case {
    const char* xdg;
    const char* home;
    std::optional<std::string> directory;
  };
  const Case cases[] = {
      {"/x/state", "/home/me", "/x/state/vek"},
      {"/x/state/", "/home/me", "/x/state/vek"},
      {nullptr, "/home/me", "/home/me/.local/state/vek"},
      {"", "/home/me/", "/home/me/.local/state/vek"},
      {"relative/state", "/home/me", "/home/me/.local/state/vek"}, // XDG: a relative path is ignored
      {nullptr, nullptr, std::nullopt},
      {"", "", std::nullopt},
      {"state", "home", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(JournalDirectory(c.xdg, c.home), c.directory) << (c.xdg ? c.xdg : "(unset)") << " "
                                                            << (c.home ? c.home : "(unset)");
  }
}

} // namespace
} // namespace vek
