#include "cli/TerminalMode.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <optional>
#include <span>

#include "cli/Dump.h"
#include "core/Search.h"
#include "core/StreamSearch.h"
#include "core/SearchLimits.h"
#include "platform/File.h"

namespace vek::cli {

namespace {

constexpr char kBlank = ' ';
constexpr std::size_t kFlushBytes = std::size_t{64} * 1024; // output gathered before one fwrite

// One line of --find's output: the offset in decimal.
void AppendOffsetLine(std::string& text, Offset offset) {
  char digits[24];
  text.append(digits, std::to_chars(digits, digits + sizeof digits, offset).ptr);
  text += '\n';
}

void Complain(std::FILE* err, std::string_view subject, std::string_view reason) {
  std::fprintf(err, "vek: %.*s: %.*s\n", static_cast<int>(subject.size()), subject.data(),
               static_cast<int>(reason.size()), reason.data());
}

// Text gathered and written in large pieces; the first failed write is remembered.
class Output {
 public:
  explicit Output(std::FILE* out) : m_out(out) { m_text.reserve(kFlushBytes + kPageBytes * 8); }

  void Add(std::string_view text) {
    if (text.size() >= kFlushBytes) {
      // A large piece goes out as it is: copying it first would only cost time.
      Flush();
      Write(text);
      return;
    }
    m_text += text;
    if (m_text.size() >= kFlushBytes) Flush();
  }

  // True when everything reached `out`.
  bool Finish() {
    Flush();
    if (std::fflush(m_out) != 0 && m_error == 0) m_error = errno;
    return m_error == 0 && !std::ferror(m_out);
  }

  int Error() const { return m_error != 0 ? m_error : EIO; }

 private:
  void Flush() {
    Write(m_text);
    m_text.clear();
  }

  void Write(std::string_view text) {
    if (!text.empty() && m_error == 0 && std::fwrite(text.data(), 1, text.size(), m_out) != text.size()) {
      m_error = errno != 0 ? errno : EIO;
    }
  }

  std::FILE* m_out;
  std::string m_text;
  int m_error = 0;
};

// Why a file cannot be used or read, in the system's words where it has some.
std::string Reason(FileError cause, int code) {
  if (code != 0) return std::strerror(code);
  switch (cause) {
    case FileError::IsPipe: return "is a FIFO, not a file with pages";
    case FileError::IsSocket: return "is a socket, not a file with pages";
    default: return "the file shrank while it was read"; // a read that came back short
  }
}

// The file's bytes for the dump and the search; the first failure is kept for the error line.
ReadAtFn Reader(const File& file, FileResult<std::size_t>& failure) {
  return [&file, &failure](Offset offset, std::uint8_t* buffer, std::size_t size) -> std::int64_t {
    const FileResult<std::size_t> read = file.ReadAt(offset, buffer, size);
    if (!read.ok()) {
      failure = read;
      return -1;
    }
    return static_cast<std::int64_t>(read.value);
  };
}

// The same for a stream's bytes, read in order.
ReadNextFn NextReader(File& file, FileResult<std::size_t>& failure) {
  return [&file, &failure](std::uint8_t* buffer, std::size_t size) -> std::int64_t {
    const FileResult<std::size_t> read = file.Read(buffer, size);
    if (!read.ok()) {
      failure = read;
      return -1;
    }
    return static_cast<std::int64_t>(read.value);
  };
}

int Finish(Output& output, std::FILE* err, int status) {
  if (!output.Finish()) {
    Complain(err, "write error", std::strerror(output.Error()));
    return kExitError;
  }
  return status;
}

int ReadFailed(Output& output, std::FILE* err, const std::string& path, const FileResult<std::size_t>& failure) {
  Finish(output, err, kExitError);
  Complain(err, path, Reason(failure.error, failure.code));
  return kExitError;
}

// A file with a size is read at offsets (the search on every core); any other in order.
int RunDump(const CommandLine& line, const std::string& subject, File& file, Offset size, std::FILE* out,
            std::FILE* err) {
  Output output(out);
  FileResult<std::size_t> failure;
  const DumpOptions options{line.start, line.hexOffsets, line.pages};
  const auto emit = [&output](std::string_view text) { output.Add(text); };
  const DumpStatus status = file.HasSize() ? DumpPages(Reader(file, failure), size, options, emit)
                                           : DumpStream(NextReader(file, failure), options, emit);
  if (status == DumpStatus::ReadError) return ReadFailed(output, err, subject, failure);
  return Finish(output, err, kExitFound);
}

int RunFind(const std::string& subject, std::span<const std::uint8_t> pattern, File& file, Offset size,
            std::FILE* out, std::FILE* err) {
  Output output(out);
  FileResult<std::size_t> failure;
  bool found = false;
  bool failed = false;
  if (file.HasSize()) {
    // The offsets are turned into lines on the search's workers, a block at a time.
    const auto lines = [](std::span<const Offset> matches, std::string& text) {
      for (const Offset at : matches) AppendOffsetLine(text, at);
    };
    const SearchResult::Status status = FindAll(Reader(file, failure), size, pattern, lines,
                                                    [&output](std::string_view text) { output.Add(text); });
    found = status == SearchResult::Status::Found;
    failed = status == SearchResult::Status::ReadError;
  } else {
    std::string line;
    const StreamSearchStatus status = FindAllInStream(NextReader(file, failure), pattern, [&](Offset at) {
      line.clear();
      AppendOffsetLine(line, at);
      output.Add(line);
    });
    found = status == StreamSearchStatus::Found;
    failed = status == StreamSearchStatus::ReadError;
  }
  if (failed) return ReadFailed(output, err, subject, failure);
  return Finish(output, err, found ? kExitFound : kExitNotFound);
}

} // namespace

std::vector<std::uint8_t> BuildPattern(std::string_view text, PatternMode mode, std::string& reason) {
  const std::size_t limit = static_cast<std::size_t>(kMaxPatternBytes);
  if (mode == PatternMode::Ascii) {
    if (text.size() > limit) {
      reason = "TEXT is longer than " + std::to_string(limit) + " bytes";
      return {};
    }
  } else {
    const auto digits = static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return c != kBlank; }));
    if (digits / 2 > limit) {
      reason = "PAIRS hold more than " + std::to_string(limit) + " bytes";
      return {};
    }
  }
  if (mode == PatternMode::Hex && std::none_of(text.begin(), text.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; })) {
    reason = "PAIRS hold no hex digit";
    return {};
  }
  std::vector<std::uint8_t> pattern = ParsePattern(text, mode);
  if (pattern.empty()) reason = mode == PatternMode::Ascii ? "TEXT is empty" : "PAIRS hold no pair of hex digits";
  return pattern;
}

int RunTerminalMode(const CommandLine& line, int in, std::FILE* out, std::FILE* err) {
  // The parser reports these as usage errors before anything runs.
  if (!line.fileName || line.action == TerminalAction::None) return kExitError;
  std::string reason;
  std::vector<std::uint8_t> pattern;
  if (line.action == TerminalAction::Find) {
    pattern = BuildPattern(line.findText, line.findMode, reason);
    if (pattern.empty()) {
      Complain(err, line.findMode == PatternMode::Ascii ? "--find" : "--find-hex", reason);
      return kExitError;
    }
  }
  const bool standardInput = *line.fileName == kStandardInputName;
  const std::string subject = standardInput ? "(standard input)" : *line.fileName;
  const FileResult<std::unique_ptr<File>> opened =
      standardInput ? OpenDescriptor(in) : RealFileSystem().Open(*line.fileName, OpenMode::Stream);
  // Only a file with a size is measured: a stream has none that holds.
  const FileResult<Offset> size = !opened.ok() ? FileResult<Offset>{0, opened.error, opened.code}
                                  : opened.value->HasSize() ? opened.value->Length()
                                                            : FileResult<Offset>{0};
  if (!size.ok()) {
    Complain(err, subject, Reason(size.error, size.code));
    return kExitError;
  }
  File& file = *opened.value;
  return line.action == TerminalAction::Dump ? RunDump(line, subject, file, size.value, out, err)
                                             : RunFind(subject, pattern, file, size.value, out, err);
}

} // namespace vek::cli
