#include "search/PatternSearch.h"

#include "core/FileSession.h"
#include "platform/UiServices.h"
#include "platform/WaitCursor.h"
#include "search/CFindDlg.h"
#include "search/SearchProgress.h"

namespace vek {

namespace {

Outcome Search(UiServices& ui, FileSystem& files, FileSession& session, QWidget* owner, SearchKind kind) {
  WaitCursor wait(ui);
  const PreparedSearch search = session.PrepareSearch(files, kind);
  if (!search.file) return search.stop;
  // The reads run on the search's own threads; ReadAt may be called from any thread.
  SearchProgress progress(owner, search.from, search.length);
  const SearchResult result = SearchFile(ReaderOf(*search.file), search.length, search.from,
                                         session.SearchPattern().Bytes(),
                                         [&progress](Offset upTo) { return progress.Continue(upTo); });
  return session.FinishSearch(kind, result);
}

} // namespace

Outcome RunFind(UiServices& ui, FileSystem& files, FileSession& session, QWidget* owner) {
  CFindDlg dialog;
  if (ui.RunModal(dialog) != QDialog::Accepted) return {};
  if (!session.TakePattern(dialog.m_pattern)) return {};
  return Search(ui, files, session, owner, SearchKind::Find);
}

Outcome RunNext(UiServices& ui, FileSystem& files, FileSession& session, QWidget* owner) {
  return Search(ui, files, session, owner, SearchKind::Next);
}

} // namespace vek
