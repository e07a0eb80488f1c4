#include "core/WriteMessages.h"

#include <cinttypes>
#include <cstdio>

#include "Strings.h"
#include "core/FileErrorText.h"

namespace vek {

namespace {

// What became of the byte when a write was refused, in the words of its kind.
std::string_view LeftAlone(WriteKind kind) {
  switch (kind) {
    case WriteKind::Edit: return "nothing was written";
    case WriteKind::Undo: return "it was not undone";
    case WriteKind::Redo: return "it was not redone";
  }
  return "nothing was written";
}

} // namespace

std::string OffsetWords(Offset offset) {
  char text[64];
  std::snprintf(text, sizeof text, "offset %" PRId64 " (0x%" PRIX64 ")", offset, static_cast<std::uint64_t>(offset));
  return text;
}

std::string ByteWords(std::uint8_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(value));
  return text;
}

Message WriteFailureMessage(FileError cause, std::string_view shownPath) {
  if (cause == FileError::BadOffset) return Message{strings::kSeekError};
  return Message{FileErrorText(cause, shownPath), MessageIcon::Stop};
}

Message FileShrankMessage(std::string_view shownPath, Offset offset, WriteKind kind) {
  return Message{FileProblem(shownPath, "the file has become shorter than " + OffsetWords(offset) + "; " +
                                            std::string(LeftAlone(kind))),
                 MessageIcon::Stop};
}

Message FileReplacedMessage(std::string_view shownPath, Offset offset, WriteKind kind) {
  std::string reason = kind == WriteKind::Edit ? "the file of this name is no longer the one the page was read from"
                                               : "the file of this name is no longer the one vek wrote to";
  reason += " (it was replaced, or moved away); " + std::string(LeftAlone(kind)) + " at " + OffsetWords(offset) + ".";
  if (kind == WriteKind::Edit) reason += " The page shows the file of this name now.";
  return Message{FileProblem(shownPath, reason), MessageIcon::Exclamation};
}

Message ByteChangedMessage(std::string_view shownPath, const ByteWriteRequest& request, std::uint8_t found) {
  if (request.kind == WriteKind::Undo && found == request.value) {
    // Also what a crash between the journal's record and the write leaves behind.
    return Message{FileProblem(shownPath, "the byte at " + OffsetWords(request.offset) + " holds " + ByteWords(found) +
                                              " again, as before vek wrote " + ByteWords(request.expected) +
                                              " (another program set it back, or the write never happened); "
                                              "there is nothing to undo there."),
                   MessageIcon::Exclamation};
  }
  std::string reason = "the byte at " + OffsetWords(request.offset) + " is no longer " + ByteWords(request.expected);
  switch (request.kind) {
    case WriteKind::Edit:
      reason += ", as the page showed, but " + ByteWords(found) +
                ": another program changed it. Nothing was written; the page shows what the file holds now.";
      break;
    case WriteKind::Undo:
      reason += ", as vek wrote it, but " + ByteWords(found) +
                ": another program changed it since. It was left as it is and will not be undone.";
      break;
    case WriteKind::Redo:
      reason += ", as the undo left it, but " + ByteWords(found) +
                ": another program changed it since. It was left as it is, and nothing can be redone.";
      break;
  }
  return Message{FileProblem(shownPath, reason), MessageIcon::Exclamation};
}

Message ReadBackMessage(std::string_view shownPath, Offset offset, std::uint8_t value,
                        std::optional<std::uint8_t> readBack, std::string_view reason) {
  std::string text = OffsetWords(offset) + " was written as " + ByteWords(value) + " and synced, but ";
  if (readBack) {
    text += "reads back as " + ByteWords(*readBack) + "; the page shows what the file holds now.";
  } else {
    text += "could not be read back: " + std::string(reason) + ".";
  }
  return Message{FileProblem(shownPath, text), MessageIcon::Stop};
}

Message ReadOnlyMessage(std::string_view shownPath) {
  std::string text(shownPath);
  text += " is open read-only: nothing was written. Turn off Read-only in the page's context menu to change the file.";
  return Message{text};
}

Message JournalFailedNote(std::string_view reason) {
  std::string text = "The byte was written, but the journal could not record it: ";
  text += reason;
  text += ". Undo works until vek is closed; after a restart this write cannot be undone.";
  return Message{text, MessageIcon::Exclamation};
}

} // namespace vek
