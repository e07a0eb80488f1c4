#include "FaultyFileSystem.h"

#include <algorithm>

namespace vek::test {

namespace {

class FaultyFile final : public File {
 public:
  FaultyFile(std::unique_ptr<File> real, FaultyFileSystem& owner, std::string path)
      : m_real(std::move(real)), m_plan(owner.plan), m_counters(owner.counters), m_owner(owner), m_path(std::move(path)) {}

  FileResult<Offset> Length() const override {
    if (m_plan.failLength) return {0, FileError::HardwareError};
    return m_real->Length();
  }
  bool HasSize() const override { return m_real->HasSize(); }
  FileResult<std::size_t> Read(void* buffer, std::size_t size) override { return m_real->Read(buffer, size); }
  FileResult<std::size_t> ReadAt(Offset offset, void* buffer, std::size_t size) const override {
    const int nth = m_counters.reads++;
    if (m_owner.beforeRead) m_owner.beforeRead(m_path, offset);
    if (m_plan.failSeek) return {0, FileError::BadOffset};
    const bool planned = m_plan.readsOf.empty() || m_plan.readsOf == m_path;
    if (planned && m_plan.failRead && nth >= m_plan.failAfterReads) return {0, FileError::HardwareError};
    if (planned && m_plan.shortRead) size = std::min(size, *m_plan.shortRead);
    return m_real->ReadAt(offset, buffer, size);
  }
  FileStatus WriteAt(Offset offset, const void* buffer, std::size_t size) override {
    if (m_plan.failSeek) return {{}, FileError::BadOffset};
    ++m_counters.writes;
    m_counters.lastWriteOffset = offset;
    if (m_plan.failWrite) return {{}, *m_plan.failWrite};
    if (m_plan.shortWrite) {
      if (size > 1) m_real->WriteAt(offset, buffer, size / 2);
      m_counters.bytesWritten += size / 2;
      return {{}, FileError::DiskFull};
    }
    m_counters.bytesWritten += size;
    const FileStatus written = m_real->WriteAt(offset, buffer, size);
    if (written.ok() && m_owner.afterWrite) m_owner.afterWrite(offset);
    return written;
  }
  FileStatus Sync() override {
    ++m_counters.syncs;
    if (m_plan.failSync) return {{}, *m_plan.failSync};
    return m_real->Sync();
  }
  FileResult<FileIdentity> Identity() const override {
    if (m_plan.failIdentity) return {{}, *m_plan.failIdentity};
    return m_real->Identity();
  }

 private:
  std::unique_ptr<File> m_real;
  const FaultPlan& m_plan;
  FaultCounters& m_counters;
  const FaultyFileSystem& m_owner;
  const std::string m_path;
};

} // namespace

FileResult<std::unique_ptr<File>> FaultyFileSystem::Open(const std::string& path, OpenMode mode) {
  if (beforeOpen) beforeOpen(path, mode);
  ++counters.opens;
  ++(mode == OpenMode::Read ? counters.readOpens : counters.writeOpens);
  const std::optional<FileError>& planned = mode == OpenMode::Read ? plan.openForRead : plan.openForWrite;
  if (planned) return {nullptr, *planned};
  FileResult<std::unique_ptr<File>> real = RealFileSystem().Open(path, mode);
  if (!real.ok()) return real;
  return {std::make_unique<FaultyFile>(std::move(real.value), *this, path)};
}

} // namespace vek::test
