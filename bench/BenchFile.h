#pragma once
// A file for a benchmark: `size` bytes that are not all alike, in /tmp, written once and cached.

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace vek::bench {

inline std::string MakeFile(long long size) {
  char name[] = "/tmp/vek-bench-XXXXXX";
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

} // namespace vek::bench
