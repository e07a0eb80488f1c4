#include "core/ComparedFiles.h"

namespace vek {

CompareFailure FailedRead(ComparedRead first, ComparedRead second) {
  const std::array<const ComparedRead*, 2> reads = {&first, &second};
  for (int file = 0; file < 2; ++file) {
    const FileResult<std::size_t>& failure = reads[static_cast<std::size_t>(file)]->failure;
    if (!failure.ok()) return {file, failure.error, failure.code};
  }
  const auto cutShort = [](const ComparedRead& read) {
    const FileResult<Offset> now = read.measured.file->Length();
    return now.ok() && now.value < read.measured.length;
  };
  return {cutShort(second) && !cutShort(first) ? 1 : 0, FileError::ShortRead, 0};
}

ComparedFiles::ComparedFiles(FileSystem& files, const std::string& first, const std::string& second) {
  const std::array<const std::string*, 2> paths = {&first, &second};
  for (int file = 0; file < 2; ++file) {
    Side& side = m_sides[static_cast<std::size_t>(file)];
    side.opened = OpenMeasured(files, *paths[static_cast<std::size_t>(file)], OpenMode::Read);
    if (!side.opened.ok()) {
      m_openFailure = CompareFailure{file, side.opened.error, side.opened.code};
      return;
    }
    side.source.emplace(ReaderOf(*side.opened.value.file, &side.failure));
  }
}

CompareSide ComparedFiles::Compared(int file) const {
  const Side& side = m_sides[static_cast<std::size_t>(file)];
  return {*side.source, side.opened.value.length};
}

CompareResult ComparedFiles::Step(StepDirection direction, Offset origin, const ProgressFn& progress, int workers) const {
  if (direction == StepDirection::Next) return FirstDifference(Compared(0), Compared(1), origin, progress, workers);
  return LastDifferenceBefore(Compared(0), Compared(1), origin, progress, workers);
}

CompareFailure ComparedFiles::Failure() const {
  if (m_openFailure) return *m_openFailure;
  return FailedRead({m_sides[0].opened.value, m_sides[0].failure}, {m_sides[1].opened.value, m_sides[1].failure});
}

} // namespace vek
