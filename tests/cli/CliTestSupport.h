#pragma once
// Temporary files for the terminal-mode tests and a way to run the mode as main() does, capturing
// what it prints.

#include <cstdint>
#include <string>
#include <vector>

namespace vek::cli::test {

using Bytes = std::vector<std::uint8_t>;

// A fresh directory, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return m_path; }
  std::string Write(const std::string& name, const Bytes& bytes) const; // returns the full path

 private:
  std::string m_path;
};

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

// Parses `args` (without the program name) and runs the terminal mode on them, with `in` as its
// standard input (none by default).
Outcome RunVek(const std::vector<std::string>& args, int in = -1);

// Random bytes from a small alphabet, so that short patterns match often and overlap.
Bytes RandomBytes(std::size_t size, unsigned seed, const std::string& alphabet);

// Every offset where `pattern` starts in `hay`: the plain definition; ignoring case as the C
// library's tolower of the "C" locale does (ASCII letters only).
std::vector<std::int64_t> NaiveFindAll(const Bytes& hay, const Bytes& pattern, bool ignoreCase = false);

} // namespace vek::cli::test
