#pragma once
// The program's own texts, exactly as it shows them (trailing blanks and spellings included).

namespace vek::strings {

inline constexpr const char* kAppName = "vek";        // message-box caption, main frame title
inline constexpr const char* kUntitledBase = "Vek";   // untitled documents: Vek1, Vek2, ...
inline constexpr const char* kTitlePrefix = "VEK - "; // document title after a page read
inline constexpr const char* kFileLinePrefix = "File : ";

inline constexpr const char* kFileNotOpened = "File could not be opened ";
inline constexpr const char* kSeekError = "Seek error";
inline constexpr const char* kReadError = "Read Error";
inline constexpr const char* kNotFound = "Not found";
inline constexpr const char* kNoMoreOccurrences = "No more occurances found";
inline constexpr const char* kFileTooShort = "Not that many bytes in the file";

inline constexpr const char* kAskFileTitle = "VEK - Input Filename";
// Every file: "*" and not "*.*", which on Linux would hide the many files without a dot.
inline constexpr const char* kAskFileFilter = "All files (*)";
inline constexpr const char* kOpenTitle = "Open";
inline constexpr const char* kOpenFilter = "All Files (*)";

// Opening a document: the message for each cause, %1 the file's full path.
inline constexpr const char* kOpenUnknown = "An unknown error occurred while accessing %1.";
inline constexpr const char* kOpenNotFound = "%1 was not found.";
inline constexpr const char* kOpenBadPath = "%1 contains an invalid path.";
inline constexpr const char* kOpenTooManyFiles =
    "%1 could not be opened because there are too many open files.";
inline constexpr const char* kOpenAccessDenied = "Access to %1 was denied.";
inline constexpr const char* kOpenSharing = "A sharing violation occurred while accessing %1.";
inline constexpr const char* kOpenLocking = "A locking violation occurred while accessing %1.";
inline constexpr const char* kOpenHardware = "A hardware I/O error was reported while accessing %1.";
inline constexpr const char* kDiskFull = "Disk full while accessing %1.";

} // namespace vek::strings
