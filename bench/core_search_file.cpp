// Searches a real file for a text as Find does, through the program's file layer, so that a
// script can time it against other tools on the same file: core_search_file FILE TEXT
// VEK_SEARCH_WORKERS forces the number of threads.

#include <cstdio>
#include <cstring>

#include "core/Search.h"
#include "platform/File.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s FILE TEXT\n", argv[0]);
    return 2;
  }
  const vek::FileResult<std::unique_ptr<vek::File>> opened = vek::RealFileSystem().Open(argv[1], vek::OpenMode::Read);
  const vek::FileResult<vek::Offset> size = opened.ok() ? opened.value->Length() : vek::FileResult<vek::Offset>{};
  if (!opened.ok() || !size.ok()) {
    std::fprintf(stderr, "%s: cannot open\n", argv[1]);
    return 2;
  }
  const vek::File& file = *opened.value;
  const vek::ReadAtFn readAt = [&file](vek::Offset offset, std::uint8_t* buffer, std::size_t count) -> std::int64_t {
    const vek::FileResult<std::size_t> read = file.ReadAt(offset, buffer, count);
    return read.ok() ? static_cast<std::int64_t>(read.value) : -1;
  };
  const std::span<const std::uint8_t> pattern(reinterpret_cast<const std::uint8_t*>(argv[2]), std::strlen(argv[2]));
  const vek::SearchResult r = vek::SearchFile(readAt, size.value, 0, pattern);
  switch (r.status) {
  case vek::SearchResult::Status::Found: std::printf("%lld\n", static_cast<long long>(r.offset)); return 0;
  case vek::SearchResult::Status::NotFound: std::printf("not found\n"); return 1;
  default: std::fprintf(stderr, "read error\n"); return 2;
  }
}
