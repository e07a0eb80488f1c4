#pragma once
// The journal's files (core/JournalLimits.h) in a directory of their own, kept private: the
// journal names the person's files and what vek wrote into them, and a journal that someone else
// could write would let them make an undo write into those files. So the directory is made 0700
// and its files 0600, neither is reached through a symbolic link, and a directory or file that
// another user owns or can write is refused.

#include <optional>
#include <string>

#include "core/JournalLimits.h"
#include "core/JournalStore.h"
#include "platform/UniqueFd.h"

namespace vek {

class PosixJournalStore final : public JournalStore {
 public:
  // `directory` none: there is no place for a journal, and every append says so. It is made
  // (with its missing parents, 0700) on the first append, not before.
  explicit PosixJournalStore(std::optional<std::string> directory, std::size_t recordsPerFile = kJournalRecordsPerFile);

  std::optional<std::string> Append(std::string_view line) override;
  JournalContents Read() override;

 private:
  // The directory and the current file as opened before, while their names still lead to them;
  // opened again (and made, where missing) otherwise. The problem, naming it, when they cannot be.
  std::optional<std::string> KeepDirectoryOpen();
  std::optional<std::string> KeepFileOpen(const std::string& path);

  struct Counted {
    bool known = false;
    unsigned long long inode = 0;
    long long end = 0; // where the next record goes: after the last byte that is not padding
    std::size_t records = 0;
    bool endsALine = true; // false after a line that a crash cut short
  };

  static Counted CountedOf(unsigned long long inode, std::string_view bytes);

  std::optional<std::string> m_directory;
  std::size_t m_recordsPerFile;
  Counted m_counted; // the current file as last seen, so that an append need not count it again
  UniqueFd m_dir;
  unsigned long long m_dirDevice = 0, m_dirInode = 0;
  UniqueFd m_file;
  unsigned long long m_fileInode = 0;
  bool m_fileIsNew = false; // made by this store, its name not yet synced
};

} // namespace vek
