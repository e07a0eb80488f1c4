#pragma once
// Where the journal lives: the XDG state directory's "vek", $XDG_STATE_HOME/vek, or
// ~/.local/state/vek when XDG_STATE_HOME is not set (or not an absolute path, which XDG says to
// ignore).

#include <optional>
#include <string>

namespace vek {

// None when neither variable gives an absolute path: there is then no place for a journal.
std::optional<std::string> JournalDirectory(const char* xdgStateHome, const char* home);

// The same for this process's environment.
std::optional<std::string> JournalDirectoryOfThisUser();

} // namespace vek
