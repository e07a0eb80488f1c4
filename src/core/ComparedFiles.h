#pragma once
// Two files opened and measured for the window's compare (Next and Previous difference), both
// looked at in place by the compare of core/Compare.h, each with the record of a read that failed,
// so that a compare that stops at a read error can say which file failed and why.

#include <array>
#include <optional>
#include <string>

#include "core/Compare.h"
#include "core/DifferenceStep.h"
#include "core/File.h"

namespace vek {

struct CompareFailure {
  int file = 0; // 0: the first file, 1: the second
  FileError cause = FileError::None;
  int code = 0; // errno behind the cause; 0 where the program found it itself
};

// One file of a compare that ended in a read error: as it was measured, and its failed read if it
// recorded one.
struct ComparedRead {
  const MeasuredFile& measured;
  const FileResult<std::size_t>& failure;
};

// Which of two files failed a compare's read: the one whose read said so, else the one that is
// shorter now than it was measured (a file cut short while mapped fails without an error of the
// system's), else the first.
CompareFailure FailedRead(ComparedRead first, ComparedRead second);

class ComparedFiles {
 public:
  ComparedFiles(FileSystem& files, const std::string& first, const std::string& second);
  // The sources hold the files and the records of their failures: they stay where they are.
  ComparedFiles(const ComparedFiles&) = delete;
  ComparedFiles& operator=(const ComparedFiles&) = delete;

  // Both files opened and measured.
  bool Ready() const { return !m_openFailure; }
  // Only once Ready().
  Offset Length(int file) const { return m_sides[static_cast<std::size_t>(file)].opened.value.length; }

  // The difference nearest `origin` in `direction`: the first at an offset >= origin (Next), the
  // last before it (Previous); `progress` as FirstDifference and LastDifferenceBefore have it.
  // Only once Ready().
  CompareResult Step(StepDirection direction, Offset origin, const ProgressFn& progress = {}, int workers = 0) const;

  // The file that could not be opened, or, after a step that ended in a read error, the one that
  // failed (FailedRead).
  CompareFailure Failure() const;

 private:
  struct Side {
    FileResult<MeasuredFile> opened;
    FileResult<std::size_t> failure; // written by the compare's workers, read once they are done
    std::optional<ScanSource> source;
  };
  CompareSide Compared(int file) const;

  std::array<Side, 2> m_sides;
  std::optional<CompareFailure> m_openFailure;
};

} // namespace vek
