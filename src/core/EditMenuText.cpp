#include "core/EditMenuText.h"

#include <cstdio>

#include "core/DisplayTexts.h"

namespace vek {

namespace {

// As the position line writes a value: "%X" or "%u".
std::string ValueText(std::uint8_t value, bool hexMode) {
  char text[8];
  std::snprintf(text, sizeof text, hexMode ? "%X" : "%u", static_cast<unsigned>(value));
  return text;
}

} // namespace

std::string UndoMenuText(const ByteEdit& edit, bool hexMode) {
  return "Undo: Byte " + FormatStartPos(edit.offset, hexMode) + " from " + ValueText(edit.after, hexMode) +
         " back to " + ValueText(edit.before, hexMode);
}

std::string RedoMenuText(const ByteEdit& edit, bool hexMode) {
  return "Redo: Byte " + FormatStartPos(edit.offset, hexMode) + " from " + ValueText(edit.before, hexMode) + " to " +
         ValueText(edit.after, hexMode) + " again";
}

} // namespace vek
