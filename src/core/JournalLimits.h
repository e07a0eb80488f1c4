#pragma once
// The journal of vek's writes: where it lives and how large it may grow.

#include <cstddef>
#include <string_view>

namespace vek {

// Below the XDG state directory ($XDG_STATE_HOME, or ~/.local/state when that is not set).
inline constexpr std::string_view kJournalDirectoryName = "vek";
inline constexpr std::string_view kStateHomeBelowHome = ".local/state";

// The journal is two files: records are appended to the current one; when it holds
// kJournalRecordsPerFile records it becomes the previous one, replacing the one before, whose
// records are forgotten. So the newest kJournalRecordsPerFile to 2 * kJournalRecordsPerFile
// records are kept.
inline constexpr std::string_view kJournalFileName = "journal";
inline constexpr std::string_view kPreviousJournalFileName = "journal.old";
inline constexpr std::size_t kJournalRecordsPerFile = 5000;

// Far more than kJournalRecordsPerFile records of the longest path take: a larger file is not a
// journal of vek, and is not read.
inline constexpr std::size_t kJournalMaxFileBytes = std::size_t{64} * 1024 * 1024;

} // namespace vek
