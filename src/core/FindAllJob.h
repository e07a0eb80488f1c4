#pragma once
// A Find All on a thread of its own, so that the window that lists it stays live: the search runs
// on every core (FindAll), a MatchCollector gathers what it finds, and whoever shows the list asks
// now and then for what is new. Destroying the job cancels the search and waits for it.

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "core/File.h"
#include "core/FindAllState.h"
#include "core/MatchCollector.h"
#include "core/Pattern.h"

namespace vek {

class FindAllJob {
 public:
  // Starts looking for every occurrence of `pattern` in `file`, `fileSize` bytes long; at most
  // `room` offsets are kept. `onFinished` is called once, on the job's thread, when the search has
  // ended (the state then says how). `workers`: 0 for DefaultSearchWorkers().
  FindAllJob(std::unique_ptr<File> file, Offset fileSize, const Pattern& pattern, std::size_t room,
             std::function<void()> onFinished = {}, int workers = 0);
  ~FindAllJob();
  FindAllJob(const FindAllJob&) = delete;
  FindAllJob& operator=(const FindAllJob&) = delete;

  // Asks the search to stop; it ends as Cancelled within a few milliseconds, unless it ended first.
  void Cancel() { m_cancelled = true; }
  // Appends the offsets found since the last call to `into`, and says where the search stands.
  FindAllState Take(std::vector<Offset>& into);

 private:
  void Run(int workers);

  const std::unique_ptr<File> m_file;
  const Offset m_fileSize;
  const Pattern m_pattern;
  const std::function<void()> m_onFinished;
  std::atomic<bool> m_cancelled{false};
  std::atomic<Offset> m_searchedUpTo{0};
  std::mutex m_mutex; // guards the two below
  MatchCollector m_collector;
  FindAllState m_ended;
  std::thread m_thread; // last: it starts once everything above exists
};

} // namespace vek
