#pragma once
// The rows of a Find All list: an occurrence each, in file order, with its offset in the radix
// shown and the bytes around it as hex and as text. Only the offsets are kept (a million rows take
// 8 MB); the bytes are read from the file for the rows asked for, those on screen, a few dozen at a
// time, and read again once the file may have changed.

#include <string>
#include <unordered_map>
#include <vector>

#include <QAbstractTableModel>

#include "core/MatchContext.h"
#include "core/PageGeometry.h"

namespace vek {

class FileSystem;

class MatchListModel final : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { kOffsetColumn, kHexColumn, kTextColumn, kColumnCount };
  // Where the occurrence lies in a hex or text cell, in characters (TextSpanOf, HexSpanOf).
  static constexpr int kMatchFirstRole = Qt::UserRole;
  static constexpr int kMatchCountRole = Qt::UserRole + 1;

  MatchListModel(FileSystem& files, QObject* parent);

  // A new list, empty, of the occurrences of a pattern `patternLength` bytes long in `path`.
  void Reset(const std::string& path, int patternLength, bool hexMode);
  // The next occurrences, in file order; taken over without a copy when the list is empty.
  void Append(std::vector<Offset>&& offsets);
  void SetHexMode(bool hexMode);
  // The file may have changed: the bytes shown are read again.
  void ForgetBytes();

  Offset OffsetAt(int row) const { return m_offsets[static_cast<std::size_t>(row)]; }
  int PatternLength() const { return m_patternLength; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const MatchContext& ContextOf(int row) const;
  void ReadContexts(int firstRow) const;

  FileSystem& m_files;
  std::string m_path;
  int m_patternLength = 0;
  bool m_hexMode = false;
  std::vector<Offset> m_offsets;
  mutable std::unordered_map<int, MatchContext> m_contexts; // of the rows asked for lately
};

} // namespace vek
