#pragma once
// What a file that failed us is called in words, in the window and in the terminal alike.

#include <string>
#include <string_view>

#include "core/File.h"

namespace vek {

// The system's text for a file that could not be opened or written, by cause, naming the file:
// "Access to %1 was denied." with %1 the path as shown.
std::string FileErrorText(FileError cause, std::string_view shownPath);

// Our own words for why: the system's error text where the system gave an error number, else what
// the program found ("is a FIFO, not a file with pages").
std::string FileErrorReason(FileError cause, int code);

// Our own messages name the file first: "PATH: reason".
std::string FileProblem(std::string_view shownPath, std::string_view reason);

} // namespace vek
