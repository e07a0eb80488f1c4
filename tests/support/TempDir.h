#pragma once
// A fresh directory for a test's files, removed with everything in it when the object goes.

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
  // Writes the file and returns its full path.
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const;
  static std::vector<std::uint8_t> Read(const std::string& path);

 private:
  std::string m_path;
};

} // namespace vek::test
