#pragma once
// What one checked write of a byte must find before it writes: the file it was meant for and the
// value the byte holds there. Anything else means that another program got there first, and then
// nothing is written.

#include <cstdint>

#include "core/File.h"
#include "core/PageGeometry.h"

namespace vek {

// Why the byte is written: the words of a refusal depend on it (the value the page showed, or the
// value vek wrote).
enum class WriteKind { Edit, Undo, Redo };

struct ByteWriteRequest {
  FileIdentity identity;     // the file the page was read from, or the one vek wrote to before
  Offset offset = 0;
  std::uint8_t expected = 0; // what the byte must still hold
  std::uint8_t value = 0;    // what it is to hold afterwards
  WriteKind kind = WriteKind::Edit;
};

} // namespace vek
