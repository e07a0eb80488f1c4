// One page as a page move gets it: the session opens the file, measures it, reads 200 bytes,
// closes it and builds the page text. The file is cached; the figure is the cost of one page move.

#include <benchmark/benchmark.h>

#include <string>
#include <unistd.h>

#include "BenchFile.h"
#include "core/FileSession.h"
#include "platform/PosixFile.h"

namespace {

void BM_OnePage(benchmark::State& state) {
  const std::string path = vek::bench::MakeFile(state.range(0));
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
