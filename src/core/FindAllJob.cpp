#include "core/FindAllJob.h"

namespace vek {

FindAllJob::FindAllJob(std::unique_ptr<File> file, Offset fileSize, const Pattern& pattern, std::size_t room,
                       std::function<void()> onFinished, int workers)
    : m_file(std::move(file)), m_fileSize(fileSize), m_pattern(pattern), m_onFinished(std::move(onFinished)),
      m_collector(room), m_thread([this, workers] { Run(workers); }) {}

FindAllJob::~FindAllJob() {
  Cancel();
  m_thread.join();
}

void FindAllJob::Run(int workers) {
  FileResult<std::size_t> failure;
  const SearchStatus status = FindAll(
      ReaderOf(*m_file, &failure), m_fileSize, m_pattern.Bytes(),
      [this](std::span<const Offset> matches) {
        const std::lock_guard lock(m_mutex);
        m_collector.Add(matches);
      },
      workers, CaseFolding::None,
      [this](Offset upTo) {
        m_searchedUpTo = upTo;
        return !m_cancelled;
      });
  {
    const std::lock_guard lock(m_mutex);
    m_ended.finished = true;
    m_ended.status = status;
    if (status == SearchStatus::ReadError) {
      // A read that came back with fewer bytes than measured failed without an error of the system's.
      m_ended.error = failure.ok() ? FileError::ShortRead : failure.error;
      m_ended.code = failure.code;
    }
    if (status == SearchStatus::Found || status == SearchStatus::NotFound) m_searchedUpTo = m_fileSize;
  }
  if (m_onFinished) m_onFinished();
}

FindAllState FindAllJob::Take(std::vector<Offset>& into) {
  const std::lock_guard lock(m_mutex);
  m_collector.TakeNew(into);
  FindAllState state = m_ended;
  state.count = m_collector.Count();
  state.kept = m_collector.Kept();
  state.searchedUpTo = m_searchedUpTo;
  state.fileSize = m_fileSize;
  return state;
}

} // namespace vek
