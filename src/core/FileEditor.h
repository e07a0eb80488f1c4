#pragma once
// The writes of vek to one file: each one checked (core/ByteWrite.h), recorded in the journal
// before it happens, and kept in the file's history so that it can be undone and redone, also
// after a restart. The window's session and the terminal's --undo both write through it.
//
// One editor belongs to one file, the one of its identity: when a page read finds another file
// under the name (replaced, moved away), that is another editor with a history of its own.

#include <cstdint>
#include <optional>
#include <string>

#include "core/ByteWriteRequest.h"
#include "core/ByteWriteResult.h"
#include "core/EditHistory.h"
#include "core/File.h"
#include "core/Journal.h"

namespace vek {

class FileEditor {
 public:
  // `journal` none: the writes are not recorded (--no-journal), and undo lasts as long as the
  // editor. `history`: what the journal holds of the file (HistoryOf).
  FileEditor(FileSystem& files, Journal* journal, std::string path, FileIdentity identity, EditHistory history = {});

  const std::string& Path() const { return m_path; }
  const FileIdentity& Identity() const { return m_identity; }
  const EditHistory& History() const { return m_history; }

  // Read-only: every write is refused before the file is opened for writing.
  bool ReadOnly() const { return m_readOnly; }
  void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }

  // Gives the byte at `offset`, which the page showed as `shown`, the value `value`. A value
  // equal to the one shown is written as asked but is nothing to undo.
  ByteWriteResult Write(Offset offset, std::uint8_t shown, std::uint8_t value);
  // Takes the newest write in the file back. When another program has changed its byte since,
  // nothing is written and that write is forgotten: the next undo is the write before it.
  ByteWriteResult Undo();
  // Makes the newest undone write again; refused, and the redos forgotten, when another program
  // has changed the byte since the undo.
  ByteWriteResult Redo();

  // The menu items' texts (core/EditMenuText.h); none when there is nothing to undo or redo.
  std::optional<std::string> UndoText(bool hexMode) const;
  std::optional<std::string> RedoText(bool hexMode) const;

 private:
  std::optional<Message> Journalize(JournalKind kind, const ByteEdit& edit);
  // An undo or a redo: a checked write from one value of `edit` back to the other.
  ByteWriteResult WriteAgain(const std::optional<ByteEdit>& edit, WriteKind kind);

  FileSystem& m_files;
  Journal* m_journal;
  std::string m_path;
  std::string m_journalPath; // absolute: a later run may start anywhere
  FileIdentity m_identity;
  EditHistory m_history;
  bool m_readOnly = false;
};

} // namespace vek
