// The session of one file over real files and a file system that fails on request: what each
// operation reads, shows, writes and says. Carrying out an outcome as the window does is the
// fixture's Apply: the message first, then the page it asks to read.
#include "core/FileSession.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "FaultyFileSystem.h"
#include "SearchReference.h"
#include "Strings.h"
#include "TempDir.h"
#include "core/ByteScan.h"
#include "core/PatternParse.h"

namespace vek::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Counting(std::size_t size) {
  Bytes bytes(size);
  std::iota(bytes.begin(), bytes.end(), std::uint8_t{0});
  return bytes;
}

Bytes Text(std::string_view text) { return {text.begin(), text.end()}; }

class FileSessionTest : public ::testing::Test {
 public:
  void Load(const Bytes& bytes) {
    path = dir.Write("f.bin", bytes);
    Apply(session.LoadFile(files, path));
  }
  void Apply(const Outcome& outcome) {
    if (outcome.message) messages.push_back(outcome.message->text);
    if (outcome.thenShow) Apply(session.ShowPage(files, *outcome.thenShow));
  }
  void Show(const PageState& wanted) { Apply(session.ShowPage(files, wanted)); }
  void Find(std::string_view text) {
    if (session.TakePattern(ParsePattern(text, PatternMode::Ascii).pattern)) Search(SearchKind::Find);
  }
  void Next() { Search(SearchKind::Next); }
  void Previous() { Search(SearchKind::Previous); }
  void Search(SearchKind kind) {
    const PreparedSearch search = session.PrepareSearch(files, kind);
    if (!search.file) return Apply(search.stop);
    Apply(session.FinishSearch(kind, RunPreparedSearch(search, session.SearchPattern().Bytes())));
  }
  std::string FirstOffsetLine() const { return session.Text().offsetLines.empty() ? "" : session.Text().offsetLines[0]; }

  TempDir dir;
  FaultyFileSystem files;
  FileSession session;
  std::string path;
  std::vector<std::string> messages;
};

TEST_F(FileSessionTest, APageReadShowsTheBytesReadAndReadsTheStartFieldBack) {
  Load(Counting(1050));
  ASSERT_TRUE(messages.empty());
  EXPECT_EQ(session.Text().hexLines.size(), 10u);
  EXPECT_EQ(session.Text().hexLines[1], "1415 1617 1819 1A1B 1C1D 1E1F 2021 2223 2425 2627 ");
  // After every read the Start field shows the page start, and reading it back asks for a page.
  EXPECT_EQ(session.Page().end, 200);

  session.TypedStart("800");
  Show(session.Page().Next());
  EXPECT_EQ(session.Page().start, 1000);
  EXPECT_EQ(session.Page().end, 1200);
  ASSERT_EQ(session.Text().hexLines.size(), 3u);
  EXPECT_EQ(session.Text().hexLines[2], "1011 1213 1415 1617 1819 "); // 1040..1049
  EXPECT_EQ(session.PageBytes().size(), 50u);

  // A typed start changes the window, not the page on screen, until a command reads it.
  session.TypedStart("300");
  EXPECT_EQ(session.Page().start, 300);
  EXPECT_EQ(FirstOffsetLine(), "   1000");
  const Outcome read = session.RefreshPage(files);
  EXPECT_EQ(read.shown.text, Shown::Area::Columns);
  EXPECT_TRUE(read.shown.fileSize && read.shown.title && read.shown.startPos);
  EXPECT_EQ(FirstOffsetLine(), "    300");
  EXPECT_TRUE(messages.empty());
}

TEST_F(FileSessionTest, AFailedReadSaysSoAndKeepsThePageOnScreenWhileTheWindowMoves) {
  const struct {
    const char* name;
    std::function<void(FaultyFileSystem&, const std::string&)> fail;
    const char* message;
  } faults[] = {
      {"open", [](FaultyFileSystem& f, const std::string&) { f.plan.openForRead = FileError::AccessDenied; }, strings::kFileNotOpened},
      {"length", [](FaultyFileSystem& f, const std::string&) { f.plan.failLength = true; }, strings::kFileNotOpened},
      {"seek", [](FaultyFileSystem& f, const std::string&) { f.plan.failSeek = true; }, strings::kSeekError},
      {"read", [](FaultyFileSystem& f, const std::string&) { f.plan.failRead = true; }, strings::kReadError},
      {"short read", [](FaultyFileSystem& f, const std::string&) { f.plan.shortRead = 7; }, strings::kReadError},
      {"removed", [](FaultyFileSystem&, const std::string& p) { std::filesystem::remove(p); }, strings::kFileNotOpened},
  };
  for (const auto& fault : faults) {
    SCOPED_TRACE(fault.name);
    Load(Counting(1050));
    Show(session.Page().Next());
    const PageText shown = session.Text();
    const Bytes bytes(session.PageBytes().begin(), session.PageBytes().end());
    fault.fail(files, path);
    const Outcome failed = session.ShowPage(files, session.Page().Next());
    ASSERT_TRUE(failed.message);
    EXPECT_EQ(failed.message->text, fault.message);
    EXPECT_EQ(failed.message->icon, MessageIcon::Warning);
    EXPECT_EQ(failed.shown.text, Shown::Area::None);
    EXPECT_FALSE(failed.shown.startPos);
    EXPECT_EQ(session.Text(), shown);
    EXPECT_EQ(Bytes(session.PageBytes().begin(), session.PageBytes().end()), bytes);
    EXPECT_EQ(session.Page().readStart, 200);
    // Once the file reads again, the next command goes on from the window that failed.
    files.plan = {};
    Load(Counting(1050));
    Show(session.Page().At(400));
    EXPECT_EQ(FirstOffsetLine(), "    400");
    EXPECT_TRUE(messages.empty());
  }
}

TEST_F(FileSessionTest, AnotherFileShowsItsFirstPageAndOneThatFailsToLoadShowsNothing) {
  Load(Counting(1050));
  Apply(session.ToggleRadix(true));
  Show(session.Page().At(400));
  Apply(session.Select(13));
  const std::string other = dir.Write("other.bin", Text("Hello"));
  const Outcome loaded = session.LoadFile(files, other);
  EXPECT_EQ(loaded.shown.text, Shown::Area::View);
  EXPECT_EQ(session.Path(), other);
  EXPECT_EQ(session.Page().start, 0);
  EXPECT_EQ(session.Text().hexLines, std::vector<std::string>{"4865 6C6C 6F"});
  EXPECT_TRUE(session.HexMode()) << "the radix stays";
  EXPECT_EQ(session.SelIndex(), 13) << "the selected index stays, past the bytes of this page";
  EXPECT_FALSE(session.PositionLine());

  const Outcome failed = session.LoadFile(files, dir.Path() + "/missing.bin");
  ASSERT_TRUE(failed.message);
  EXPECT_EQ(failed.message->text, strings::kFileNotOpened);
  EXPECT_EQ(failed.shown.text, Shown::Area::Columns) << "the former file's page is taken off the screen";
  EXPECT_EQ(session.Path(), dir.Path() + "/missing.bin") << "the window keeps the new name";
  EXPECT_TRUE(session.Text().hexLines.empty());
  EXPECT_FALSE(session.Page().HoldsByte(0)) << "nothing to click or edit";
  Apply(session.ToggleRadix(false));
  EXPECT_TRUE(session.Text().offsetLines.empty()) << "the other radix shows no page either";

  // A session that was never given a file cannot read until one is loaded.
  FileSession unnamed;
  EXPECT_EQ(unnamed.RefreshPage(files).message, Message{strings::kFileNotOpened});
}

TEST_F(FileSessionTest, EveryReadMeasuresTheFileAgain) {
  Load(Counting(700));
  Show(session.Page().Last());
  ASSERT_EQ(session.Page().start, 500);
  dir.Write("f.bin", Counting(300));
  Apply(session.RefreshPage(files));
  EXPECT_EQ(session.Page().fileSize, 300);
  EXPECT_EQ(session.Page().start, 100) << "a start past the new end shows the last 200 bytes";
  dir.Write("f.bin", Counting(1000));
  Show(session.Page().Next());
  EXPECT_EQ(session.Page().fileSize, 1000);
  EXPECT_EQ(session.Page().start, 300);
  EXPECT_TRUE(messages.empty());
}

TEST_F(FileSessionTest, ThePositionLineNamesTheSelectedByteAtTheWindowsStart) {
  Load(Counting(1050));
  Show(session.Page().At(400));
  const struct {
    int index;
    const char* typedStart; // typed into the Start field and not applied
    bool hex;
    std::optional<std::string> line;
  } cases[] = {
      {13, nullptr, false, "Byte 413 = 157"},
      {13, nullptr, true, "Byte 19D = 9D"},
      {0, nullptr, false, "Byte 400 = 144"},
      {5, "700", false, "Byte 705 = 149"}, // the typed start with the byte on screen
      {5, "9223372036854775807", false, "Byte 9223372036854775807 = 149"}, // held at the largest offset
  };
  for (const auto& c : cases) {
    Show(session.Page().At(400));
    if (session.HexMode() != c.hex) Apply(session.ToggleRadix(c.hex));
    Apply(session.Select(c.index));
    if (c.typedStart != nullptr) session.TypedStart(c.typedStart);
    EXPECT_EQ(session.PositionLine(), c.line) << c.index;
  }
  // On a shorter page the selection names no byte until a byte is selected there.
  Apply(session.ToggleRadix(false));
  Apply(session.Select(150));
  Show(session.Page().Last());
  EXPECT_EQ(session.PositionLine(), "Byte 1000 = 232");
  Load(Text("Hello"));
  EXPECT_FALSE(session.PositionLine());
}

TEST_F(FileSessionTest, TheRadixToggleBuildsTheOffsetsAgainAndReadsTheStartBack) {
  Load(Counting(1050));
  session.TypedStart("300");
  const Outcome toggled = session.ToggleRadix(true);
  EXPECT_EQ(toggled.shown.text, Shown::Area::OffsetColumn);
  EXPECT_TRUE(toggled.shown.positionLine && toggled.shown.fileSize && toggled.shown.startPos);
  EXPECT_FALSE(toggled.shown.title);
  EXPECT_EQ(FirstOffsetLine(), "      0") << "the page on screen, offsets in hex";
  EXPECT_EQ(session.Text().offsetLines[1], "     14");
  EXPECT_EQ(session.Page().start, 300) << "the field shows 12C and reads back as 300";
  Apply(session.RefreshPage(files));
  EXPECT_EQ(FirstOffsetLine(), "    12C");
}

TEST_F(FileSessionTest, KeyMovesTurnThePageAndSelectTheByteThere) {
  Load(Counting(1050));
  Show(session.Page().At(200));
  Outcome moved = session.MoveSelection(files, ByteMove::Left);
  EXPECT_EQ(session.Page().start, 0) << "the page turned back";
  EXPECT_EQ(session.SelIndex(), 199);
  EXPECT_TRUE(moved.shown.selection && moved.shown.positionLine);
  EXPECT_EQ(moved.shown.text, Shown::Area::Columns);
  moved = session.MoveSelection(files, ByteMove::Down);
  EXPECT_EQ(session.Page().start, 200);
  EXPECT_EQ(session.SelIndex(), 19);
  // A turn that cannot be read leaves the selection where it was.
  files.plan.failRead = true;
  Apply(session.MoveSelection(files, ByteMove::Up));
  EXPECT_EQ(messages, std::vector<std::string>{strings::kReadError});
  EXPECT_EQ(session.SelIndex(), 19);
  files.plan = {};
  // Nothing before the first byte, nor on an empty file.
  Show(session.Page().First());
  Apply(session.Select(0));
  EXPECT_FALSE(session.MoveSelection(files, ByteMove::Left).shown.selection);
  Load({});
  EXPECT_FALSE(session.MoveSelection(files, ByteMove::Right).shown.selection);
}

TEST_F(FileSessionTest, GoToShowsThePageThatHoldsTheOffsetAndSelectsTheByte) {
  Load(Counting(1050));
  const struct {
    Offset offset;
    Offset pageStart;
  } cases[] = {{0, 0}, {413, 400}, {1049, 1040}, {1000, 1000}, {819, 800}, {-5, 0}}; // as a typed line start shows them
  for (const auto& c : cases) {
    const Outcome went = session.GoTo(files, c.offset);
    EXPECT_FALSE(went.message);
    EXPECT_TRUE(went.shown.selection && went.shown.positionLine);
    EXPECT_EQ(session.Page().start, c.pageStart) << c.offset;
    EXPECT_EQ(session.SelectedOffset(), std::max<Offset>(c.offset, 0)) << c.offset;
  }
  Load({});
  EXPECT_FALSE(session.SelectedOffset());
}

TEST_F(FileSessionTest, GoToARangeShowsItsFirstByteAndSelectsAsMuchOfItAsTheFileHolds) {
  Load(Counting(1050));
  const struct {
    ByteRange range;
    Offset pageStart;
    ByteRange selection;
    std::string line;
  } cases[] = {
      {{413, 420}, 400, {413, 420}, "413-420 (8 bytes)"},
      {{5, 5}, 0, {5, 5}, "Byte 5 = 5"},
      {{395, 604}, 380, {395, 604}, "395-604 (210 bytes)"}, // beyond the page shown
      {{1045, 1060}, 1040, {1045, 1049}, "1045-1049 (5 bytes)"}, // the file has shrunk since
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const Outcome went = session.GoTo(files, c.range);
    EXPECT_FALSE(went.message);
    EXPECT_TRUE(went.shown.selection && went.shown.positionLine);
    EXPECT_EQ(session.Page().start, c.pageStart);
    EXPECT_EQ(session.SelectedOffset(), c.range.first);
    EXPECT_EQ(session.Selection(), c.selection);
    EXPECT_EQ(session.PositionLine(), c.line);
  }
  files.plan.failRead = true;
  const Outcome failed = session.GoTo(files, ByteRange{10, 20});
  files.plan = {};
  EXPECT_EQ(failed.message->text, strings::kReadError);
  EXPECT_EQ(session.Selection(), (ByteRange{1045, 1049})) << "a failed read selects nothing new";
}

TEST_F(FileSessionTest, ARangeReachesFromItsAnchorToTheSelectedByteAcrossPages) {
  Load(Counting(1050));
  Show(session.Page().At(200));
  const struct {
    const char* name;
    std::function<Outcome(FileSessionTest&)> step;
    ByteRange selection;
    std::string line;
  } steps[] = {
      {"one byte", [](FileSessionTest& t) { return t.session.Select(0); }, {200, 200}, "Byte 200 = 200"},
      {"shift+right", [](FileSessionTest& t) { return t.session.ExtendSelection(t.files, ByteMove::Right); }, {200, 201}, "200-201 (2 bytes)"},
      {"shift+down", [](FileSessionTest& t) { return t.session.ExtendSelection(t.files, ByteMove::Down); }, {200, 221}, "200-221 (22 bytes)"},
      {"back over the anchor", [](FileSessionTest& t) { return t.session.ExtendSelection(t.files, ByteMove::LineStart); }, {200, 220}, "200-220 (21 bytes)"},
      {"the page turns, the range stays",
       [](FileSessionTest& t) {
         t.session.ExtendSelection(t.files, ByteMove::Up);
         return t.session.ExtendSelection(t.files, ByteMove::Up);
       },
       {180, 200}, "180-200 (21 bytes)"},
      {"a drag on the page", [](FileSessionTest& t) { return t.session.ExtendSelectionTo(190); }, {190, 200}, "190-200 (11 bytes)"},
      {"in hex", [](FileSessionTest& t) { return t.session.ToggleRadix(true); }, {190, 200}, "BE-C8 (0xB bytes)"},
      {"a plain move ends it", [](FileSessionTest& t) { return t.session.MoveSelection(t.files, ByteMove::Right); }, {191, 191}, "Byte BF = BF"},
      {"a range again", [](FileSessionTest& t) { return t.session.ExtendSelection(t.files, ByteMove::Right); }, {191, 192}, "BF-C0 (0x2 bytes)"},
      {"a click ends it", [](FileSessionTest& t) { return t.session.Select(5); }, {5, 5}, "Byte 5 = 5"},
      {"a range again", [](FileSessionTest& t) { return t.session.ExtendSelectionTo(7); }, {5, 7}, "5-7 (0x3 bytes)"},
      {"a page command ends it", [](FileSessionTest& t) { return t.session.ShowPage(t.files, t.session.Page().Next()); }, {207, 207}, "Byte CF = CF"},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.name);
    Apply(step.step(*this));
    EXPECT_EQ(session.Selection(), step.selection);
    EXPECT_EQ(session.PositionLine(), step.line);
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(FileSessionTest, AQuietReloadFollowsTheFileMarksWhatChangedAndNeverSaysAnything) {
  Load(Counting(150));
  session.TypedStart("40"); // typed, not applied
  Bytes grown = Counting(177); // 27 bytes more, and one of the page changed
  grown[7] = 'X';
  dir.Write("f.bin", grown);
  Outcome reloaded = session.ReloadQuietly(files);
  EXPECT_FALSE(reloaded.message);
  EXPECT_TRUE(reloaded.shown.fileSize);
  EXPECT_FALSE(reloaded.shown.startPos) << "the typed start stays in the field";
  EXPECT_EQ(session.Page().start, 40) << "and stays the window the next command starts from";
  EXPECT_EQ(session.Page().readCount, 177) << "a whole page now that the file holds more";
  EXPECT_EQ(session.Page().fileSize, 177);
  for (const int index : {7, 150, 176}) EXPECT_TRUE(session.ChangedOutside(index)) << index;
  for (const int index : {6, 8, 149}) EXPECT_FALSE(session.ChangedOutside(index)) << index;

  // A reload that cannot read leaves the page as it was, out of date, and says nothing.
  files.plan.failRead = true;
  reloaded = session.ReloadQuietly(files);
  EXPECT_FALSE(reloaded.message);
  EXPECT_TRUE(session.OutOfDate());
  EXPECT_EQ(session.Page().readCount, 177);
  files.plan = {};
  // The next page command reads anew and ends the marks.
  Show(session.Page().First());
  EXPECT_FALSE(session.OutOfDate());
  EXPECT_FALSE(session.ChangedOutside(7));
  EXPECT_TRUE(messages.empty());
}

TEST_F(FileSessionTest, AnEditWritesOnlyItsByteWhereThePageOnScreenWasReadFrom) {
  const struct {
    const char* name;
    std::function<void(FileSessionTest&)> before; // after the page at 200 is shown
    Offset written;
  } cases[] = {
      {"the page shown", [](FileSessionTest&) {}, 210},
      {"a start typed but not applied", [](FileSessionTest& t) { t.session.TypedStart("600"); }, 210},
      {"after a read that failed",
       [](FileSessionTest& t) {
         t.files.plan.failRead = true;
         t.Show(t.session.Page().Next());
         t.files.plan = {};
       },
       210},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Load(Counting(1050));
    Show(session.Page().At(200));
    c.before(*this);
    messages.clear();
    // Another program changes a byte of the page shown: the edit must not set it back.
    Bytes expected = Counting(1050);
    expected[205] = 'Z';
    dir.Write("f.bin", expected);
    const std::uint8_t shown = session.ByteAt(10);
    EXPECT_EQ(session.SetByte(10, 0x41).shown.text, Shown::Area::Columns);
    EXPECT_EQ(session.Text().hexLines[0].substr(25, 2), "41") << "the new value shows at once";
    Apply(session.WriteByte(files, 10, shown));
    EXPECT_TRUE(messages.empty());
    expected[static_cast<std::size_t>(c.written)] = 0x41;
    EXPECT_EQ(ReadBytes(path), expected);
    EXPECT_EQ(files.counters.bytesWritten, 1u);
    EXPECT_EQ(files.counters.syncs, 1);
    files.counters = {};
  }
  // A page without bytes takes no edit.
  Load({});
  EXPECT_EQ(session.SetByte(0, 1).shown.text, Shown::Area::None);
  EXPECT_FALSE(session.WriteByte(files, 0, 0).message);
  EXPECT_EQ(files.counters.writeOpens, 0);
}

TEST_F(FileSessionTest, SearchesMakeTheMatchThePageStartOrSayWhyNot) {
  const std::string kTooShort = strings::kFileTooShort, kNotFound = strings::kNotFound;
  const std::string kNoMore = strings::kNoMoreOccurrences;
  Bytes boundary(1000, '-');
  for (const std::size_t at : {195u, 595u}) std::copy_n("0123456789", 10, boundary.begin() + static_cast<std::ptrdiff_t>(at));
  Bytes lastByte(700, 'a');
  lastByte[699] = 'Z';
  std::string longText;
  for (int i = 0; i < 250; ++i) longText += static_cast<char>('a' + (i * 7) % 26);
  Bytes longFile(1200, '#');
  std::copy(longText.begin(), longText.end(), longFile.begin() + 333);
  const struct {
    const char* name;
    Bytes file;
    std::string pattern;
    int nexts;                       // Next after Find, this many times
    std::vector<Offset> starts;      // the page start after Find and after each Next
    std::vector<std::string> messages;
  } cases[] = {
      {"an empty file", {}, "A", 1, {0, 0}, {kTooShort, kTooShort}},
      {"shorter than the pattern", Text("Hell"), "Hello", 0, {0}, {kTooShort}},
      {"the whole file", Text("Hello"), "Hello", 1, {0, 0}, {kNoMore}},
      {"overlapping occurrences", Text("AAAA"), "AA", 3, {0, 1, 2, 2}, {kNoMore}},
      {"across page boundaries", boundary, "0123456789", 1, {195, 595}, {}},
      {"at the last byte", lastByte, "Z", 1, {699, 699}, {kNoMore}},
      {"longer than a page", longFile, longText, 1, {333, 333}, {kNoMore}},
      {"running past the end", Text("....abc"), "abcd", 0, {0}, {kNotFound}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    messages.clear();
    Load(c.file);
    Find(c.pattern);
    std::vector<Offset> starts = {session.Page().start};
    for (int i = 0; i < c.nexts; ++i) {
      Next();
      starts.push_back(session.Page().start);
    }
    EXPECT_EQ(starts, c.starts);
    EXPECT_EQ(messages, c.messages);
    EXPECT_EQ(session.SearchPattern().Length(), static_cast<int>(c.pattern.size())) << "the pattern stays";
  }
}

TEST_F(FileSessionTest, NextSearchesFromOnePastThePageShownAndNothingWithoutAPattern) {
  Bytes bytes(900, '.');
  for (const std::size_t at : {10u, 150u, 500u}) std::copy_n("ok", 2, bytes.begin() + static_cast<std::ptrdiff_t>(at));
  Load(bytes);
  const int opens = files.counters.opens;
  Next();
  EXPECT_EQ(files.counters.opens, opens) << "no pattern: the file is not even opened";
  Find("ok");
  EXPECT_EQ(session.Page().start, 10);
  Show(session.Page().Next()); // the page at 210: the occurrence at 150 lies behind it
  Next();
  EXPECT_EQ(session.Page().start, 500);
  EXPECT_EQ(session.Page().count, 200);
  EXPECT_EQ(session.Text().asciiLines[0].substr(0, 2), "ok");
  // A text that gives no bytes leaves no pattern, and Next does nothing again.
  EXPECT_FALSE(session.TakePattern(ParsePattern(" F ", PatternMode::Hex).pattern));
  Next();
  EXPECT_EQ(session.Page().start, 500);
  EXPECT_TRUE(messages.empty());
}

TEST_F(FileSessionTest, PreviousSearchesBackwardsFromOneByteBeforeThePageStartOrSaysWhyNot) {
  const std::string kTooShort = strings::kFileTooShort, kNoMore = strings::kNoMoreOccurrences;
  Bytes marks(1000, '.');
  for (const std::size_t at : {0u, 150u, 398u, 600u}) std::copy_n("ab", 2, marks.begin() + static_cast<std::ptrdiff_t>(at));
  const struct {
    const char* name;
    Bytes file;
    std::string pattern;
    Offset pageStart;
    int previous;               // this many times
    std::vector<Offset> starts; // the page start after each
    std::vector<std::string> messages;
  } cases[] = {
      {"starting just before the page start, into it", marks, "ab", 399, 1, {398}, {}},
      {"the page start's own is not found again", marks, "ab", 398, 1, {150}, {}},
      {"one after the other, down to offset 0", marks, "ab", 800, 4, {600, 398, 150, 0}, {}},
      {"none before offset 0", marks, "ab", 0, 1, {0}, {kNoMore}},
      {"the one at offset 0 from the byte after it, then none", marks, "ab", 1, 2, {0, 0}, {kNoMore}},
      {"overlapping occurrences", Text("AAAAA"), "AA", 3, 3, {2, 1, 0}, {}},
      {"the whole file", Text("Hello"), "Hello", 0, 1, {0}, {kNoMore}},
      {"shorter than the pattern", Text("Hell"), "Hello", 0, 1, {0}, {kTooShort}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    messages.clear();
    Load(c.file);
    ASSERT_TRUE(session.TakePattern(ParsePattern(c.pattern, PatternMode::Ascii).pattern));
    Show(session.Page().StartAt(c.pageStart));
    ASSERT_EQ(session.Page().start, c.pageStart);
    std::vector<Offset> starts;
    for (int i = 0; i < c.previous; ++i) {
      Previous();
      starts.push_back(session.Page().start);
    }
    EXPECT_EQ(starts, c.starts);
    EXPECT_EQ(messages, c.messages);
  }
  // Without a pattern nothing happens: the file is not even opened.
  Load(marks);
  EXPECT_FALSE(session.TakePattern(Pattern{}));
  messages.clear();
  Show(session.Page().StartAt(500));
  const int opens = files.counters.opens;
  Previous();
  EXPECT_EQ(files.counters.opens, opens);
  EXPECT_EQ(session.Page().start, 500);
  EXPECT_TRUE(messages.empty());
}

TEST_F(FileSessionTest, PreviousFindsTheLastOccurrenceBeforeThePageStartAcrossBlocks) {
  // Random text over three blocks of the search, with occurrences cut by the blocks' seams.
  std::mt19937 random(23);
  Bytes bytes(3 * kSearchBlockBytes + 300);
  for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>('a' + random() % 4);
  const std::string pattern = "abcab";
  for (const std::size_t seam : {kSearchBlockBytes, 2 * kSearchBlockBytes}) {
    std::copy_n(pattern.begin(), pattern.size(), bytes.begin() + static_cast<std::ptrdiff_t>(seam - 2));
  }
  Load(bytes);
  ASSERT_TRUE(session.TakePattern(ParsePattern(pattern, PatternMode::Ascii).pattern));
  const auto block = static_cast<Offset>(kSearchBlockBytes);
  for (const Offset start : {Offset{5}, block - 1, block, block + 1, 2 * block - 2, 2 * block + 3,
                             3 * block + 100, static_cast<Offset>(bytes.size()) - 1}) {
    SCOPED_TRACE(start);
    messages.clear();
    Show(session.Page().StartAt(start));
    const Offset from = session.Page().start;
    const Offset expected = testing::LastOccurrenceBefore(bytes, from, Text(pattern));
    Previous();
    if (expected < 0) {
      EXPECT_EQ(messages, std::vector<std::string>{strings::kNoMoreOccurrences});
      EXPECT_EQ(session.Page().start, from);
    } else {
      EXPECT_TRUE(messages.empty());
      EXPECT_EQ(session.Page().start, expected);
    }
  }
}

TEST_F(FileSessionTest, ASearchThatFindsNothingReadsThePageAgainAndOneThatFailsLeavesIt) {
  Load(Counting(1000));
  Show(session.Page().Next());
  const PageState before = session.Page();
  Bytes changed = Counting(1000);
  changed[210] = 'W';
  dir.Write("f.bin", changed);
  Find("no such text");
  EXPECT_EQ(messages, std::vector<std::string>{strings::kNotFound});
  EXPECT_EQ(session.Page(), before);
  EXPECT_EQ(session.Text().asciiLines[0][10], 'W') << "read again after the message";

  const struct {
    const char* name;
    std::function<void(FaultyFileSystem&)> fail;
    const char* message;
  } faults[] = {
      {"open", [](FaultyFileSystem& f) { f.plan.openForRead = FileError::NotFound; }, strings::kFileNotOpened},
      {"length", [](FaultyFileSystem& f) { f.plan.failLength = true; }, strings::kFileNotOpened},
      {"seek", [](FaultyFileSystem& f) { f.plan.failSeek = true; }, strings::kReadError},
      {"read", [](FaultyFileSystem& f) { f.plan.failRead = true; }, strings::kReadError},
      {"short read", [](FaultyFileSystem& f) { f.plan.shortRead = 100; }, strings::kReadError},
  };
  for (const auto& fault : faults) {
    SCOPED_TRACE(fault.name);
    messages.clear();
    const PageText shown = session.Text();
    const PageState page = session.Page();
    fault.fail(files);
    Find("W");
    files.plan = {};
    EXPECT_EQ(messages, std::vector<std::string>{fault.message}) << "one message";
    EXPECT_EQ(session.Page(), page);
    EXPECT_EQ(session.Text(), shown);
    EXPECT_EQ(session.SearchPattern().Length(), 1) << "the pattern stays for Next";
  }
}

TEST_F(FileSessionTest, OccurrencesBeyond4GiBAreFoundAndShownAtTheirOffsets) {
  // Sparse: the gaps cost no disk space.
  constexpr Offset kGiB = Offset{1} << 30;
  path = dir.Write("big.bin", {});
  std::filesystem::resize_file(path, static_cast<std::uintmax_t>(5 * kGiB));
  {
    FileResult<std::unique_ptr<File>> file = files.Open(path, OpenMode::ReadWrite);
    ASSERT_TRUE(file.ok());
    for (const Offset at : {Offset{0}, 4 * kGiB + 7, 5 * kGiB - 50}) ASSERT_TRUE(file.value->WriteAt(at, "far", 3).ok());
  }
  Apply(session.LoadFile(files, path));
  Find("far");
  ASSERT_EQ(session.Page().start, 0);
  Show(session.Page().StartAt(4 * kGiB));
  Next();
  EXPECT_EQ(session.Page().start, 4 * kGiB + 7);
  EXPECT_EQ(FirstOffsetLine(), std::to_string(4 * kGiB + 7));
  Show(session.Page().StartAt(5 * kGiB - 1000));
  Next();
  EXPECT_EQ(session.Page().start, 5 * kGiB - 50);
  EXPECT_EQ(session.Page().count, 50);
  Next();
  EXPECT_EQ(messages, std::vector<std::string>{strings::kNoMoreOccurrences});
}

} // namespace
} // namespace vek::test
