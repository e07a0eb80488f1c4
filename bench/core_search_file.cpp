// Searches a real file for a text as Find does, through the program's file layer, so that a
// script can time it against other tools on the same file: core_search_file FILE TEXT
// VEK_SEARCH_WORKERS forces the number of threads.

#include <cstdio>
#include <cstring>

#include "core/Search.h"
#include "platform/PosixFile.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s FILE TEXT\n", argv[0]);
    return 2;
  }
  const vek::FileResult<vek::MeasuredFile> opened = vek::OpenMeasured(vek::RealFileSystem(), argv[1], vek::OpenMode::Read);
  if (!opened.ok()) {
    std::fprintf(stderr, "%s: cannot open\n", argv[1]);
    return 2;
  }
  const std::span<const std::uint8_t> pattern(reinterpret_cast<const std::uint8_t*>(argv[2]), std::strlen(argv[2]));
  const vek::SearchResult r = vek::SearchFile(vek::ReaderOf(*opened.value.file), opened.value.length, 0, pattern);
  switch (r.status) {
  case vek::SearchStatus::Found: std::printf("%lld\n", static_cast<long long>(r.offset)); return 0;
  case vek::SearchStatus::NotFound: std::printf("not found\n"); return 1;
  default: std::fprintf(stderr, "read error\n"); return 2;
  }
}
