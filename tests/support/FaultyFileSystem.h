#pragma once
// A file system for tests that passes through to the real files and fails wherever a test asks:
// the open (with any cause, for reading or for writing), the length, the positioning of a read or
// write, the read (failed or short), the write (failed or short), the sync, the identity of an open
// file. Hooks run before each open, before each read and after each write that reached the file, so
// a test can change the file between two steps as another program would.

#include <functional>
#include <optional>
#include <string>

#include "platform/PosixFile.h"

namespace vek::test {

struct FaultPlan {
  std::optional<FileError> openForRead;  // fail opens for reading with this cause
  std::optional<FileError> openForWrite; // fail opens for writing with this cause
  bool failLength = false;
  bool failSeek = false;                // reads and writes cannot be positioned
  bool failRead = false;
  std::optional<std::size_t> shortRead; // deliver at most this many bytes per read
  std::optional<FileError> failWrite;
  bool shortWrite = false;              // the write reaches the file only in part, reported as a full disk
  std::optional<FileError> failSync;
  std::optional<FileError> failIdentity; // an open file cannot tell which file it is
  int failAfterReads = 0;               // let this many reads succeed before failRead applies
  std::string readsOf; // failRead and shortRead apply to the file opened by this name alone; empty: to all
};

struct FaultCounters {
  int opens = 0, readOpens = 0, writeOpens = 0, reads = 0, writes = 0, syncs = 0;
  std::size_t bytesWritten = 0;
  Offset lastWriteOffset = -1;
};

class FaultyFileSystem final : public FileSystem {
 public:
  FileResult<std::unique_ptr<File>> Open(const std::string& path, OpenMode mode) override;
  bool Exists(const std::string& path) override { return RealFileSystem().Exists(path); }
  std::optional<FileIdentity> Identity(const std::string& path) override { return RealFileSystem().Identity(path); }

  FaultPlan plan;
  FaultCounters counters;
  std::function<void(const std::string& path, OpenMode mode)> beforeOpen;
  std::function<void(Offset offset)> afterWrite;
  // Before each positioned read, on the thread that reads (the search's and the compare's workers
  // read at once): a test may cut the file short there, as another program would.
  std::function<void(const std::string& path, Offset offset)> beforeRead;
};

} // namespace vek::test
