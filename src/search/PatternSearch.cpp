// A match becomes the page start; a search that finds nothing shows its message and has the page
// read again; a failure shows one message and leaves the page as it was.

#include "search/PatternSearch.h"

#include <algorithm>
#include <memory>
#include <span>

#include "Strings.h"
#include "core/ClampPage.h"
#include "core/Search.h"
#include "core/File.h"
#include "platform/UiServices.h"
#include "platform/WaitCursor.h"
#include "search/CFindDlg.h"
#include "search/SearchProgress.h"

namespace vek {

PatternSearch::PatternSearch(UiServices& ui, FileSystem& files) : m_ui(ui), m_files(files) {}

PatternSearch::Outcome PatternSearch::Find(QWidget* owner, const std::string& path) {
  CFindDlg dialog;
  if (m_ui.RunModal(dialog) != QDialog::Accepted) return {};
  m_searchPattern = dialog.m_pattern;
  if (m_searchPattern.Empty()) return {};
  return SearchFrom(owner, path, 0, strings::kNotFound);
}

PatternSearch::Outcome PatternSearch::Next(QWidget* owner, const std::string& path, Offset pageStart) {
  if (m_searchPattern.Empty()) return {};
  return SearchFrom(owner, path, SaturatingAdd(pageStart, 1), strings::kNoMoreOccurrences);
}

PatternSearch::Outcome PatternSearch::SearchFrom(QWidget* owner, const std::string& path, Offset from,
                                                 const char* notFoundText) {
  WaitCursor wait(m_ui);
  const FileResult<MeasuredFile> opened = OpenMeasured(m_files, path, OpenMode::Read);
  if (!opened.ok()) {
    m_ui.MessageBox(QString::fromUtf8(strings::kFileNotOpened));
    return {};
  }
  Outcome outcome;
  const Offset length = opened.value.length;
  outcome.fileSize = length;
  if (length < m_searchPattern.Length()) {
    m_ui.MessageBox(QString::fromUtf8(strings::kFileTooShort));
    return outcome;
  }
  // The reads run on the search's own threads; ReadAt may be called from any thread.
  SearchProgress progress(owner, from, length);
  const SearchResult result = SearchFile(ReaderOf(*opened.value.file), length, from, m_searchPattern.Bytes(),
                                         [&progress](Offset upTo) { return progress.Continue(upTo); });
  switch (result.status) {
    case SearchStatus::Found:
      outcome.show = Outcome::Show::Match;
      outcome.match = result.offset;
      break;
    case SearchStatus::NotFound:
      m_ui.MessageBox(QString::fromUtf8(notFoundText));
      outcome.show = Outcome::Show::PageAgain;
      break;
    case SearchStatus::ReadError:
      m_ui.MessageBox(QString::fromUtf8(strings::kReadError));
      break;
    case SearchStatus::Cancelled:
      break;
  }
  return outcome;
}

} // namespace vek
