#include "cli/Compare.h"

#include <cstring>
#include <string>

#include "cli/DecimalLines.h"
#include "cli/Output.h"
#include "cli/TerminalMode.h"
#include "core/Compare.h"
#include "core/ComparedFiles.h"
#include "core/FileErrorText.h"
#include "core/HexDigits.h"
#include "core/StreamCompare.h"
#include "platform/PosixFile.h"

namespace vek::cli {

namespace {

static_assert(DecimalLines::kMaxLineChars + 6 <= Output::kLineRoom); // " AA BB" after the offset

char* WriteHex(Offset offset, char* out) {
  auto value = static_cast<std::uint64_t>(offset);
  char digits[16];
  int count = 0;
  do {
    digits[count++] = kHexDigits[value & 15];
    value >>= 4;
  } while (value != 0);
  while (count > 0) *out++ = digits[--count];
  return out;
}

// The lines of the differences, each put together in place, its decimal offset from the line
// before: a million differences are a million lines.
void AddDifferenceLines(Output& output, DecimalLines& decimal, bool hex, std::span<const Offset> offsets,
                        std::span<const std::uint8_t> pairs) {
  DecimalLines digits = decimal; // a local, as for --find (see Output)
  char* out = output.Cursor();
  char* const limit = output.Limit();
  for (std::size_t k = 0; k < offsets.size(); ++k) {
    if (out >= limit) out = output.Drain(out);
    out = hex ? WriteHex(offsets[k], out) : digits.Write(offsets[k], out) - 1; // over its line feed
    const char line[] = {' ', kHexDigits[pairs[2 * k] >> 4], kHexDigits[pairs[2 * k] & 15], ' ',
                         kHexDigits[pairs[2 * k + 1] >> 4], kHexDigits[pairs[2 * k + 1] & 15], '\n'};
    std::memcpy(out, line, sizeof line);
    out += sizeof line;
  }
  output.Settle(out);
  decimal = digits;
}

struct Side {
  std::string subject; // as messages name it
  FileResult<MeasuredFile> opened;
  FileResult<std::size_t> failure; // the read that failed, if one did
};

Side Open(const std::string& name, int in) {
  const bool standardInput = name == kStandardInputName;
  return {standardInput ? "(standard input)" : name,
          standardInput ? Measure(OpenDescriptor(in), OpenMode::Stream)
                        : OpenMeasured(RealFileSystem(), name, OpenMode::Stream),
          {}};
}

void SayWhichEnds(std::FILE* err, const Side& shorter, Offset length) {
  if (length == 0) {
    std::fprintf(err, "vek: EOF on %s which is empty\n", shorter.subject.c_str());
  } else {
    std::fprintf(err, "vek: EOF on %s after byte %lld\n", shorter.subject.c_str(), static_cast<long long>(length));
  }
}

// A file with a size is read at offsets, from its start (measuring it moved its position to the
// end); a stream as it comes.
ReadNextFn NextReader(Side& side) {
  return [&side, next = Offset{0}](std::uint8_t* buffer, std::size_t size) mutable -> std::int64_t {
    File& file = *side.opened.value.file;
    const FileResult<std::size_t> read = file.HasSize() ? file.ReadAt(next, buffer, size) : file.Read(buffer, size);
    next += static_cast<Offset>(read.value);
    if (!read.ok()) {
      side.failure = read;
      return -1;
    }
    return static_cast<std::int64_t>(read.value);
  };
}

} // namespace

int RunCompare(const CommandLine& line, int in, std::FILE* out, std::FILE* err) {
  if (!line.fileName || !line.secondFileName) return kExitError;
  if (*line.fileName == kStandardInputName && *line.secondFileName == kStandardInputName) {
    Complain(err, "--compare", "only one FILE may be standard input (\"-\")");
    return kExitError;
  }
  Side a = Open(*line.fileName, in);
  Side b = Open(*line.secondFileName, in);
  for (const Side* side : {&a, &b}) {
    if (!side->opened.ok()) {
      Complain(err, side->subject, FileErrorReason(side->opened.error, side->opened.code));
      return kExitError;
    }
  }
  Output output(out);
  DecimalLines decimal;
  const auto print = [&](std::span<const Offset> offsets, std::span<const std::uint8_t> pairs) {
    AddDifferenceLines(output, decimal, line.hexOffsets, offsets, pairs);
  };
  SearchStatus status = SearchStatus::NotFound;
  const Side* shorter = nullptr;
  Offset shorterLength = 0;
  if (a.opened.value.file->HasSize() && b.opened.value.file->HasSize()) {
    const ScanSource sourceA = ReaderOf(*a.opened.value.file, &a.failure);
    const ScanSource sourceB = ReaderOf(*b.opened.value.file, &b.failure);
    const CompareSide first{sourceA, a.opened.value.length};
    const CompareSide second{sourceB, b.opened.value.length};
    bool endReached = true; // every difference before the shorter file's end was listed
    if (line.firstOnly) {
      const CompareResult found = FirstDifference(first, second, 0);
      status = found.status;
      endReached = found.status == SearchStatus::Found && found.difference.atEnd;
      if (found.status == SearchStatus::Found && !found.difference.atEnd) {
        const std::uint8_t pair[] = {found.difference.first, found.difference.second};
        print(std::span(&found.difference.offset, 1), pair);
      }
    } else {
      status = AllDifferences(first, second, print);
    }
    if (status != SearchStatus::ReadError && first.length != second.length && endReached) {
      shorter = first.length < second.length ? &a : &b;
      shorterLength = std::min(first.length, second.length);
    }
  } else {
    const StreamComparison compared = CompareStreams(NextReader(a), NextReader(b), print, line.firstOnly);
    status = compared.status;
    if (compared.shorter != 0) {
      shorter = compared.shorter == 1 ? &a : &b;
      shorterLength = compared.compared;
    }
  }
  const bool written = output.Finish();
  if (status == SearchStatus::ReadError) {
    const CompareFailure failed = FailedRead({a.opened.value, a.failure}, {b.opened.value, b.failure});
    Complain(err, (failed.file == 0 ? a : b).subject, FileErrorReason(failed.cause, failed.code));
    return kExitError;
  }
  if (!written) {
    Complain(err, "write error", std::strerror(output.Error()));
    return kExitError;
  }
  if (shorter != nullptr) SayWhichEnds(err, *shorter, shorterLength);
  return status == SearchStatus::Found ? kExitDifferent : kExitSame;
}

} // namespace vek::cli
