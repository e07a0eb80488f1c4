#pragma once
// What a file session's operation asks the window to do: which of its texts to bring up to date,
// which message to show, and which page to read after the message. The window carries it out in
// that order: the texts, then the message, then the read.

#include <optional>

#include "core/Message.h"
#include "core/PageState.h"

namespace vek {

struct Shown {
  // The page text was built again, or emptied: the area to paint again.
  enum class Area { None, OffsetColumn, Columns, View };
  Area text = Area::None;
  bool fileSize = false;
  bool title = false;
  bool startPos = false;     // the Start field, with the page start in the radix shown
  bool positionLine = false; // the selected byte's line, when the page holds that byte
  bool selection = false;    // the selected byte moved
  bool readOnly = false;     // whether the file may be written changed

  // After a page was read: its text, the size, the title and the Start field.
  static Shown PageRead(Area area) { return {area, true, true, true, false, false, false}; }
};

struct Outcome {
  Shown shown = {};
  std::optional<Message> message = std::nullopt;
  std::optional<PageState> thenShow = std::nullopt; // read and show this page once the message has been seen
};

} // namespace vek
