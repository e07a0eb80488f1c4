#pragma once
// The terminal mode: what the program does when the command line asks for --dump, --find,
// --find-hex, --history or --undo. Output goes to `out`, one error line ("vek: PATH: reason") to `err`, and the result
// is the exit status, as grep has it.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <optional>

#include "core/CommandLine.h"
#include "core/PatternParse.h"

namespace vek::cli {

inline constexpr int kExitFound = 0;    // --find: a match; --dump: the pages were printed
inline constexpr int kExitNotFound = 1; // --find: no match
inline constexpr int kExitError = 2;    // the file could not be read, or the output not written

// The pattern as the Find dialog parses it, or none and `reason` where it would differ from what
// was typed (too long, no pair, a pair that is not two hex digits): the dialog cuts a long text
// quietly and reads "zz" as a zero byte, but a terminal search for another pattern than typed
// would report wrong offsets. An odd last digit is dropped, as the dialog drops it.
std::optional<Pattern> BuildPattern(std::string_view text, PatternMode mode, std::string& reason);

// The FILE that stands for standard input, as it does for grep and xxd; "./-" names a file "-".
inline constexpr std::string_view kStandardInputName = "-";

// For a command line whose action is not None and whose error is empty. `in` is the descriptor
// read for the FILE "-".
int RunTerminalMode(const CommandLine& line, int in, std::FILE* out, std::FILE* err);

} // namespace vek::cli
