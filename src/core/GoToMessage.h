#pragma once
// What Go to says when the text names no byte of the file: what was typed, why it names none, and
// that nothing changed. Offsets are written in the radix the window shows ("0x419" in hex).

#include <string_view>

#include "core/GoToExpression.h"
#include "core/Message.h"

namespace vek {

// `result` is EvaluateGoTo's for `typed`, and not ok; `fileName` is the file's name as shown.
Message GoToMessage(const GoToResult& result, std::string_view typed, std::string_view fileName, Offset fileSize,
                    bool hexMode);

} // namespace vek
