#pragma once
// The terminal's --compare: two files byte for byte, as `cmp -l` lists them, on every core.

#include <cstdio>

#include "core/CommandLine.h"

namespace vek::cli {

inline constexpr int kExitSame = 0;
inline constexpr int kExitDifferent = 1;

// For a command line whose action is Compare and whose error is empty: one line per differing
// byte to `out` ("OFFSET AA BB", the offset counted from 0, in decimal or with --hex in hex, then
// the two bytes as hex pairs), or only the first with --first; where one file ends first,
// "vek: EOF on NAME after byte N" to `err`, as cmp says it. Files with a size are compared on every
// core, in place; where one is a stream (`in` for "-", a pipe), both are read in order. Exit
// status as cmp's: 0 the same, 1 different, 2 trouble.
int RunCompare(const CommandLine& line, int in, std::FILE* out, std::FILE* err);

} // namespace vek::cli
