#include "cli/Compare.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "cli/DecimalLines.h"
#include "cli/TerminalMode.h"
#include "core/Compare.h"
#include "core/FileErrorText.h"
#include "core/StreamCompare.h"
#include "platform/PosixFile.h"

namespace vek::cli {

namespace {

constexpr std::size_t kFlushBytes = std::size_t{64} * 1024;
constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::size_t kMaxLineChars = DecimalLines::kMaxLineChars + 6; // " AA BB" after the offset

// The lines of the differences, gathered and written in large pieces; a million differences are
// a million lines, so each is put together in place, its decimal offset from the line before.
class DifferenceLines {
 public:
  DifferenceLines(std::FILE* out, bool hex) : m_out(out), m_hex(hex), m_buffer(kFlushBytes + kMaxLineChars) {}

  void Add(std::span<const Offset> offsets, std::span<const std::uint8_t> pairs) {
    char* out = m_buffer.data() + m_used;
    for (std::size_t k = 0; k < offsets.size(); ++k) {
      if (out - m_buffer.data() >= static_cast<std::ptrdiff_t>(kFlushBytes)) {
        m_used = static_cast<std::size_t>(out - m_buffer.data());
        Flush();
        out = m_buffer.data();
      }
      out = m_hex ? WriteHex(offsets[k], out) : m_decimal.Write(offsets[k], out) - 1; // over its line feed
      const char line[] = {' ', kHexDigits[pairs[2 * k] >> 4], kHexDigits[pairs[2 * k] & 15], ' ',
                           kHexDigits[pairs[2 * k + 1] >> 4], kHexDigits[pairs[2 * k + 1] & 15], '\n'};
      std::memcpy(out, line, sizeof line);
      out += sizeof line;
    }
    m_used = static_cast<std::size_t>(out - m_buffer.data());
  }

  // True when everything reached the output.
  bool Finish() {
    Flush();
    if (std::fflush(m_out) != 0 && m_error == 0) m_error = errno;
    return m_error == 0 && !std::ferror(m_out);
  }
  int Error() const { return m_error != 0 ? m_error : EIO; }

 private:
  static char* WriteHex(Offset offset, char* out) {
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

  void Flush() {
    if (m_used > 0 && m_error == 0 && std::fwrite(m_buffer.data(), 1, m_used, m_out) != m_used) {
      m_error = errno != 0 ? errno : EIO;
    }
    m_used = 0;
  }

  std::FILE* m_out;
  const bool m_hex;
  DecimalLines m_decimal;
  std::vector<char> m_buffer;
  std::size_t m_used = 0;
  int m_error = 0;
};

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

void Complain(std::FILE* err, std::string_view subject, std::string_view reason) {
  std::fprintf(err, "vek: %s\n", FileProblem(subject, reason).c_str());
}

void SayWhichEnds(std::FILE* err, const Side& shorter, Offset length) {
  if (length == 0) {
    std::fprintf(err, "vek: EOF on %s which is empty\n", shorter.subject.c_str());
  } else {
    std::fprintf(err, "vek: EOF on %s after byte %lld\n", shorter.subject.c_str(), static_cast<long long>(length));
  }
}

// The file whose read failed: the one that says so, else the one that is shorter now than it was
// measured (a file cut short while mapped fails without an error of the system's).
const Side& Culprit(const Side& a, const Side& b) {
  if (!a.failure.ok()) return a;
  if (!b.failure.ok()) return b;
  const auto cut = [](const Side& side) {
    const FileResult<Offset> now = side.opened.value.file->Length();
    return now.ok() && now.value < side.opened.value.length;
  };
  return cut(b) && !cut(a) ? b : a;
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
  DifferenceLines lines(out, line.hexOffsets);
  const auto print = [&lines](std::span<const Offset> offsets, std::span<const std::uint8_t> pairs) {
    lines.Add(offsets, pairs);
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
  const bool written = lines.Finish();
  if (status == SearchStatus::ReadError) {
    const Side& culprit = Culprit(a, b);
    const FileError cause = culprit.failure.ok() ? FileError::ShortRead : culprit.failure.error;
    Complain(err, culprit.subject, FileErrorReason(cause, culprit.failure.code));
    return kExitError;
  }
  if (!written) {
    Complain(err, "write error", std::strerror(lines.Error()));
    return kExitError;
  }
  if (shorter != nullptr) SayWhichEnds(err, *shorter, shorterLength);
  return status == SearchStatus::Found ? kExitDifferent : kExitSame;
}

} // namespace vek::cli
