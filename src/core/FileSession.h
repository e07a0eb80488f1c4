#pragma once
// One open file as its window shows it: the file's name (the one copy: the document and the titles
// read it here), the page state with the page buffer it describes, the page text as last built, the
// selected byte, the display radix and the search pattern. Each operation changes the session and
// returns an Outcome: what the window is to bring up to date and which message to show. No file
// stays open between operations; those that read or write take the file layer.

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/ByteMove.h"
#include "core/ByteRange.h"
#include "core/File.h"
#include "core/FileEditor.h"
#include "core/Journal.h"
#include "core/PageDifferences.h"
#include "core/PageState.h"
#include "core/PageText.h"
#include "core/Pattern.h"
#include "core/Search.h"
#include "core/SessionOutcome.h"

namespace vek {

// Find searches from the file's start, Next from one byte past the page start, Previous backwards
// from one byte before it.
enum class SearchKind { Find, Next, Previous };

// A search ready to run: the file opened and measured, and where to start. Without a file the
// search does not run, and `stop` says what to show instead.
struct PreparedSearch {
  Outcome stop;
  std::unique_ptr<File> file;
  Offset length = 0;
  Offset from = 0;       // the first offset looked at; backwards, -1 leaves nothing to look at
  bool backward = false; // from `from` down to the start of the file
};

// Runs a prepared search on every core, in its direction (the file must be there).
SearchResult RunPreparedSearch(const PreparedSearch& search, std::span<const std::uint8_t> pattern,
                               const ProgressFn& progress = {});

class FileSession {
 public:
  const std::string& Path() const { return m_path; }
  const PageState& Page() const { return m_page; }
  const PageText& Text() const { return m_text; } // no lines before the first page and after a failed load
  int SelIndex() const { return m_selIndex; }
  bool HexMode() const { return m_hexMode; }
  const Pattern& SearchPattern() const { return m_searchPattern; }
  // Byte `index` of the page on screen; only for an index the page holds (Page().HoldsByte).
  std::uint8_t ByteAt(int index) const { return m_pageBuf[static_cast<std::size_t>(index)]; }
  std::span<const std::uint8_t> PageBytes() const {
    return {m_pageBuf.data(), static_cast<std::size_t>(m_page.readCount)};
  }

  // The file a document was opened with, before any page of it is read.
  void Name(std::string path) { m_path = std::move(path); }

  // Another file in this window: its first page. A file that fails to load keeps its name and shows
  // no page; the radix and the selected byte stay.
  Outcome LoadFile(FileSystem& files, std::string path);
  // Reads the page `wanted` asks for and shows it; a failed read shows its message and leaves the
  // page on screen as it was, the page state already moved.
  Outcome ShowPage(FileSystem& files, const PageState& wanted);
  Outcome RefreshPage(FileSystem& files) { return ShowPage(files, m_page); }
  // The Start field's text changed: the window the next page command starts from.
  void TypedStart(std::string_view text) { m_page = m_page.TypedStart(text, m_hexMode); }
  Outcome ToggleRadix(bool hexMode);

  // The selected byte: a click that hit byte `index` (the click's handler writes the position line,
  // also for the blank after a pair, which hits no byte), or a key that moves it (the page turns
  // when the byte leaves it). Either makes the selection that one byte.
  Outcome Select(int index);
  Outcome MoveSelection(FileSystem& files, ByteMove move);
  // A range: the selected byte moves as above, or to byte `index` of the page (a drag), and the
  // selection reaches from where the range began (the anchor) to it. The range is a pair of file
  // offsets: it may reach beyond the page on screen.
  Outcome ExtendSelection(FileSystem& files, ByteMove move);
  Outcome ExtendSelectionTo(int index);
  // The selected bytes: the selected byte alone, or the range; none when the page does not hold
  // the selected byte.
  std::optional<ByteRange> Selection() const;
  // "Byte 413 = 130" for the selected byte, "413-420 (8 bytes)" for a range; none when the page
  // does not hold the selected byte.
  std::optional<std::string> PositionLine() const;
  // Where the selected byte lies in the file (the page on screen holds it), none when the page does
  // not hold it.
  std::optional<Offset> SelectedOffset() const;
  // Shows the page that holds `offset` (as a typed start shows it: clamped into the file) and
  // selects the byte there.
  Outcome GoTo(FileSystem& files, Offset offset);
  // Shows the page that holds the range's first byte as GoTo does and selects the range (a found
  // occurrence), as far as the file still reaches; the selected byte is its first.
  Outcome GoTo(FileSystem& files, const ByteRange& range);

  // Where this session's writes are recorded (none: they are not, and undo lasts as long as the
  // session), and whether the file may be written at all. A read-only session never opens its file
  // for writing.
  void UseJournal(Journal* journal) { m_journal = journal; }
  Outcome SetReadOnly(bool readOnly);
  bool ReadOnly() const { return m_readOnly; }

  // An edit: the new value on screen at once, then written into the file, checked against the file
  // the page was read from and against `shown`, the value the page showed before the edit. When
  // the file no longer holds what the page showed, nothing is written and the page is read again.
  Outcome SetByte(int index, std::uint8_t value);
  Outcome WriteByte(FileSystem& files, int index, std::uint8_t shown);
  // vek's own writes to this file, taken back and made again (also those of an earlier run, from
  // the journal); the page then shows the byte and selects it. Texts for the menu items, none when
  // there is nothing to undo or redo.
  Outcome Undo(FileSystem& files);
  Outcome Redo(FileSystem& files);
  std::optional<std::string> UndoText() const;
  std::optional<std::string> RedoText() const;

  // Another program changed the file: the page on screen is read again, without a message. The
  // window asked for stays (a start typed but not applied stays typed); the size and the clamping
  // follow as a refresh follows them. A read that fails leaves the page as it was, out of date.
  Outcome ReloadQuietly(FileSystem& files);
  // The page on screen no longer shows the file: its last quiet read failed.
  bool OutOfDate() const { return m_outOfDate; }
  // Byte `index` of the page differs from what the page showed before a quiet read, until the next
  // page move.
  bool ChangedOutside(int index) const;

  // While the file is compared with another side by side: the bytes of the page that differ from
  // the other file's at the same offsets, as found for the page read from `marks.start` (none: not
  // compared). Marks found for another page mark nothing.
  void MarkDifferences(std::optional<PageDifferences> marks) { m_differences = marks; }
  bool Differs(int index) const;

  // Find's new pattern, kept whatever the search gives; false when it is empty (nothing to search).
  bool TakePattern(const Pattern& pattern);
  PreparedSearch PrepareSearch(FileSystem& files, SearchKind kind);
  // What the search's result makes of the page: a match becomes the page start; no match says so
  // and reads the page again; a failed read says so.
  Outcome FinishSearch(SearchKind kind, const SearchResult& result) const;

 private:
  std::optional<Message> ReadPage(FileSystem& files);
  // The editor of the file the page was read from: made anew for another file (the first page, or
  // the file replaced under its name), with what the journal holds of it.
  std::optional<Message> FollowFile(FileSystem& files, const FileIdentity& identity);
  Outcome Written(const ByteWriteResult& result) const;
  Outcome Stepped(FileSystem& files, const ByteWriteResult& result); // an undo or a redo, then its byte shown
  void StartRange(); // the anchor at the selected byte, unless a range is being made
  Outcome MoveCaret(FileSystem& files, ByteMove move); // the selected byte moves, a range stays
  void BuildPageText();
  void ShowStartPos(); // the Start field's text is read back as typed text is

  std::string m_path; // the bytes of the name, as the system takes them
  PageState m_page;
  std::array<std::uint8_t, kPageBytes> m_pageBuf{}; // the page read last, m_page.readCount bytes of it
  PageText m_text;
  int m_selIndex = 0;
  std::optional<Offset> m_anchor; // where a range began; none while one byte is selected
  bool m_hexMode = false;
  Pattern m_searchPattern;
  Journal* m_journal = nullptr;
  bool m_readOnly = false;
  std::optional<FileEditor> m_editor;
  FileIdentity m_readIdentity; // of the file the page was read from
  std::bitset<kPageBytes> m_changedOutside;
  bool m_outOfDate = false;
  std::optional<PageDifferences> m_differences;
};

} // namespace vek
