#pragma once
// What the Undo and Redo items of the page's menu say they will do: which byte, from which value
// to which, in the page's radix as the position line writes them ("Byte 19D", "41").

#include <string>

#include "core/ByteEdit.h"

namespace vek {

// "Undo: Byte 413 from 65 back to 10"
std::string UndoMenuText(const ByteEdit& edit, bool hexMode);
// "Redo: Byte 413 from 10 to 65 again"
std::string RedoMenuText(const ByteEdit& edit, bool hexMode);

} // namespace vek
