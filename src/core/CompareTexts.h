#pragma once
// What the window's compare says: the messages of Next and Previous difference when there is no
// further difference or a file failed, and the note a screen reader hears on the position line
// about the other file's byte. Offsets and values are written in the radix the window shows.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/ComparedFiles.h"
#include "core/DifferenceStep.h"
#include "core/Message.h"

namespace vek {

using ComparedNames = std::array<std::string, 2>;

// The two files as the texts name them: by their names, or by their paths where the names are the
// same (two copies of one file in two folders).
ComparedNames NamesOf(const std::string& firstPath, const std::string& secondPath);

// No difference from `origin` in `direction` (StepOrigin's offset): says so, naming both files, and
// where the shorter file's end leaves the rest of the longer one uncompared.
Message NoDifferenceMessage(const ComparedNames& names, const std::array<Offset, 2>& lengths, StepDirection direction,
                            Offset origin, bool hexMode);
// A file could not be opened or read to the end: which one, and why.
Message CompareFailedMessage(const ComparedNames& names, const CompareFailure& failure);

// The note on the selected byte `shown`: "Differs from b.bin: 65", "Same in b.bin", or, where the
// other file has no byte there (`other` none), that it ends before.
std::string CompareNote(std::uint8_t shown, std::optional<std::uint8_t> other, std::string_view otherName, bool hexMode);
// The note when the other file's bytes could not be read.
std::string UncomparedNote(std::string_view otherName, FileError cause, int code);

} // namespace vek
