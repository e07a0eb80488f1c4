#include "core/FileSession.h"

#include <algorithm>

#include "Strings.h"
#include "core/ClampPage.h"
#include "core/DisplayTexts.h"

namespace vek {

std::optional<Message> FileSession::ReadPage(FileSystem& files) {
  const FileResult<MeasuredFile> opened = OpenMeasured(files, m_path, OpenMode::Read);
  if (!opened.ok()) return Message{strings::kFileNotOpened};
  m_page = m_page.Measured(opened.value.length);
  // Read aside, so that the buffer keeps the page on screen, with the record of where it came
  // from, until a whole page has arrived.
  std::array<std::uint8_t, kPageBytes> incoming;
  const FileResult<std::size_t> read =
      opened.value.file->ReadAt(m_page.start, incoming.data(), static_cast<std::size_t>(m_page.count));
  if (read.error == FileError::BadOffset) return Message{strings::kSeekError};
  if (!read.ok() || read.value != static_cast<std::size_t>(m_page.count)) return Message{strings::kReadError};
  m_pageBuf = incoming;
  m_page = m_page.Read();
  m_readIdentity = opened.value.file->Identity().value;
  return std::nullopt;
}

std::optional<Message> FileSession::FollowFile(FileSystem& files, const FileIdentity& identity) {
  if (m_editor && m_editor->Identity() == identity && m_editor->Path() == m_path) return std::nullopt;
  JournalReading reading;
  if (m_journal != nullptr) reading = m_journal->Read();
  m_editor.emplace(files, m_journal, m_path, identity, HistoryOf(reading.records, identity));
  m_editor->SetReadOnly(m_readOnly);
  std::string said;
  for (const std::string& line : reading.problems) said += (said.empty() ? "" : "\n") + line;
  for (const std::string& line : reading.warnings) said += (said.empty() ? "" : "\n") + line;
  if (said.empty()) return std::nullopt;
  return Message{said};
}

void FileSession::BuildPageText() {
  // The text describes the bytes in the buffer, at the offset they were read from.
  m_text = vek::BuildPageText(PageBytes(), m_page.readStart, m_hexMode);
}

void FileSession::ShowStartPos() { TypedStart(FormatStartPos(m_page.start, m_hexMode)); }

Outcome FileSession::LoadFile(FileSystem& files, std::string path) {
  m_path = std::move(path);
  m_anchor.reset();
  m_changedOutside.reset();
  m_outOfDate = false;
  m_page = m_page.NewFile();
  m_text = {};
  if (std::optional<Message> failed = ReadPage(files)) {
    // The page on screen belonged to the former file: it must not stand under the new name.
    return {{Shown::Area::Columns}, std::move(failed)};
  }
  BuildPageText();
  ShowStartPos();
  return {Shown::PageRead(Shown::Area::View), FollowFile(files, m_readIdentity)};
}

Outcome FileSession::ShowPage(FileSystem& files, const PageState& wanted) {
  m_page = wanted;
  if (std::optional<Message> failed = ReadPage(files)) return {{}, std::move(failed)};
  // Another page: the selected index names another byte, and a range would end there.
  m_anchor.reset();
  m_changedOutside.reset();
  m_outOfDate = false;
  BuildPageText();
  ShowStartPos();
  return {Shown::PageRead(Shown::Area::Columns), FollowFile(files, m_readIdentity)};
}

Outcome FileSession::ToggleRadix(bool hexMode) {
  m_hexMode = hexMode;
  // Before the first page and after a failed load there is no page to write in the other radix.
  if (!m_text.offsetLines.empty()) BuildPageText();
  ShowStartPos();
  Shown shown;
  shown.text = Shown::Area::OffsetColumn;
  shown.positionLine = shown.fileSize = shown.startPos = true;
  return {shown};
}

Outcome FileSession::Select(int index) {
  m_selIndex = index;
  m_anchor.reset();
  Shown shown;
  shown.selection = true;
  return {shown};
}

Outcome FileSession::MoveSelection(FileSystem& files, ByteMove move) {
  Outcome outcome = MoveCaret(files, move);
  if (outcome.shown.selection) m_anchor.reset();
  return outcome;
}

Outcome FileSession::MoveCaret(FileSystem& files, ByteMove move) {
  const std::optional<MovePlan> plan = PlanByteMove(m_page, m_selIndex, move);
  if (!plan) return {};
  // A page turned under a range keeps it: the range is made of file offsets.
  const std::optional<Offset> anchor = m_anchor;
  Outcome outcome;
  if (plan->turn) {
    outcome = ShowPage(files, *plan->turn);
    if (outcome.message) return outcome;
  }
  m_anchor = anchor;
  const std::optional<int> index = IndexOnPage(m_page, plan->target);
  if (!index) return outcome;
  m_selIndex = *index;
  outcome.shown.selection = outcome.shown.positionLine = true;
  return outcome;
}

void FileSession::StartRange() {
  if (!m_anchor) m_anchor = SelectedOffset();
}

Outcome FileSession::ExtendSelection(FileSystem& files, ByteMove move) {
  StartRange();
  return MoveCaret(files, move);
}

Outcome FileSession::ExtendSelectionTo(int index) {
  if (!m_page.HoldsByte(index)) return {};
  StartRange();
  m_selIndex = index;
  Shown shown;
  shown.selection = shown.positionLine = true;
  return {shown};
}

std::optional<ByteRange> FileSession::Selection() const {
  const std::optional<Offset> selected = SelectedOffset();
  if (!selected) return std::nullopt;
  return Between(m_anchor.value_or(*selected), *selected);
}

std::optional<std::string> FileSession::PositionLine() const {
  // A selection past the bytes of a shorter page names no byte.
  if (!m_page.HoldsByte(m_selIndex)) return std::nullopt;
  const ByteRange selection = *Selection();
  if (selection.Count() > 1) return FormatRangeLine(selection, m_hexMode);
  // The window's start, not the record's: a start typed but not applied shows with the byte on screen.
  return FormatPositionLine(SaturatingAdd(m_page.start, m_selIndex), ByteAt(m_selIndex), m_hexMode);
}

std::optional<Offset> FileSession::SelectedOffset() const {
  if (!m_page.HoldsByte(m_selIndex)) return std::nullopt;
  return m_page.OffsetOf(m_selIndex);
}

Outcome FileSession::GoTo(FileSystem& files, Offset offset) {
  // The page starts a whole number of lines before the byte when it can, so that the byte keeps its
  // column; near the end the page moves back as a typed start past the end does.
  const Offset lineStart = std::max<Offset>(offset, 0) - std::max<Offset>(offset, 0) % kBytesPerLine;
  Outcome outcome = ShowPage(files, m_page.StartAt(lineStart));
  if (outcome.message) return outcome;
  if (const std::optional<int> index = IndexOnPage(m_page, offset)) m_selIndex = *index;
  outcome.shown.selection = outcome.shown.positionLine = true;
  return outcome;
}

Outcome FileSession::GoTo(FileSystem& files, const ByteRange& range) {
  Outcome outcome = GoTo(files, range.first);
  if (outcome.message) return outcome;
  // The file may have shrunk since the range was found.
  const Offset last = std::min(range.last, m_page.fileSize - 1);
  if (SelectedOffset() == range.first && last > range.first) m_anchor = last;
  return outcome;
}

Outcome FileSession::SetByte(int index, std::uint8_t value) {
  if (!m_page.HoldsByte(index)) return {};
  m_pageBuf[static_cast<std::size_t>(index)] = value;
  BuildPageText();
  return {{Shown::Area::Columns}};
}

// The editor writes through the file system the page was read with; a page to read again comes
// back as the outcome's thenShow.
Outcome FileSession::WriteByte(FileSystem& /*files*/, int index, std::uint8_t shown) {
  if (!m_page.HoldsByte(index) || !m_editor) return {};
  // The byte goes where the page on screen was read from, whatever start may have been typed since.
  return Written(m_editor->Write(m_page.OffsetOf(index), shown, ByteAt(index)));
}

Outcome FileSession::Written(const ByteWriteResult& result) const {
  Outcome outcome;
  if (result.message && result.note) {
    outcome.message = Message{result.message->text + "\n\n" + result.note->text, result.message->icon};
  } else {
    outcome.message = result.message ? result.message : result.note;
  }
  // The file holds something else than the page shows: show what it holds.
  if (result.PageIsStale()) outcome.thenShow = m_page.OnScreen();
  return outcome;
}

Outcome FileSession::SetReadOnly(bool readOnly) {
  m_readOnly = readOnly;
  if (m_editor) m_editor->SetReadOnly(readOnly);
  Shown shown;
  shown.readOnly = true;
  return {shown};
}

Outcome FileSession::Undo(FileSystem& files) { return m_editor ? Stepped(files, m_editor->Undo()) : Outcome{}; }

Outcome FileSession::Redo(FileSystem& files) { return m_editor ? Stepped(files, m_editor->Redo()) : Outcome{}; }

Outcome FileSession::Stepped(FileSystem& files, const ByteWriteResult& result) {
  if (result.outcome == WriteOutcome::Nothing) return {};
  Outcome outcome = Written(result);
  if (result.outcome == WriteOutcome::ReadOnly) return outcome;
  // The byte written back, shown and selected: the page that holds it, read from the file.
  Outcome shown = GoTo(files, result.offset);
  shown.message = outcome.message ? outcome.message : shown.message;
  return shown;
}

std::optional<std::string> FileSession::UndoText() const {
  return m_editor ? m_editor->UndoText(m_hexMode) : std::nullopt;
}

std::optional<std::string> FileSession::RedoText() const {
  return m_editor ? m_editor->RedoText(m_hexMode) : std::nullopt;
}

bool FileSession::ChangedOutside(int index) const { return m_page.HoldsByte(index) && m_changedOutside.test(static_cast<std::size_t>(index)); }

bool FileSession::Differs(int index) const {
  return m_differences && m_differences->start == m_page.readStart && m_page.HoldsByte(index) &&
         m_differences->bytes.test(static_cast<std::size_t>(index));
}

Outcome FileSession::ReloadQuietly(FileSystem& files) {
  if (m_page.readCount == 0 && m_text.hexLines.empty()) return {}; // nothing shown to keep true
  const PageState wanted = m_page;
  const std::array<std::uint8_t, kPageBytes> before = m_pageBuf;
  const Offset beforeStart = m_page.readStart;
  const int beforeCount = m_page.readCount;
  // The page on screen as a refresh of it would read it: from its start, a whole page if the file
  // now holds one.
  m_page = m_page.StartAt(m_page.readStart);
  if (ReadPage(files)) {
    m_page = wanted;
    m_outOfDate = true;
    Shown shown;
    shown.text = Shown::Area::Columns; // painted as out of date
    return {shown};
  }
  // A start typed but not applied stays the window the next command starts from; otherwise the
  // Start field follows the page, should the file's new length have moved it.
  const bool typed = wanted.start != wanted.readStart;
  if (typed) {
    m_page.start = wanted.start;
    m_page.end = wanted.end;
  } else {
    ShowStartPos();
  }
  m_outOfDate = false;
  for (int i = 0; i < m_page.readCount; ++i) {
    const bool sameByte = m_page.readStart == beforeStart && i < beforeCount;
    if (!sameByte || before[static_cast<std::size_t>(i)] != m_pageBuf[static_cast<std::size_t>(i)]) {
      m_changedOutside.set(static_cast<std::size_t>(i));
    }
  }
  BuildPageText();
  Shown shown;
  shown.text = Shown::Area::Columns;
  shown.fileSize = true;
  shown.startPos = !typed;
  return {shown, FollowFile(files, m_readIdentity)};
}

bool FileSession::TakePattern(const Pattern& pattern) {
  m_searchPattern = pattern;
  return !m_searchPattern.Empty();
}

PreparedSearch FileSession::PrepareSearch(FileSystem& files, SearchKind kind) {
  PreparedSearch search;
  if (m_searchPattern.Empty()) return search;
  FileResult<MeasuredFile> opened = OpenMeasured(files, m_path, OpenMode::Read);
  if (!opened.ok()) {
    search.stop.message = Message{strings::kFileNotOpened};
    return search;
  }
  m_page.fileSize = opened.value.length;
  if (opened.value.length < m_searchPattern.Length()) {
    search.stop.message = Message{strings::kFileTooShort};
    return search;
  }
  search.file = std::move(opened.value.file);
  search.length = opened.value.length;
  switch (kind) {
    case SearchKind::Find: search.from = 0; break;
    case SearchKind::Next: search.from = SaturatingAdd(m_page.start, 1); break;
    case SearchKind::Previous:
      search.from = m_page.start - 1;
      search.backward = true;
      break;
  }
  return search;
}

SearchResult RunPreparedSearch(const PreparedSearch& search, std::span<const std::uint8_t> pattern,
                               const ProgressFn& progress) {
  const ScanSource source = ReaderOf(*search.file);
  if (search.backward) return SearchFileBackward(source, search.length, search.from + 1, pattern, progress);
  return SearchFile(source, search.length, search.from, pattern, progress);
}

Outcome FileSession::FinishSearch(SearchKind kind, const SearchResult& result) const {
  switch (result.status) {
    case SearchStatus::Found: return {{}, std::nullopt, m_page.At(result.offset)};
    case SearchStatus::NotFound:
      return {{}, Message{kind == SearchKind::Find ? strings::kNotFound : strings::kNoMoreOccurrences}, m_page};
    case SearchStatus::ReadError: return {{}, Message{strings::kReadError}};
    case SearchStatus::Cancelled: break;
  }
  return {};
}

} // namespace vek
