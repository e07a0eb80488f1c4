#include "tools/MatchListModel.h"

#include <algorithm>
#include <array>

#include "core/DisplayTexts.h"
#include "core/File.h"
#include "platform/QtText.h"

namespace vek {

namespace {

// Rows read at once when one is asked for: the rows below it are painted next. A screenful is
// about twenty; one open serves them all.
constexpr int kRowsReadTogether = 64;
// Rows whose bytes are kept: a few screens, so that scrolling back and forth reads nothing again.
constexpr std::size_t kRowsKept = 1024;

constexpr const char* kHeaders[] = {"Offset", "Hex", "Text"};

} // namespace

MatchListModel::MatchListModel(FileSystem& files, QObject* parent) : QAbstractTableModel(parent), m_files(files) {}

void MatchListModel::Reset(const std::string& path, int patternLength, bool hexMode) {
  beginResetModel();
  m_path = path;
  m_patternLength = patternLength;
  m_hexMode = hexMode;
  m_offsets.clear();
  m_offsets.shrink_to_fit(); // a list of a million rows before gives its memory back
  m_contexts.clear();
  endResetModel();
}

void MatchListModel::Append(std::vector<Offset>&& offsets) {
  if (offsets.empty()) return;
  const int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(offsets.size()) - 1);
  if (m_offsets.empty()) {
    m_offsets = std::move(offsets);
  } else {
    m_offsets.insert(m_offsets.end(), offsets.begin(), offsets.end());
  }
  endInsertRows();
}

void MatchListModel::SetHexMode(bool hexMode) {
  if (hexMode == m_hexMode) return;
  m_hexMode = hexMode;
  if (rowCount() > 0) emit dataChanged(index(0, kOffsetColumn), index(rowCount() - 1, kOffsetColumn));
}

void MatchListModel::ForgetBytes() {
  m_contexts.clear();
  if (rowCount() > 0) emit dataChanged(index(0, kHexColumn), index(rowCount() - 1, kTextColumn));
}

int MatchListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_offsets.size());
}

int MatchListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant MatchListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const int row = index.row();
  if (index.column() == kOffsetColumn) {
    if (role == Qt::DisplayRole) return ToQt(OffsetText(OffsetAt(row), m_hexMode));
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
  }
  if (role != Qt::DisplayRole && role != kMatchFirstRole && role != kMatchCountRole) return {};
  const MatchContext& context = ContextOf(row);
  const TextSpan span = index.column() == kHexColumn ? HexSpanOf(context) : TextSpanOf(context);
  if (role == kMatchFirstRole) return span.first;
  if (role == kMatchCountRole) return span.count;
  return ToQt(index.column() == kHexColumn ? context.hex : context.text);
}

QVariant MatchListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumnCount) return {};
  return QString::fromUtf8(kHeaders[section]);
}

const MatchContext& MatchListModel::ContextOf(int row) const {
  if (const auto known = m_contexts.find(row); known != m_contexts.end()) return known->second;
  ReadContexts(row);
  return m_contexts.at(row);
}

void MatchListModel::ReadContexts(int firstRow) const {
  if (m_contexts.size() >= kRowsKept) m_contexts.clear();
  const FileResult<std::unique_ptr<File>> opened = m_files.Open(m_path, OpenMode::Read);
  const int end = std::min(rowCount(), firstRow + kRowsReadTogether);
  for (int row = firstRow; row < end; ++row) {
    if (row != firstRow && m_contexts.contains(row)) continue;
    const Offset match = OffsetAt(row);
    const Offset start = ContextStart(match);
    std::array<std::uint8_t, kContextBytes> bytes{};
    std::size_t read = 0;
    if (opened.ok()) {
      // A file that cannot be read shows no bytes; the offsets stand.
      const FileResult<std::size_t> got = opened.value->ReadAt(start, bytes.data(), bytes.size());
      if (got.ok()) read = got.value;
    }
    m_contexts[row] = DescribeMatch(std::span(bytes.data(), read), start, match, m_patternLength);
  }
}

} // namespace vek
