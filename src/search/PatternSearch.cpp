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
  SearchProgress progress(owner, search.backward ? search.from + 1 : search.from, search.backward ? 0 : search.length);
  const SearchResult result = RunPreparedSearch(search, session.SearchPattern().Bytes(),
                                                [&progress](Offset reached) { return progress.Continue(reached); });
  return session.FinishSearch(kind, result);
}

} // namespace

bool AskForPattern(UiServices& ui, FileSession& session) {
  CFindDlg dialog;
  if (ui.RunModal(dialog) != QDialog::Accepted) return false;
  return session.TakePattern(dialog.m_pattern);
}

Outcome RunFind(UiServices& ui, FileSystem& files, FileSession& session, QWidget* owner) {
  if (!AskForPattern(ui, session)) return {};
  return Search(ui, files, session, owner, SearchKind::Find);
}

Outcome RunNext(UiServices& ui, FileSystem& files, FileSession& session, QWidget* owner) {
  return Search(ui, files, session, owner, SearchKind::Next);
}

Outcome RunPrevious(UiServices& ui, FileSystem& files, FileSession& session, QWidget* owner) {
  return Search(ui, files, session, owner, SearchKind::Previous);
}

} // namespace vek
