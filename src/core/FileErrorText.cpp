#include "core/FileErrorText.h"

#include <cstring>

#include "Strings.h"

namespace vek {

std::string FileErrorText(FileError cause, std::string_view shownPath) {
  std::string_view text = strings::kOpenUnknown;
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
    case FileError::ShortRead:
    case FileError::Other: break;
  }
  std::string message(text);
  if (const std::size_t at = message.find("%1"); at != std::string::npos) message.replace(at, 2, shownPath);
  return message;
}

std::string FileErrorReason(FileError cause, int code) {
  if (code != 0) return std::strerror(code);
  switch (cause) {
    case FileError::IsPipe: return "is a FIFO, not a file with pages";
    case FileError::IsSocket: return "is a socket, not a file with pages";
    case FileError::ShortRead: return "the file shrank while it was read";
    default: return "the file could not be used";
  }
}

std::string FileProblem(std::string_view shownPath, std::string_view reason) {
  std::string message(shownPath);
  message += ": ";
  message += reason;
  return message;
}

} // namespace vek
