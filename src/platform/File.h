#pragma once
// File access as the program needs it: open an existing file for reading or for reading and
// writing (never creating or truncating it), measure it, position, read, write, sync. Handles close
// when they go out of scope. Failures come back as a cause, which the caller turns into its text.
//
// The program reaches files through a FileSystem, so that tests can put one under it that fails
// at any step.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

#include "core/PageGeometry.h"

namespace vek {

enum class FileError {
  None,
  NotFound,
  AccessDenied,
  BadPath,
  TooManyOpenFiles,
  SharingViolation,
  LockViolation,
  HardwareError,
  DiskFull,
  NotAFile, // a directory, FIFO or socket: nothing to page through
  Other,
};

enum class OpenMode { Read, ReadWrite };

template <typename T> struct FileResult {
  T value{};
  FileError error = FileError::None;
  bool ok() const { return error == FileError::None; }
};

class File {
 public:
  virtual ~File() = default;
  virtual FileResult<Offset> Length() = 0;
  virtual FileError Seek(Offset offset) = 0;
  // Reads until `size` bytes or the end of the file; the count may be short only at the end.
  virtual FileResult<std::size_t> Read(void* buffer, std::size_t size) = 0;
  // Writes all bytes or fails; a short write counts as a full disk.
  virtual FileError Write(const void* buffer, std::size_t size) = 0;
  // Waits until what was written has reached the storage device.
  virtual FileError Sync() = 0;
};

// Identity of a file, the same whatever name reaches it.
struct FileIdentity {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Never blocks: FIFOs and sockets are refused as NotAFile, like directories.
  virtual std::unique_ptr<File> Open(const std::string& path, OpenMode mode, FileError& error) = 0;
  virtual bool Exists(const std::string& path) = 0;
  virtual std::optional<FileIdentity> Identity(const std::string& path) = 0;
};

// The operating system's files.
FileSystem& RealFileSystem();

} // namespace vek
