#pragma once
// The operating system's files behind the file layer (core/File.h), through POSIX calls.

#include "core/File.h"

namespace vek {

// The operating system's files.
FileSystem& RealFileSystem();

// The file behind an open descriptor, such as standard input, for reading; the descriptor itself
// stays open and the caller's.
FileResult<std::unique_ptr<File>> OpenDescriptor(int fd);

} // namespace vek
