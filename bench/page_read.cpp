// One page as the view gets it: open the file, measure it, position, read 200 bytes, close, and
// build the page text. The file is cached; the figure is the cost of one page move.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <span>
#include <string>
#include <unistd.h>

#include "core/ClampPage.h"
#include "core/PageText.h"
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
  std::uint8_t buffer[vek::kPageBytes];
  vek::Offset start = 0;
  for (auto _ : state) {
    const auto file = files.Open(path, vek::OpenMode::Read).value;
    const vek::Offset size = file->Length().value;
    const vek::PageWindow page = vek::ClampPage(start, start + vek::kPageBytes, size);
    const auto read = file->ReadAt(page.start, buffer, static_cast<std::size_t>(page.count));
    benchmark::DoNotOptimize(
        vek::BuildPageText(std::span<const std::uint8_t>(buffer, read.value), page.start, false));
    start = (page.end >= size) ? 0 : page.start + vek::kPageBytes; // walk the file, page by page
  }
  unlink(path.c_str());
}
BENCHMARK(BM_OnePage)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
