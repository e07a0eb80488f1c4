#include "MappedFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <stdexcept>

#include "platform/PosixFile.h"

namespace vek::test {

std::unique_ptr<File> OpenForReading(const std::string& path) {
  FileResult<std::unique_ptr<File>> opened = RealFileSystem().Open(path, OpenMode::Read);
  if (!opened.ok()) throw std::runtime_error("cannot open " + path);
  return std::move(opened.value);
}

std::string WriteSparse(const TempDir& dir, const std::string& name, Offset size,
                        const std::vector<std::pair<Offset, Bytes>>& marks) {
  const std::string path = dir.Write(name, {});
  if (::truncate(path.c_str(), size) != 0) throw std::runtime_error("cannot size " + path);
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  for (const auto& [at, bytes] : marks) {
    if (::pwrite(fd, bytes.data(), bytes.size(), at) != static_cast<ssize_t>(bytes.size())) {
      ::close(fd);
      throw std::runtime_error("cannot write " + path);
    }
  }
  ::close(fd);
  return path;
}

std::unique_ptr<FileMapping> CountingFile::MapForReading(Offset offset, std::size_t size) const {
  if (std::find(m_refused.begin(), m_refused.end(), offset) != m_refused.end()) return nullptr;
  std::unique_ptr<FileMapping> mapping = m_file->MapForReading(offset, size);
  if (mapping) ++mappings;
  return mapping;
}

} // namespace vek::test
