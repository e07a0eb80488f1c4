#include "cli/TerminalMode.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>

#include <unistd.h>

#include "cli/Compare.h"
#include "cli/DecimalLines.h"
#include "cli/Dump.h"
#include "cli/Output.h"
#include "cli/JournalCommands.h"
#include "core/ColorChoice.h"
#include "core/FileErrorText.h"
#include "core/Search.h"
#include "core/StreamSearch.h"
#include "platform/PosixFile.h"

namespace vek::cli {

namespace {

static_assert(DecimalLines::kMaxLineChars <= Output::kLineRoom);

// --find's lines: each offset in decimal, written straight into the output's buffer. The loop
// works on copies (see Output).
void AddOffsetLines(Output& output, DecimalLines& lines, std::span<const Offset> offsets) {
  DecimalLines digits = lines;
  char* out = output.Cursor();
  char* const limit = output.Limit();
  for (const Offset at : offsets) {
    if (out >= limit) out = output.Drain(out);
    out = digits.Write(at, out);
  }
  output.Settle(out);
  lines = digits;
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
  DecimalLines lines;
  FileResult<std::size_t> failure;
  std::uint64_t count = 0;
  const auto onMatches = [&](std::span<const Offset> matches) {
    if (line.countOnly) {
      count += matches.size();
    } else {
      AddOffsetLines(output, lines, matches);
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
