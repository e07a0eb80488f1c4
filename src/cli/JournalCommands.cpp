#include "cli/JournalCommands.h"

#include <algorithm>
#include <memory>
#include <string>

#include "cli/HistoryLines.h"
#include "cli/TerminalMode.h"
#include "core/FileEditor.h"
#include "core/FileErrorText.h"
#include "core/FileNameText.h"
#include "core/JournalLocation.h"
#include "core/WriteMessages.h"
#include "platform/PosixFile.h"
#include "platform/PosixJournalStore.h"

namespace vek::cli {

namespace {

void Say(std::FILE* err, std::string_view text) { std::fprintf(err, "vek: %.*s\n", static_cast<int>(text.size()), text.data()); }

void SayProblem(std::FILE* err, const std::string& path, std::string_view reason) {
  Say(err, FileProblem(DecodeFileName(path), reason));
}

// The journal as this user's terminal reads it; false, said, when a part of it could not be read.
bool ReadJournal(Journal& journal, JournalReading& reading, std::FILE* err) {
  reading = journal.Read();
  for (const std::string& warning : reading.warnings) Say(err, "warning: " + warning);
  for (const std::string& problem : reading.problems) Say(err, problem);
  return reading.problems.empty();
}

// FILE opened for reading: the byte reader of --history and the identity its records are found by.
struct OpenedFile {
  std::unique_ptr<File> file;
  FileIdentity identity;
};

std::optional<OpenedFile> OpenForIdentity(const std::string& path, std::FILE* err) {
  FileResult<std::unique_ptr<File>> opened = RealFileSystem().Open(path, OpenMode::Read);
  if (!opened.ok()) {
    SayProblem(err, path, FileErrorReason(opened.error, opened.code));
    return std::nullopt;
  }
  const FileResult<FileIdentity> identity = opened.value->Identity();
  if (!identity.ok()) {
    SayProblem(err, path, FileErrorReason(identity.error, identity.code));
    return std::nullopt;
  }
  return OpenedFile{std::move(opened.value), identity.value};
}

// The records of a name that were written to another file than the one it leads to now.
bool WrittenToAnotherFile(const std::vector<JournalRecord>& records, const std::string& path, const FileIdentity& now) {
  const std::string recorded = RecordedPath(path);
  for (const JournalRecord& r : records) {
    if (r.path == recorded && r.identity != now) return true;
  }
  return false;
}

struct Tally {
  int undone = 0;
  bool failed = false;
};

// Undoes the writes of one file newest first, passing over those whose byte another program has
// changed: all of them, or only the first that is still in the file.
void UndoFile(Journal& journal, const std::string& path, const FileIdentity& identity,
              const std::vector<JournalRecord>& records, bool all, std::FILE* out, std::FILE* err, Tally& tally) {
  FileEditor editor(RealFileSystem(), &journal, path, identity, HistoryOf(records, identity));
  const std::string shown = DecodeFileName(path);
  for (std::optional<ByteEdit> edit = editor.History().NextUndo(); edit; edit = editor.History().NextUndo()) {
    const ByteWriteResult result = editor.Undo();
    if (result.note) Say(err, "warning: " + result.note->text);
    switch (result.outcome) {
      case WriteOutcome::Written:
        ++tally.undone;
        std::fprintf(out, "%s\n",
                     FileProblem(shown, OffsetWords(edit->offset) + ": " + ByteWords(edit->after) + " back to " +
                                            ByteWords(edit->before))
                         .c_str());
        if (!all) return;
        break;
      case WriteOutcome::ByteChanged:
        Say(err, result.message->text); // passed over: the next write is tried
        break;
      case WriteOutcome::Failed:
        tally.failed = true;
        SayProblem(err, path, FileErrorReason(result.cause, result.code) + "; nothing was undone there");
        return;
      default:
        tally.failed = true;
        if (result.message) Say(err, result.message->text);
        return;
    }
  }
}

int Status(const Tally& tally) {
  if (tally.failed) return kExitError;
  return tally.undone > 0 ? kExitFound : kExitNotFound;
}

int UndoOneFile(Journal& journal, const JournalReading& reading, const std::string& path, bool all, std::FILE* out,
                std::FILE* err) {
  const std::optional<OpenedFile> opened = OpenForIdentity(path, err);
  if (!opened) return kExitError;
  Tally tally;
  if (!HistoryOf(reading.records, opened->identity).NextUndo() &&
      WrittenToAnotherFile(reading.records, path, opened->identity)) {
    SayProblem(err, path,
               "vek wrote to another file of this name, which this one has replaced; nothing was undone");
    return kExitError;
  }
  UndoFile(journal, path, opened->identity, reading.records, all, out, err, tally);
  if (tally.undone == 0 && !tally.failed) std::fprintf(out, "%s: nothing to undo\n", DecodeFileName(path).c_str());
  return Status(tally);
}

// Every file the journal names, the one written to last first.
int UndoEveryFile(Journal& journal, const JournalReading& reading, std::FILE* out, std::FILE* err) {
  std::vector<const JournalRecord*> newest; // each file's newest record
  for (auto r = reading.records.rbegin(); r != reading.records.rend(); ++r) {
    const auto same = [&](const JournalRecord* seen) { return seen->identity == r->identity; };
    if (std::none_of(newest.begin(), newest.end(), same)) newest.push_back(&*r);
  }
  Tally tally;
  for (const JournalRecord* last : newest) {
    const FileIdentity& identity = last->identity;
    const std::string& path = last->path;
    if (!HistoryOf(reading.records, identity).NextUndo()) continue;
    const std::optional<OpenedFile> opened = OpenForIdentity(path, err);
    if (!opened) {
      tally.failed = true;
      continue;
    }
    if (opened->identity != identity) {
      tally.failed = true;
      SayProblem(err, path, "is no longer the file vek wrote to (it was replaced, or moved away); nothing was undone there");
      continue;
    }
    UndoFile(journal, path, identity, reading.records, true, out, err, tally);
  }
  if (tally.undone == 0 && !tally.failed) std::fputs("nothing to undo\n", out);
  return Status(tally);
}

} // namespace

int RunHistory(const CommandLine& line, std::FILE* out, std::FILE* err) {
  PosixJournalStore store(JournalDirectoryOfThisUser());
  Journal journal(store);
  JournalReading reading;
  if (!ReadJournal(journal, reading, err)) return kExitError;
  const std::string& path = *line.fileName;
  const std::optional<OpenedFile> opened = OpenForIdentity(path, err);
  if (!opened) return kExitError;
  const FileResult<Offset> length = opened->file->Length();
  if (!length.ok()) {
    SayProblem(err, path, FileErrorReason(length.error, length.code));
    return kExitError;
  }
  const std::string recorded = RecordedPath(path);

  int listed = 0;
  for (const JournalRecord& record : reading.records) {
    const bool thisFile = record.identity == opened->identity;
    if (!thisFile && record.path != recorded) continue;
    StillThere state = StillThere::AnotherFile;
    std::optional<std::uint8_t> now;
    if (thisFile) {
      std::uint8_t byte = 0;
      bool inFile = record.edit.offset < length.value;
      if (inFile) {
        const FileResult<std::size_t> read = opened->file->ReadAt(record.edit.offset, &byte, 1);
        if (!read.ok()) {
          // What the file holds there is unknown: saying it is past the end would be wrong.
          std::fflush(out);
          SayProblem(err, path, FileErrorReason(read.error, read.code));
          return kExitError;
        }
        inFile = read.value == 1; // none: the file was cut short since it was measured
      }
      now = inFile ? std::optional(byte) : std::nullopt;
      state = !inFile ? StillThere::PastTheEnd : byte == ValueAfter(record) ? StillThere::Yes : StillThere::Changed;
    }
    std::fputs(HistoryLine(record, state, now, line.hexOffsets).c_str(), out);
    ++listed;
  }
  if (std::fflush(out) != 0 || std::ferror(out)) {
    Say(err, "write error");
    return kExitError;
  }
  return listed > 0 ? kExitFound : kExitNotFound;
}

int RunUndo(const CommandLine& line, std::FILE* out, std::FILE* err) {
  PosixJournalStore store(JournalDirectoryOfThisUser());
  Journal journal(store);
  JournalReading reading;
  if (!ReadJournal(journal, reading, err)) return kExitError;
  if (line.fileName) return UndoOneFile(journal, reading, *line.fileName, line.undoAll, out, err);
  return UndoEveryFile(journal, reading, out, err);
}

} // namespace vek::cli
