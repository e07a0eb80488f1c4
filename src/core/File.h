#pragma once
// The one file layer of the program, the window and the terminal mode alike: open an existing file
// for reading or for reading and writing (never creating or truncating it), measure it, read and
// write at an offset, sync. Handles close when they go out of scope. Failures come back as values:
// a cause, which the caller turns into its text, and the system's error number behind it.
//
// This is the interface the core works on; platform/PosixFile.h gives the operating system's files
// behind it.
//
// Threads: Length and ReadAt leave no state behind (positioned reads share no file position), so
// any thread may call them, also at the same time; the search reads on a thread of its own while
// the GUI thread waits. WriteAt and Sync belong to the thread that opened the file.
//
// A regular file can also be mapped (MapForReading), for the scans that read it whole; the page
// reads, the dump and the writes keep ReadAt and WriteAt, as one page needs no mapping.
//
// Files without a size to page through (pipes, FIFOs, character devices, the files of /proc and
// /sys whose size reads 0) are read in order instead, with Read; only the terminal mode does that.
//
// The program reaches files through a FileSystem, so that tests can put one under it that fails
// at any step. No Qt here: the terminal mode runs without it.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "core/FileMapping.h"
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
  BadOffset, // a read or write could not be positioned at its offset
  ShortRead, // a read came back with fewer bytes than the file was measured to hold
  IsDirectory,
  IsPipe,    // a FIFO: opening it would wait for a writer, and it has no pages
  IsSocket,
  Other,
};

// Stream: for reading, in order where the file has no size, as cat reads: the open of a FIFO
// waits for a writer. Read and ReadWrite never wait.
enum class OpenMode { Read, ReadWrite, Stream };

template <typename T> struct FileResult {
  T value{};
  FileError error = FileError::None;
  int code = 0; // errno of the call that failed; 0 where the refusal is the program's own
  bool ok() const { return error == FileError::None; }
};
using FileStatus = FileResult<std::monostate>; // success or a failure, nothing more

// Identity of a file, the same whatever name reaches it.
struct FileIdentity {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

class File {
 public:
  virtual ~File() = default;
  virtual FileResult<Offset> Length() const = 0;
  // A regular file that is not empty, or a block device: Length and ReadAt give its pages. Other
  // files report no size that holds (0, or an error) and are read with Read.
  virtual bool HasSize() const = 0;
  // Up to `size` bytes from the current position on, as they come; the count is short only at the
  // end of the stream.
  virtual FileResult<std::size_t> Read(void* buffer, std::size_t size) = 0;
  // Up to `size` bytes from `offset` on; the count is short only at the end of the file.
  virtual FileResult<std::size_t> ReadAt(Offset offset, void* buffer, std::size_t size) const = 0;
  // Writes all bytes or fails; a short write counts as a full disk.
  virtual FileStatus WriteAt(Offset offset, const void* buffer, std::size_t size) = 0;
  // Waits until what was written has reached the storage device.
  virtual FileStatus Sync() = 0;
  // The file this handle has open, whatever has happened to its name since: a check that a name
  // still leads to the file read earlier compares this with the identity taken then.
  virtual FileResult<FileIdentity> Identity() const = 0;
  // The bytes [offset, offset + size) read-only in memory, or none where the file cannot be mapped
  // (only regular files can) or the mapping fails: the caller reads them with ReadAt then. The
  // mapping does not check the file's length: bytes past its end, now or after a truncation, raise
  // SIGBUS when touched. Any thread may call it, as ReadAt.
  virtual std::unique_ptr<FileMapping> MapForReading(Offset offset, std::size_t size) const {
    (void)offset;
    (void)size;
    return nullptr;
  }
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Read and ReadWrite never block: directories, FIFOs and sockets are refused (IsDirectory,
  // IsPipe, IsSocket) before anything waits on them. Stream takes FIFOs too.
  virtual FileResult<std::unique_ptr<File>> Open(const std::string& path, OpenMode mode) = 0;
  virtual bool Exists(const std::string& path) = 0;
  virtual std::optional<FileIdentity> Identity(const std::string& path) = 0;
};

// A file opened and measured: how every reader starts.
struct MeasuredFile {
  std::unique_ptr<File> file;
  Offset length = 0; // 0 for a file without a size (HasSize() false) opened as a Stream
};

// Opens `path` and measures it; a failure of either step is the result's error.
FileResult<MeasuredFile> OpenMeasured(FileSystem& files, const std::string& path, OpenMode mode);
// The same for a file opened otherwise (standard input).
FileResult<MeasuredFile> Measure(FileResult<std::unique_ptr<File>> opened, OpenMode mode);

} // namespace vek
