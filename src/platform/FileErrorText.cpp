#include "platform/FileErrorText.h"

#include "Strings.h"

namespace vek {

QString FileErrorText(FileError cause, const QString& path) {
  const char* text = strings::kOpenUnknown;
  switch (cause) {
    case FileError::NotFound: text = strings::kOpenNotFound; break;
    case FileError::BadPath: text = strings::kOpenBadPath; break;
    case FileError::TooManyOpenFiles: text = strings::kOpenTooManyFiles; break;
    // A directory, FIFO or socket cannot be opened as a file: as the system says of a directory.
    case FileError::IsDirectory:
    case FileError::IsPipe:
    case FileError::IsSocket:
    case FileError::AccessDenied: text = strings::kOpenAccessDenied; break;
    case FileError::SharingViolation: text = strings::kOpenSharing; break;
    case FileError::LockViolation: text = strings::kOpenLocking; break;
    case FileError::HardwareError: text = strings::kOpenHardware; break;
    case FileError::DiskFull: text = strings::kDiskFull; break;
    case FileError::None:
    case FileError::BadOffset:
    case FileError::Other: break;
  }
  return QString::fromUtf8(text).arg(path);
}

} // namespace vek
