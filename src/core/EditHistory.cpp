#include "core/EditHistory.h"

#include <algorithm>

namespace vek {

namespace {

using Edits = std::vector<ByteEdit>;

} // namespace

void EditHistory::Record(const ByteEdit& edit) {
  m_edits.resize(m_inFile);
  m_edits.push_back(edit);
  m_inFile = m_edits.size();
}

std::optional<ByteEdit> EditHistory::NextUndo() const {
  if (m_inFile == 0) return std::nullopt;
  return m_edits[m_inFile - 1];
}

std::optional<ByteEdit> EditHistory::NextRedo() const {
  if (m_inFile == m_edits.size()) return std::nullopt;
  return m_edits[m_inFile];
}

void EditHistory::Undone() {
  if (m_inFile > 0) --m_inFile;
}

void EditHistory::Redone() {
  if (m_inFile < m_edits.size()) ++m_inFile;
}

void EditHistory::DropNextUndo() {
  if (m_inFile == 0) return;
  m_edits.erase(m_edits.begin() + static_cast<Edits::difference_type>(m_inFile - 1));
  --m_inFile;
}

void EditHistory::DropRedos() { m_edits.resize(m_inFile); }

void EditHistory::ReplayUndo(const ByteEdit& edit) {
  if (NextUndo() == edit) return Undone();
  // The newest write in the file that matches.
  const auto inFile = m_edits.rbegin() + static_cast<Edits::difference_type>(m_edits.size() - m_inFile);
  const auto found = std::find(inFile, m_edits.rend(), edit);
  if (found == m_edits.rend()) return;
  m_edits.erase(std::next(found).base());
  --m_inFile;
}

void EditHistory::ReplayRedo(const ByteEdit& edit) {
  if (NextRedo() == edit) return Redone();
  const auto undone = m_edits.begin() + static_cast<Edits::difference_type>(m_inFile);
  const auto found = std::find(undone, m_edits.end(), edit);
  if (found != m_edits.end()) m_edits.erase(found);
  m_edits.insert(m_edits.begin() + static_cast<Edits::difference_type>(m_inFile), edit);
  ++m_inFile;
}

} // namespace vek
