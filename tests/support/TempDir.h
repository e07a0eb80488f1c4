#pragma once
// Real files for the tests: a fresh directory of their own, removed with everything in it when the
// object goes, and the bytes of a file as a test reads them back or another program changes them.

#include <cstdint>
#include <string>
#include <vector>

namespace vek::test {

using Bytes = std::vector<std::uint8_t>;

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return m_path; }
  // Creates or replaces the file `name` with `bytes`; returns its full path.
  std::string Write(const std::string& name, const Bytes& bytes) const;

 private:
  std::string m_path;
};

// Every byte of the file; throws when it cannot be read, so that a test never compares with an
// empty reading by mistake.
Bytes ReadBytes(const std::string& path);

// Changes one byte of the file in place, as another program would.
void PokeByte(const std::string& path, std::int64_t offset, std::uint8_t value);

} // namespace vek::test
