// One page as a page move gets it: the session opens the file, measures it, reads 200 bytes,
// closes it and builds the page text. The file is cached; the figure is the cost of one page move.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "core/FileSession.h"
#include "platform/PosixFile.h"

namespace {

std::string MakeFile(long long size) {
  char name[] = "/tmp/vek-bench-page-XXXXXX";
  const int fd = mkstemp(name);
  std::string chunk(1 << 16, '\0');
  for (std::size_t i = 0; i < chunk.size(); ++i) chunk[i] = static_cast<char>(i * 131 + 7);
  for (long long done = 0; done < size;) {
    const auto n = static_cast<std::size_t>(std::min<long long>(size - done, static_cast<long long>(chunk.size())));
    if (write(fd, chunk.data(), n) != static_cast<ssize_t>(n)) break;
    done += static_cast<long long>(n);
  }
  close(fd);
  return name;
}

void BM_OnePage(benchmark::State& state) {
  const std::string path = MakeFile(state.range(0));
  vek::FileSystem& files = vek::RealFileSystem();
  vek::FileSession session;
  session.LoadFile(files, path);
  for (auto _ : state) {
    // Walk the file page by page, back to its start after the last.
    const vek::PageState& page = session.Page();
    const vek::Outcome shown = session.ShowPage(files, page.end >= page.fileSize ? page.First() : page.Next());
    benchmark::DoNotOptimize(shown);
  }
  unlink(path.c_str());
}
BENCHMARK(BM_OnePage)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
