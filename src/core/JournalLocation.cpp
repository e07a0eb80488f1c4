#include "core/JournalLocation.h"

#include <cstdlib>
#include <string_view>

#include "core/JournalLimits.h"

namespace vek {

namespace {

bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

std::string Below(std::string base, std::string_view name) {
  if (base.back() != '/') base += '/';
  base += name;
  return base;
}

} // namespace

std::optional<std::string> JournalDirectory(const char* xdgStateHome, const char* home) {
  if (IsAbsolute(xdgStateHome)) return Below(xdgStateHome, kJournalDirectoryName);
  if (IsAbsolute(home)) return Below(Below(home, kStateHomeBelowHome), kJournalDirectoryName);
  return std::nullopt;
}

std::optional<std::string> JournalDirectoryOfThisUser() {
  return JournalDirectory(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
}

} // namespace vek
