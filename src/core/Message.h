#pragma once
// A message for the person, as the core decides it and the window shows it: the text and the icon
// of its box. The system's messages keep their exact texts and icons; our own name the file and
// the cause.

#include <string>

namespace vek {

enum class MessageIcon { Warning, Exclamation, Stop };

struct Message {
  std::string text;
  MessageIcon icon = MessageIcon::Warning;
  friend bool operator==(const Message&, const Message&) = default;
};

} // namespace vek
