#pragma once
// The writes of vek to one file that can be taken back, as a value: the writes in the order they
// were made and how many of them are in the file (the rest were undone and can be redone). Every
// undo and redo is a write of its own that checks the byte first; this value only keeps the order.

#include <cstddef>
#include <optional>
#include <vector>

#include "core/ByteEdit.h"

namespace vek {

class EditHistory {
 public:
  // A new write: what was undone before it can no longer be redone.
  void Record(const ByteEdit& edit);

  std::optional<ByteEdit> NextUndo() const;
  std::optional<ByteEdit> NextRedo() const;
  void Undone(); // NextUndo() was taken back: it is the next redo now
  void Redone(); // NextRedo() was made again: it is the next undo now

  // Another program changed the byte of NextUndo() since vek wrote it: that write is gone and the
  // next undo is the write before it.
  void DropNextUndo();
  // Another program changed the byte of NextRedo(): nothing can be redone any more.
  void DropRedos();

  // The journal of an earlier run, read back in order. Its undos and redos normally name the next
  // undo and redo; where two runs of vek wrote to the same file at once they may not, and then the
  // write named is taken out (an undo) or put back in the file (a redo) where it stands.
  void ReplayUndo(const ByteEdit& edit);
  void ReplayRedo(const ByteEdit& edit);

  const std::vector<ByteEdit>& Edits() const { return m_edits; }
  std::size_t InFile() const { return m_inFile; } // Edits()[0, InFile()) are in the file

  friend bool operator==(const EditHistory&, const EditHistory&) = default;

 private:
  std::vector<ByteEdit> m_edits;
  std::size_t m_inFile = 0;
};

} // namespace vek
