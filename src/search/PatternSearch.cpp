// A match becomes the page start; a search that finds nothing shows its message and has the page
// read again; a failure shows one message and leaves the page as it was.

#include "search/PatternSearch.h"

#include <algorithm>
#include <memory>
#include <span>

#include "Strings.h"
#include "core/ClampPage.h"
#include "core/Search.h"
#include "platform/File.h"
#include "platform/UiServices.h"
#include "platform/WaitCursor.h"
#include "search/CFindDlg.h"
#include "search/SearchProgress.h"

namespace vek {

PatternSearch::PatternSearch(UiServices& ui, FileSystem& files) : m_ui(ui), m_files(files) {}

PatternSearch::Outcome PatternSearch::Find(QWidget* owner, const std::string& path) {
  CFindDlg dialog;
  if (m_ui.RunModal(dialog) != QDialog::Accepted) return {};
  m_nPatternLen = std::clamp(dialog.m_nPatternLen, 0, kMaxPatternBytes);
  std::copy_n(dialog.m_pattern.begin(), m_nPatternLen, m_searchPattern.begin());
  if (m_nPatternLen <= 0) return {};
  return SearchFrom(owner, path, 0, strings::kNotFound);
}

PatternSearch::Outcome PatternSearch::Next(QWidget* owner, const std::string& path, Offset pageStart) {
  if (m_nPatternLen < 1) return {};
  return SearchFrom(owner, path, SaturatingAdd(pageStart, 1), strings::kNoMoreOccurrences);
}

PatternSearch::Outcome PatternSearch::SearchFrom(QWidget* owner, const std::string& path, Offset from,
                                                 const char* notFoundText) {
  WaitCursor wait(m_ui);
  const FileResult<std::unique_ptr<File>> opened = m_files.Open(path, OpenMode::Read);
  const FileResult<Offset> length = opened.ok() ? opened.value->Length() : FileResult<Offset>{0, opened.error};
  if (!length.ok()) {
    m_ui.MessageBox(QString::fromUtf8(strings::kFileNotOpened));
    return {};
  }
  Outcome outcome;
  outcome.fileSize = length.value;
  if (length.value < m_nPatternLen) {
    m_ui.MessageBox(QString::fromUtf8(strings::kFileTooShort));
    return outcome;
  }
  // The reads run on the search's own thread; ReadAt may be called from any thread.
  const File& file = *opened.value;
  const ReadAtFn readAt = [&file](Offset offset, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
    const FileResult<std::size_t> read = file.ReadAt(offset, buffer, size);
    return read.ok() ? static_cast<std::int64_t>(read.value) : -1;
  };
  SearchProgress progress(owner, from, length.value);
  const SearchResult result =
      SearchFile(readAt, length.value, from, std::span<const std::uint8_t>(m_searchPattern.data(), m_nPatternLen),
                 [&progress](Offset upTo) { return progress.Continue(upTo); });
  switch (result.status) {
    case SearchResult::Status::Found:
      outcome.show = Outcome::Show::Match;
      outcome.match = result.offset;
      break;
    case SearchResult::Status::NotFound:
      m_ui.MessageBox(QString::fromUtf8(notFoundText));
      outcome.show = Outcome::Show::PageAgain;
      break;
    case SearchResult::Status::ReadError:
      m_ui.MessageBox(QString::fromUtf8(strings::kReadError));
      break;
    case SearchResult::Status::Cancelled:
      break;
  }
  return outcome;
}

} // namespace vek
