// Find and Next: a new pattern searched from the file's start, the same pattern again from one
// byte past the page start. A match becomes the page start.

#include <algorithm>

#include "Strings.h"
#include "core/ClampPage.h"
#include "core/Search.h"
#include "platform/File.h"
#include "platform/UiServices.h"
#include "search/CFindDlg.h"
#include "search/SearchProgress.h"
#include "view/CVekView.h"

namespace vek {

void CVekView::OnFind() {
  CFindDlg dialog;
  if (m_ui.RunModal(dialog) != QDialog::Accepted) return;
  // The new pattern stays for Next whatever the search below gives.
  m_nPatternLen = std::clamp(dialog.m_nPatternLen, 0, kMaxPatternBytes);
  std::copy_n(dialog.m_pattern.begin(), m_nPatternLen, m_searchPattern.begin());
  if (m_nPatternLen <= 0) return;
  SearchAndShow(0, strings::kNotFound);
}

void CVekView::OnNext() {
  if (m_nPatternLen < 1) return;
  SearchAndShow(SaturatingAdd(m_lPageStart, 1), strings::kNoMoreOccurrences);
}

void CVekView::SearchAndShow(Offset from, const char* notFoundText) {
  WaitCursor wait(m_ui);
  switch (RunSearch(from)) {
    case SearchOutcome::Found:
      RefreshPage();
      break;
    case SearchOutcome::NotFound:
      m_ui.MessageBox(QString::fromUtf8(notFoundText));
      RefreshPage(); // the page as before, read again from the file
      break;
    case SearchOutcome::Stopped:
      break;
  }
}

CVekView::SearchOutcome CVekView::RunSearch(Offset from) {
  FileError error = FileError::None;
  const std::unique_ptr<File> file = OpenViewedFile(OpenMode::Read, error);
  const FileResult<Offset> length = file ? file->Length() : FileResult<Offset>{0, error};
  if (!file || !length.ok()) {
    m_ui.MessageBox(QString::fromUtf8(strings::kFileNotOpened));
    return SearchOutcome::Stopped;
  }
  m_lFileSize = length.value;
  if (m_lFileSize < m_nPatternLen) {
    m_ui.MessageBox(QString::fromUtf8(strings::kFileTooShort));
    return SearchOutcome::Stopped;
  }
  // One open for the whole search; blocks are read in sequence, positioned only when asked for
  // another place than where the last read ended.
  Offset position = -1;
  const ReadAtFn readAt = [&](Offset offset, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
    if (offset != position && file->Seek(offset) != FileError::None) return -1;
    const FileResult<std::size_t> read = file->Read(buffer, size);
    if (!read.ok()) return -1;
    position = offset + static_cast<Offset>(read.value);
    return static_cast<std::int64_t>(read.value);
  };
  SearchProgress progress(this, from, m_lFileSize);
  const SearchResult result =
      SearchFile(readAt, m_lFileSize, from, std::span<const std::uint8_t>(m_searchPattern.data(), m_nPatternLen),
                 [&progress](Offset upTo) { return progress.Continue(upTo); });
  switch (result.status) {
    case SearchResult::Status::Found:
      m_lPageStart = result.offset;
      m_lPageEnd = -1;
      return SearchOutcome::Found;
    case SearchResult::Status::NotFound:
      return SearchOutcome::NotFound;
    case SearchResult::Status::ReadError:
      m_ui.MessageBox(QString::fromUtf8(strings::kReadError));
      return SearchOutcome::Stopped;
    case SearchResult::Status::Cancelled:
      return SearchOutcome::Stopped;
  }
  return SearchOutcome::Stopped;
}

} // namespace vek
