#pragma once
// Real files of a temporary directory for the scans that map them, and a file layer around them
// that counts how it is read, or refuses some of its mappings.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "TempDir.h"
#include "core/File.h"

namespace vek::test {

using Bytes = std::vector<std::uint8_t>;

// The real file at `path`, opened for reading as the search opens it.
std::unique_ptr<File> OpenForReading(const std::string& path);

// A file of `size` bytes, zeros (holes) but for `marks` (offset, bytes) written into it.
std::string WriteSparse(const TempDir& dir, const std::string& name, Offset size,
                        const std::vector<std::pair<Offset, Bytes>>& marks);

// A real file as the file layer gives it, with the mappings and reads counted; mappings of the
// windows whose offsets are in `refused` fail as a failing mmap would.
class CountingFile final : public File {
 public:
  explicit CountingFile(std::unique_ptr<File> file, std::vector<Offset> refused = {})
      : m_file(std::move(file)), m_refused(std::move(refused)) {}

  FileResult<Offset> Length() const override { return m_file->Length(); }
  bool HasSize() const override { return m_file->HasSize(); }
  FileResult<std::size_t> Read(void* buffer, std::size_t size) override { return m_file->Read(buffer, size); }
  FileResult<std::size_t> ReadAt(Offset offset, void* buffer, std::size_t size) const override {
    ++reads;
    return m_file->ReadAt(offset, buffer, size);
  }
  FileStatus WriteAt(Offset offset, const void* buffer, std::size_t size) override {
    return m_file->WriteAt(offset, buffer, size);
  }
  FileStatus Sync() override { return m_file->Sync(); }
  FileResult<FileIdentity> Identity() const override { return m_file->Identity(); }
  std::unique_ptr<FileMapping> MapForReading(Offset offset, std::size_t size) const override;

  mutable std::atomic<int> reads = 0;
  mutable std::atomic<int> mappings = 0; // those that were given

 private:
  std::unique_ptr<File> m_file;
  std::vector<Offset> m_refused;
};

} // namespace vek::test
