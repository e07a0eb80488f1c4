#pragma once
// A fresh directory for tests that work on real files, removed with everything in it when the
// object goes.

#include <cstdint>
#include <string>
#include <vector>

namespace vek::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return m_path; }
  // Writes a file of `bytes` named `name` and returns its full path.
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;

 private:
  std::string m_path;
};

} // namespace vek::test
