#pragma once
// Find, Next and Previous of one view: the Find dialog that gives the session a new pattern, and the search
// through the file on every core, with a progress dialog once it takes long. What the result does
// to the page is the session's to say; the view carries out the outcome.

#include "core/SessionOutcome.h"

class QWidget;

namespace vek {

class FileSession;
class FileSystem;
class UiServices;

// Asks for a new pattern, which stays for Next whatever the search gives, and searches the file from
// its start. `owner` is the view: it is disabled while a long search runs.
Outcome RunFind(UiServices& ui, FileSystem& files, FileSession& session, QWidget* owner);
// The session's pattern again, from one byte past the page start; nothing without a pattern.
Outcome RunNext(UiServices& ui, FileSystem& files, FileSession& session, QWidget* owner);
// The session's pattern backwards, from one byte before the page start; nothing without a pattern.
Outcome RunPrevious(UiServices& ui, FileSystem& files, FileSession& session, QWidget* owner);
// A new pattern from the Find dialog, as Find asks for it, kept for Next whatever comes of it;
// false when the dialog was cancelled or gave no bytes.
bool AskForPattern(UiServices& ui, FileSession& session);

} // namespace vek
