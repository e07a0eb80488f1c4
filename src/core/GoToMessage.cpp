#include "core/GoToMessage.h"

#include <cinttypes>
#include <cstdio>
#include <string>

namespace vek {

namespace {

constexpr std::string_view kNothingChanged = "\nThe page and the selected byte stay as they were.";

std::string OffsetText(Offset offset, bool hexMode) {
  const char* sign = offset < 0 ? "-" : "";
  // The magnitude of the most negative offset does not fit an Offset; it does an unsigned one.
  const std::uint64_t magnitude = offset < 0 ? 0 - static_cast<std::uint64_t>(offset) : static_cast<std::uint64_t>(offset);
  char text[32];
  std::snprintf(text, sizeof text, hexMode ? "%s0x%" PRIX64 : "%s%" PRIu64, sign, magnitude);
  return text;
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

Message GoToMessage(const GoToResult& result, std::string_view typed, std::string_view fileName, Offset fileSize,
                    bool hexMode) {
  const std::string quoted = "\"" + std::string(Trimmed(typed)) + "\"";
  const std::string file(fileName);
  std::string text;
  switch (result.error) {
    case GoToError::None: break;
    case GoToError::Empty: text = "Type the offset of the byte to go to: " + std::string(kGoToForms) + "."; break;
    case GoToError::NotANumber:
      text = quoted + " is not an offset. Go to takes " + std::string(kGoToForms) + ".";
      break;
    case GoToError::Overflow: text = quoted + " is larger than any offset a file can have."; break;
    case GoToError::NoSelection: text = quoted + " counts from the selected byte, and no byte of " + file + " is selected."; break;
    case GoToError::EmptyFile: text = file + " is empty: it has no byte to go to."; break;
    case GoToError::BeforeStart:
      text = quoted + " is offset " + OffsetText(result.offset, hexMode) + ", before the start of " + file + ".";
      break;
    case GoToError::PastEnd:
      text = quoted + " is offset " + OffsetText(result.offset, hexMode) + ", past the end of " + file +
             ": its last byte is at " + OffsetText(fileSize - 1, hexMode) + " (end-1).";
      break;
  }
  return {text + std::string(kNothingChanged)};
}

} // namespace vek
