#include "core/FileEditor.h"

#include <chrono>

#include "core/ByteWrite.h"
#include "core/EditMenuText.h"
#include "core/FileNameText.h"
#include "core/WriteMessages.h"

namespace vek {

namespace {

std::int64_t Now() {
  return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}

bool WentIn(const ByteWriteResult& result) {
  return result.outcome == WriteOutcome::Written || result.outcome == WriteOutcome::ReadBackDiffers;
}

} // namespace

FileEditor::FileEditor(FileSystem& files, Journal* journal, std::string path, FileIdentity identity, EditHistory history)
    : m_files(files),
      m_journal(journal),
      m_path(std::move(path)),
      m_journalPath(RecordedPath(m_path)),
      m_identity(identity),
      m_history(std::move(history)) {}

std::optional<Message> FileEditor::Journalize(JournalKind kind, const ByteEdit& edit) {
  if (m_journal == nullptr) return std::nullopt;
  return m_journal->Record(JournalRecord{kind, Now(), m_journalPath, m_identity, edit});
}

ByteWriteResult FileEditor::Write(Offset offset, std::uint8_t shown, std::uint8_t value) {
  if (m_readOnly) return {WriteOutcome::ReadOnly, offset, ReadOnlyMessage(DecodeFileName(m_path))};
  const ByteEdit edit{offset, shown, value};
  const bool changes = shown != value;
  ByteWriteResult result = WriteCheckedByte(m_files, m_path, {m_identity, offset, shown, value, WriteKind::Edit},
                                            [&] { return changes ? Journalize(JournalKind::Edit, edit) : std::nullopt; });
  if (changes && WentIn(result)) m_history.Record(edit);
  return result;
}

ByteWriteResult FileEditor::Undo() { return WriteAgain(m_history.NextUndo(), WriteKind::Undo); }

ByteWriteResult FileEditor::Redo() { return WriteAgain(m_history.NextRedo(), WriteKind::Redo); }

ByteWriteResult FileEditor::WriteAgain(const std::optional<ByteEdit>& edit, WriteKind kind) {
  if (!edit) return {WriteOutcome::Nothing};
  if (m_readOnly) return {WriteOutcome::ReadOnly, edit->offset, ReadOnlyMessage(DecodeFileName(m_path))};
  const bool undo = kind == WriteKind::Undo;
  const ByteWriteRequest request{m_identity, edit->offset, undo ? edit->after : edit->before,
                                 undo ? edit->before : edit->after, kind};
  // A redo is recorded before its byte is written, an undo once its byte is back (core/Journal.h).
  ByteWriteResult result = WriteCheckedByte(m_files, m_path, request, [&] {
    return undo ? std::nullopt : Journalize(JournalKind::Redo, *edit);
  });
  if (WentIn(result)) {
    if (undo) {
      m_history.Undone();
      result.note = Journalize(JournalKind::Undo, *edit);
    } else {
      m_history.Redone();
    }
  } else if (result.outcome == WriteOutcome::ByteChanged) {
    if (undo) {
      m_history.DropNextUndo();
    } else {
      m_history.DropRedos();
    }
  }
  return result;
}

std::optional<std::string> FileEditor::UndoText(bool hexMode) const {
  const std::optional<ByteEdit> edit = m_history.NextUndo();
  if (!edit) return std::nullopt;
  return UndoMenuText(*edit, hexMode);
}

std::optional<std::string> FileEditor::RedoText(bool hexMode) const {
  const std::optional<ByteEdit> edit = m_history.NextRedo();
  if (!edit) return std::nullopt;
  return RedoMenuText(*edit, hexMode);
}

} // namespace vek
