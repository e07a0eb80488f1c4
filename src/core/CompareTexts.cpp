#include "core/CompareTexts.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "core/DisplayTexts.h"
#include "core/FileErrorText.h"
#include "core/FileNameText.h"

namespace vek {

namespace {

constexpr std::string_view kNothingMoved = "\nThe pages and the selected bytes stay as they were.";

std::string ValueText(std::uint8_t value, bool hexMode) {
  // As the position line writes a value: "41" in hex, "65" in decimal.
  char text[4];
  std::snprintf(text, sizeof text, hexMode ? "%X" : "%u", static_cast<unsigned>(value));
  return text;
}

} // namespace

ComparedNames NamesOf(const std::string& firstPath, const std::string& secondPath) {
  const std::string first = std::filesystem::path(firstPath).filename().native();
  const std::string second = std::filesystem::path(secondPath).filename().native();
  if (first == second) return {DecodeFileName(firstPath), DecodeFileName(secondPath)};
  return {DecodeFileName(first), DecodeFileName(second)};
}

Message NoDifferenceMessage(const ComparedNames& names, const std::array<Offset, 2>& lengths, StepDirection direction,
                            Offset origin, bool hexMode) {
  const std::string between = " between " + names[0] + " and " + names[1];
  if (direction == StepDirection::Previous) {
    return {"No difference" + between + " before offset " + OffsetText(origin, hexMode) +
            ": they are the same from the start." + std::string(kNothingMoved)};
  }
  std::string text = "No difference" + between + " from offset " + OffsetText(origin, hexMode) + " on: ";
  const Offset shorter = std::min(lengths[0], lengths[1]);
  if (lengths[0] != lengths[1] && origin > shorter) {
    const int ends = lengths[0] < lengths[1] ? 0 : 1;
    text += names[static_cast<std::size_t>(ends)] + " ends at offset " + OffsetText(shorter, hexMode) +
            ", and the bytes of " + names[static_cast<std::size_t>(1 - ends)] + " after it are not compared.";
  } else {
    text += "they are the same to the end.";
  }
  return {text + std::string(kNothingMoved)};
}

Message CompareFailedMessage(const ComparedNames& names, const CompareFailure& failure) {
  return {names[0] + " and " + names[1] + " could not be compared: " +
              FileProblem(names[static_cast<std::size_t>(failure.file)], FileErrorReason(failure.cause, failure.code)) +
              "." + std::string(kNothingMoved),
          MessageIcon::Exclamation};
}

std::string CompareNote(std::uint8_t shown, std::optional<std::uint8_t> other, std::string_view otherName, bool hexMode) {
  const std::string name(otherName);
  if (!other) return "Not in " + name + ", which ends before this byte";
  if (*other == shown) return "Same in " + name;
  return "Differs from " + name + ": " + ValueText(*other, hexMode);
}

std::string UncomparedNote(std::string_view otherName, FileError cause, int code) {
  return "Not compared: " + FileProblem(otherName, FileErrorReason(cause, code));
}

} // namespace vek
