#include "CliTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <random>
#include <stdexcept>
#include <thread>

#include <unistd.h>

#include "cli/TerminalMode.h"
#include "core/CommandLine.h"

namespace vek::cli::test {

namespace {

std::string ReadBack(std::FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  std::fclose(file);
  return text;
}

} // namespace

Outcome RunVek(const std::vector<std::string>& args, int in) {
  const CommandLine line = ParseCommandLine(args);
  EXPECT_EQ(line.error, "");
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  if (out == nullptr || err == nullptr) throw std::runtime_error("tmpfile failed");
  Outcome outcome;
  outcome.status = RunTerminalMode(line, in, out, err);
  outcome.out = ReadBack(out);
  outcome.err = ReadBack(err);
  return outcome;
}

Outcome RunVekOnPipe(const std::vector<std::string>& args, const Bytes& bytes) {
  // With --pages the reader may stop early: the writer then sees EPIPE instead of ending the test.
  std::signal(SIGPIPE, SIG_IGN);
  int ends[2];
  if (::pipe(ends) != 0) throw std::runtime_error("pipe failed");
  std::thread writer([&bytes, fd = ends[1]] {
    for (std::size_t done = 0; done < bytes.size();) {
      const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
      if (n <= 0) break; // the reader stopped early (--pages)
      done += static_cast<std::size_t>(n);
    }
    ::close(fd);
  });
  const Outcome outcome = RunVek(args, ends[0]);
  ::close(ends[0]);
  writer.join();
  return outcome;
}

Bytes RandomBytes(std::size_t size, unsigned seed, const std::string& alphabet) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  Bytes bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(alphabet[pick(random)]);
  return bytes;
}

std::vector<std::int64_t> NaiveFindAll(const Bytes& hay, const Bytes& pattern, bool ignoreCase) {
  const auto same = [ignoreCase](std::uint8_t a, std::uint8_t b) {
    return ignoreCase ? std::tolower(a) == std::tolower(b) : a == b;
  };
  std::vector<std::int64_t> found;
  if (pattern.empty()) return found;
  for (std::size_t i = 0; i + pattern.size() <= hay.size(); ++i) {
    if (std::equal(pattern.begin(), pattern.end(), hay.begin() + static_cast<std::ptrdiff_t>(i), same)) {
      found.push_back(static_cast<std::int64_t>(i));
    }
  }
  return found;
}

} // namespace vek::cli::test
