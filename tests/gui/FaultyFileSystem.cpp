#include "FaultyFileSystem.h"

#include <algorithm>

namespace vek::test {

namespace {

class FaultyFile final : public File {
 public:
  FaultyFile(std::unique_ptr<File> real, FaultPlan& plan, FaultCounters& counters)
      : real_(std::move(real)), plan_(plan), counters_(counters) {}

  FileResult<Offset> Length() override {
    if (plan_.failLength) return {0, FileError::HardwareError};
    return real_->Length();
  }
  FileError Seek(Offset offset) override {
    if (plan_.failSeek) return FileError::BadPath;
    position_ = offset;
    return real_->Seek(offset);
  }
  FileResult<std::size_t> Read(void* buffer, std::size_t size) override {
    const int nth = counters_.reads++;
    if (plan_.failRead && nth >= plan_.failAfterReads) return {0, FileError::HardwareError};
    if (plan_.shortRead) size = std::min(size, *plan_.shortRead);
    FileResult<std::size_t> read = real_->Read(buffer, size);
    position_ += static_cast<Offset>(read.value);
    return read;
  }
  FileError Write(const void* buffer, std::size_t size) override {
    ++counters_.writes;
    counters_.lastWriteOffset = position_;
    if (plan_.failWrite) return *plan_.failWrite;
    if (plan_.shortWrite) {
      if (size > 1) real_->Write(buffer, size / 2);
      counters_.bytesWritten += size / 2;
      return FileError::DiskFull;
    }
    counters_.bytesWritten += size;
    return real_->Write(buffer, size);
  }
  FileError Sync() override {
    ++counters_.syncs;
    if (plan_.failSync) return *plan_.failSync;
    return real_->Sync();
  }

 private:
  std::unique_ptr<File> real_;
  FaultPlan& plan_;
  FaultCounters& counters_;
  Offset position_ = 0;
};

} // namespace

std::unique_ptr<File> FaultyFileSystem::Open(const std::string& path, OpenMode mode, FileError& error) {
  if (beforeOpen) beforeOpen(path, mode);
  ++counters.opens;
  ++(mode == OpenMode::Read ? counters.readOpens : counters.writeOpens);
  const std::optional<FileError>& planned = mode == OpenMode::Read ? plan.openForRead : plan.openForWrite;
  if (planned) {
    error = *planned;
    return nullptr;
  }
  std::unique_ptr<File> real = RealFileSystem().Open(path, mode, error);
  if (!real) return nullptr;
  return std::make_unique<FaultyFile>(std::move(real), plan, counters);
}

} // namespace vek::test
