#include "cli/TerminalMode.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <optional>
#include <span>

#include "cli/Dump.h"
#include "cli/FindAll.h"
#include "cli/InputFile.h"
#include "core/SearchLimits.h"

namespace vek::cli {

namespace {

constexpr char kBlank = ' ';
constexpr std::size_t kFlushBytes = std::size_t{64} * 1024; // output gathered before one fwrite

void Complain(std::FILE* err, std::string_view subject, std::string_view reason) {
  std::fprintf(err, "vek: %.*s: %.*s\n", static_cast<int>(subject.size()), subject.data(),
               static_cast<int>(reason.size()), reason.data());
}

// Text gathered and written in large pieces; the first failed write is remembered.
class Output {
 public:
  explicit Output(std::FILE* out) : out_(out) { text_.reserve(kFlushBytes + kPageBytes * 8); }

  void Add(std::string_view text) {
    if (text.size() >= kFlushBytes) {
      // A large piece goes out as it is: copying it first would only cost time.
      Flush();
      Write(text);
      return;
    }
    text_ += text;
    if (text_.size() >= kFlushBytes) Flush();
  }

  void AddOffsetLine(Offset offset) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, offset).ptr;
    text_.append(digits, end);
    text_ += '\n';
    if (text_.size() >= kFlushBytes) Flush();
  }

  // True when everything reached `out`.
  bool Finish() {
    Flush();
    if (std::fflush(out_) != 0 && error_ == 0) error_ = errno;
    return error_ == 0 && !std::ferror(out_);
  }

  int Error() const { return error_ != 0 ? error_ : EIO; }

 private:
  void Flush() {
    Write(text_);
    text_.clear();
  }

  void Write(std::string_view text) {
    if (!text.empty() && error_ == 0 && std::fwrite(text.data(), 1, text.size(), out_) != text.size()) {
      error_ = errno != 0 ? errno : EIO;
    }
  }

  std::FILE* out_;
  std::string text_;
  int error_ = 0;
};

ReadAtFn Reader(const InputFile& file, int& readErrno) {
  return [&file, &readErrno](Offset offset, std::uint8_t* buffer, std::size_t size) {
    const std::int64_t got = file.ReadAt(offset, buffer, size);
    if (got < 0) readErrno = errno;
    return got;
  };
}

int Finish(Output& output, std::FILE* err, int status) {
  if (!output.Finish()) {
    Complain(err, "write error", std::strerror(output.Error()));
    return kExitError;
  }
  return status;
}

int RunDump(const CommandLine& line, const InputFile& file, std::FILE* out, std::FILE* err) {
  Output output(out);
  int readErrno = 0;
  const DumpOptions options{line.start, line.hexOffsets, line.pages};
  const DumpStatus status =
      DumpPages(Reader(file, readErrno), file.Size(), options, [&output](std::string_view text) { output.Add(text); });
  if (status == DumpStatus::ReadError) {
    Finish(output, err, kExitError);
    Complain(err, *line.fileName, ReadFailureReason(readErrno != 0 ? -1 : 0, readErrno));
    return kExitError;
  }
  return Finish(output, err, kExitFound);
}

int RunFind(const CommandLine& line, std::span<const std::uint8_t> pattern, const InputFile& file, std::FILE* out,
            std::FILE* err) {
  Output output(out);
  int readErrno = 0;
  const FindAllStatus status =
      FindAll(Reader(file, readErrno), file.Size(), pattern, [&output](Offset at) { output.AddOffsetLine(at); });
  if (status == FindAllStatus::ReadError) {
    Finish(output, err, kExitError);
    Complain(err, *line.fileName, ReadFailureReason(readErrno != 0 ? -1 : 0, readErrno));
    return kExitError;
  }
  return Finish(output, err, status == FindAllStatus::Found ? kExitFound : kExitNotFound);
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
  std::vector<std::uint8_t> pattern = ParsePattern(text, mode);
  if (pattern.empty()) reason = mode == PatternMode::Ascii ? "TEXT is empty" : "PAIRS hold no pair of hex digits";
  return pattern;
}

int RunTerminalMode(const CommandLine& line, std::FILE* out, std::FILE* err) {
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
  const std::optional<InputFile> file = InputFile::Open(*line.fileName, reason);
  if (!file) {
    Complain(err, *line.fileName, reason);
    return kExitError;
  }
  return line.action == TerminalAction::Dump ? RunDump(line, *file, out, err) : RunFind(line, pattern, *file, out, err);
}

} // namespace vek::cli
