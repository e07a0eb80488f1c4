#pragma once
// The terminal's commands over the journal of vek's writes: --history lists them, --undo takes
// them back, each one checked as the window's undo is. Lines of the result go to `out`, what went
// wrong and what was passed over to `err` ("vek: PATH: reason").

#include <cstdio>

#include "core/CommandLine.h"

namespace vek::cli {

// --history FILE: 0 listed, 1 nothing recorded for FILE, 2 an error.
int RunHistory(const CommandLine& line, std::FILE* out, std::FILE* err);

// --undo FILE: the newest write to FILE still in the file; --undo --all FILE: all of them, newest
// first; --undo --all: those of every file. 0 done, 1 nothing to undo, 2 an error or a refusal.
int RunUndo(const CommandLine& line, std::FILE* out, std::FILE* err);

} // namespace vek::cli
