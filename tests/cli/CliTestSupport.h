#pragma once
// A way to run the terminal mode as main() does, capturing what it prints, and test data for it.

#include <cstdint>
#include <string>
#include <vector>

#include "TempDir.h"

namespace vek::cli::test {

using vek::test::Bytes;
using vek::test::TempDir;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Parses `args` (without the program name) and runs the terminal mode on them, with `in` as its
// standard input (none by default).
Outcome RunVek(const std::vector<std::string>& args, int in = -1);

// The same with `bytes` written into a pipe, on a thread of its own, whose other end is the mode's
// standard input (a FILE "-" in `args` reads it).
Outcome RunVekOnPipe(const std::vector<std::string>& args, const Bytes& bytes);

// Random bytes from a small alphabet, so that short patterns match often and overlap.
Bytes RandomBytes(std::size_t size, unsigned seed, const std::string& alphabet);

// Every offset where `pattern` starts in `hay`: the plain definition; ignoring case as the C
// library's tolower of the "C" locale does (ASCII letters only).
std::vector<std::int64_t> NaiveFindAll(const Bytes& hay, const Bytes& pattern, bool ignoreCase = false);

} // namespace vek::cli::test
