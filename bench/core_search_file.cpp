// Searches a real file for a text with the program's file search, reading with pread, so that a
// script can time it against other tools on the same file: core_search_file FILE TEXT

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "core/Search.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s FILE TEXT\n", argv[0]);
    return 2;
  }
  const int fd = open(argv[1], O_RDONLY);
  struct stat st {};
  if (fd < 0 || fstat(fd, &st) != 0) {
    std::perror(argv[1]);
    return 2;
  }
  const vek::ReadAtFn readAt = [fd](vek::Offset offset, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
    std::size_t done = 0;
    while (done < size) {
      const ssize_t n = pread(fd, buffer + done, size - done, offset + static_cast<vek::Offset>(done));
      if (n < 0) return -1;
      if (n == 0) break;
      done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
  };
  const std::span<const std::uint8_t> pattern(reinterpret_cast<const std::uint8_t*>(argv[2]), std::strlen(argv[2]));
  const vek::SearchResult r = vek::SearchFile(readAt, st.st_size, 0, pattern);
  close(fd);
  switch (r.status) {
  case vek::SearchResult::Status::Found: std::printf("%lld\n", static_cast<long long>(r.offset)); return 0;
  case vek::SearchResult::Status::NotFound: std::printf("not found\n"); return 1;
  default: std::fprintf(stderr, "read error\n"); return 2;
  }
}
