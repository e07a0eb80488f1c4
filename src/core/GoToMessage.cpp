#include "core/GoToMessage.h"

#include <string>

#include "core/DisplayTexts.h"

namespace vek {

namespace {

constexpr std::string_view kNothingChanged = "\nThe page and the selected byte stay as they were.";

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

Message GoToMessage(const GoToResult& result, std::string_view typed, std::string_view fileName, Offset fileSize,
                    bool hexMode) {
  std::string quoted(1, '"');
  quoted += Trimmed(typed);
  quoted += '"';
  const std::string file(fileName);
  std::string text;
  switch (result.error) {
    case GoToError::None: break;
    case GoToError::Empty: text = "Type the offset of the byte to go to, for example " + std::string(kGoToForms) + "."; break;
    case GoToError::NotANumber:
      text = quoted + " is not an offset: type, for example, " + std::string(kGoToForms) + ".";
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
