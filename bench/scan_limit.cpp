// The floor of any scan of a cached file: map it read-only and OR every 64-bit word of it on N
// threads, each taking the next stretch of the file in turn, as the search's workers take its
// blocks. Nothing can read a file's bytes from the page cache faster than this.
//
//   scan_limit FILE [THREADS [WINDOW_MIB]]
//
// THREADS defaults to one per core. WINDOW_MIB (default 0: the whole file in one mapping) maps the
// file a window at a time instead, each window unmapped once its stretches are done: what measured
// the search's own window size (bench/README.md). Prints the OR of all words, so that the
// loop cannot be left out.

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;
constexpr std::size_t kStretchBytes = kMiB; // what one thread takes at a time, as a search block

std::uint64_t OrWords(const std::uint8_t* bytes, std::size_t size) {
  std::uint64_t acc = 0;
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + i, 8);
    acc |= word;
  }
  for (; i < size; ++i) acc |= bytes[i];
  return acc;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: %s FILE [THREADS [WINDOW_MIB]]\n", argv[0]);
    return 2;
  }
  const int fd = ::open(argv[1], O_RDONLY | O_CLOEXEC);
  struct stat st {};
  if (fd < 0 || ::fstat(fd, &st) != 0) {
    std::perror(argv[1]);
    return 2;
  }
  const auto size = static_cast<std::size_t>(st.st_size);
  const int threads = argc > 2 ? std::max(1, std::atoi(argv[2]))
                               : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const std::size_t window = argc > 3 && std::atoll(argv[3]) > 0 ? std::atoll(argv[3]) * kMiB : size;
  if (size == 0) {
    std::printf("0\n");
    return 0;
  }

  // Windows of whole stretches, mapped by the first thread that needs one and unmapped by the last
  // one done with it, so the threads never wait for each other at a window's edge.
  struct Window {
    void* mapped = nullptr;
    std::size_t length = 0;
    std::size_t stretchesLeft = 0;
  };
  const std::size_t stretches = (size + kStretchBytes - 1) / kStretchBytes;
  const std::size_t perWindow = std::max<std::size_t>(1, window / kStretchBytes);
  std::vector<Window> windows((stretches + perWindow - 1) / perWindow);
  for (std::size_t w = 0; w < windows.size(); ++w) {
    windows[w].length = std::min(perWindow * kStretchBytes, size - w * perWindow * kStretchBytes);
    windows[w].stretchesLeft = std::min(perWindow, stretches - w * perWindow);
  }
  std::mutex mutex;
  std::atomic<bool> failed{false};
  std::atomic<std::size_t> next{0};
  std::atomic<std::uint64_t> result{0};
  std::vector<std::thread> pool;
  for (int t = 0; t < threads; ++t) {
    pool.emplace_back([&] {
      std::uint64_t acc = 0;
      for (std::size_t k; (k = next.fetch_add(1)) < stretches;) {
        Window& w = windows[k / perWindow];
        const std::size_t windowStart = k / perWindow * perWindow * kStretchBytes;
        const std::uint8_t* bytes = nullptr;
        {
          const std::lock_guard lock(mutex);
          if (w.mapped == nullptr) {
            w.mapped = ::mmap(nullptr, w.length, PROT_READ, MAP_SHARED, fd, static_cast<off_t>(windowStart));
          }
          if (w.mapped == MAP_FAILED) {
            failed = true;
            return;
          }
          bytes = static_cast<const std::uint8_t*>(w.mapped);
        }
        const std::size_t at = k * kStretchBytes - windowStart;
        acc |= OrWords(bytes + at, std::min(kStretchBytes, w.length - at));
        const std::lock_guard lock(mutex);
        if (--w.stretchesLeft == 0) ::munmap(w.mapped, w.length);
      }
      result.fetch_or(acc);
    });
  }
  for (std::thread& thread : pool) thread.join();
  if (failed) {
    std::perror("mmap");
    return 2;
  }
  ::close(fd);
  std::printf("%llx\n", static_cast<unsigned long long>(result.load()));
  return 0;
}
