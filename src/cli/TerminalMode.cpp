#include "cli/TerminalMode.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>
#include <vector>

#include <unistd.h>

#include "cli/Compare.h"
#include "cli/DecimalLines.h"
#include "cli/Dump.h"
#include "cli/JournalCommands.h"
#include "core/ColorChoice.h"
#include "core/FileErrorText.h"
#include "core/Search.h"
#include "core/StreamSearch.h"
#include "platform/PosixFile.h"

namespace vek::cli {

namespace {

constexpr std::size_t kFlushBytes = std::size_t{64} * 1024; // output gathered before one fwrite

// One line on standard error: "vek: SUBJECT: reason", as the window words its own file messages.
void Complain(std::FILE* err, std::string_view subject, std::string_view reason) {
  std::fprintf(err, "vek: %s\n", FileProblem(subject, reason).c_str());
}

// Text gathered and written in large pieces; the first failed write is remembered.
class Output {
 public:
  explicit Output(std::FILE* out) : m_out(out), m_buffer(kFlushBytes + DecimalLines::kMaxLineChars) {}

  void Add(std::string_view text) {
    if (text.size() >= kFlushBytes) {
      // A large piece goes out as it is: copying it first would only cost time.
      Flush();
      Write(text);
      return;
    }
    if (m_used + text.size() > m_buffer.size()) Flush();
    std::copy(text.begin(), text.end(), m_buffer.data() + m_used);
    m_used += text.size();
    if (m_used >= kFlushBytes) Flush();
  }

  // --find's lines: each offset in decimal, written straight into the buffer. The loop works on
  // copies of the members: a store through `out` may alias any of them, and reloading them after
  // every line made it three times slower.
  void AddOffsetLines(std::span<const Offset> offsets) {
    DecimalLines lines = m_lines;
    char* out = m_buffer.data() + m_used;
    char* const limit = m_buffer.data() + m_buffer.size() - DecimalLines::kMaxLineChars;
    for (const Offset at : offsets) {
      if (out > limit) {
        m_used = static_cast<std::size_t>(out - m_buffer.data());
        Flush();
        out = m_buffer.data();
      }
      out = lines.Write(at, out);
    }
    m_used = static_cast<std::size_t>(out - m_buffer.data());
    m_lines = lines;
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
    Write(std::string_view(m_buffer.data(), m_used));
    m_used = 0;
  }

  void Write(std::string_view text) {
    if (!text.empty() && m_error == 0 && std::fwrite(text.data(), 1, text.size(), m_out) != text.size()) {
      m_error = errno != 0 ? errno : EIO;
    }
  }

  std::FILE* m_out;
  DecimalLines m_lines;
  std::vector<char> m_buffer;
  std::size_t m_used = 0;
  int m_error = 0;
};

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
  // A read that returned fewer bytes than measured failed without an error of the system's.
  const FileError cause = failure.ok() ? FileError::ShortRead : failure.error;
  Complain(err, path, FileErrorReason(cause, failure.code));
  return kExitError;
}

// A file with a size is read at offsets (the search on every core); any other in order.
int RunDump(const CommandLine& line, const std::string& subject, File& file, Offset size, std::FILE* out,
            std::FILE* err) {
  Output output(out);
  FileResult<std::size_t> failure;
  const DumpOptions options{line.start, line.hexOffsets, line.pages,
                            UseColor(line.color, ::isatty(::fileno(out)) == 1, std::getenv("NO_COLOR"))};
  const auto emit = [&output](std::string_view text) { output.Add(text); };
  const DumpStatus status = file.HasSize() ? DumpPages(ReaderOf(file, &failure), size, options, emit)
                                           : DumpStream(NextReader(file, failure), options, emit);
  if (status == DumpStatus::ReadError) return ReadFailed(output, err, subject, failure);
  return Finish(output, err, kExitFound);
}

// The offsets of the matches, or with --count how many there are: the lines --find would print.
int RunFind(const CommandLine& line, const std::string& subject, std::span<const std::uint8_t> pattern, File& file,
            Offset size, std::FILE* out, std::FILE* err) {
  Output output(out);
  FileResult<std::size_t> failure;
  std::uint64_t count = 0;
  const auto onMatches = [&](std::span<const Offset> matches) {
    if (line.countOnly) {
      count += matches.size();
    } else {
      output.AddOffsetLines(matches);
    }
  };
  const CaseFolding folding = line.ignoreCase ? CaseFolding::Ascii : CaseFolding::None;
  const SearchStatus status =
      file.HasSize() ? FindAll(ReaderOf(file, &failure), size, pattern, onMatches, 0, folding)
                     : FindAllInStream(NextReader(file, failure), pattern,
                                       [&onMatches](Offset at) { onMatches(std::span(&at, 1)); }, kSearchBlockBytes,
                                       folding);
  if (status == SearchStatus::ReadError) return ReadFailed(output, err, subject, failure);
  if (line.countOnly) output.Add(std::to_string(count) + "\n");
  return Finish(output, err, status == SearchStatus::Found ? kExitFound : kExitNotFound);
}

} // namespace

std::optional<Pattern> BuildPattern(std::string_view text, PatternMode mode, std::string& reason) {
  const ParsedPattern parsed = ParsePattern(text, mode);
  const bool ascii = mode == PatternMode::Ascii;
  const std::string limit = std::to_string(kMaxPatternBytes);
  switch (parsed.problem) {
    case PatternProblem::None:
    case PatternProblem::UnpairedDigit: return parsed.pattern; // an odd last digit is dropped, as documented
    case PatternProblem::Empty: reason = ascii ? "TEXT is empty" : "PAIRS hold no pair of hex digits"; break;
    case PatternProblem::TooLong:
      reason = ascii ? "TEXT is longer than " + limit + " bytes" : "PAIRS hold more than " + limit + " bytes";
      break;
    case PatternProblem::NoHexDigit: reason = "PAIRS hold no hex digit"; break;
    case PatternProblem::NotAHexPair: reason = "PAIRS hold \"" + parsed.pair + "\", which is not two hex digits"; break;
  }
  return std::nullopt;
}

int RunTerminalMode(const CommandLine& line, int in, std::FILE* out, std::FILE* err) {
  if (line.action == TerminalAction::History) return RunHistory(line, out, err);
  if (line.action == TerminalAction::Undo) return RunUndo(line, out, err);
  // The parser reports these as usage errors before anything runs.
  if (!line.fileName || line.action == TerminalAction::None) return kExitError;
  if (line.action == TerminalAction::Compare) return RunCompare(line, in, out, err);
  std::string reason;
  std::optional<Pattern> pattern;
  if (line.action == TerminalAction::Find) {
    pattern = BuildPattern(line.findText, line.findMode, reason);
    if (!pattern) {
      Complain(err, line.findMode == PatternMode::Ascii ? "--find" : "--find-hex", reason);
      return kExitError;
    }
  }
  const bool standardInput = *line.fileName == kStandardInputName;
  const std::string subject = standardInput ? "(standard input)" : *line.fileName;
  const FileResult<MeasuredFile> opened = standardInput
                                              ? Measure(OpenDescriptor(in), OpenMode::Stream)
                                              : OpenMeasured(RealFileSystem(), *line.fileName, OpenMode::Stream);
  if (!opened.ok()) {
    Complain(err, subject, FileErrorReason(opened.error, opened.code));
    return kExitError;
  }
  File& file = *opened.value.file;
  const Offset size = opened.value.length;
  return line.action == TerminalAction::Dump ? RunDump(line, subject, file, size, out, err)
                                             : RunFind(line, subject, pattern->Bytes(), file, size, out, err);
}

} // namespace vek::cli
