#include "core/FileSession.h"

#include "Strings.h"
#include "core/ByteWrite.h"
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
  return std::nullopt;
}

void FileSession::BuildPageText() {
  // The text describes the bytes in the buffer, at the offset they were read from.
  m_text = vek::BuildPageText(PageBytes(), m_page.readStart, m_hexMode);
}

void FileSession::ShowStartPos() { TypedStart(FormatStartPos(m_page.start, m_hexMode)); }

Outcome FileSession::LoadFile(FileSystem& files, std::string path) {
  m_path = std::move(path);
  m_anchor.reset();
  m_page = m_page.NewFile();
  m_text = {};
  if (std::optional<Message> failed = ReadPage(files)) {
    // The page on screen belonged to the former file: it must not stand under the new name.
    return {{Shown::Area::Columns}, std::move(failed)};
  }
  BuildPageText();
  ShowStartPos();
  return {Shown::PageRead(Shown::Area::View)};
}

Outcome FileSession::ShowPage(FileSystem& files, const PageState& wanted) {
  m_page = wanted;
  if (std::optional<Message> failed = ReadPage(files)) return {{}, std::move(failed)};
  // Another page: the selected index names another byte, and a range would end there.
  m_anchor.reset();
  BuildPageText();
  ShowStartPos();
  return {Shown::PageRead(Shown::Area::Columns)};
}

Outcome FileSession::ToggleRadix(bool hexMode) {
  m_hexMode = hexMode;
  BuildPageText();
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

Outcome FileSession::SetByte(int index, std::uint8_t value) {
  if (!m_page.HoldsByte(index)) return {};
  m_pageBuf[static_cast<std::size_t>(index)] = value;
  BuildPageText();
  return {{Shown::Area::Columns}};
}

Outcome FileSession::WriteByte(FileSystem& files, int index) {
  if (!m_page.HoldsByte(index)) return {};
  // The byte goes where the page on screen was read from, whatever start may have been typed since.
  return {{}, WriteByteAt(files, m_path, m_page.OffsetOf(index), ByteAt(index))};
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
  search.from = kind == SearchKind::Find ? 0 : SaturatingAdd(m_page.start, 1);
  return search;
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
