#pragma once
// The view's form: the command controls above the page columns, the file name and size, the
// column captions and the position line below.

#include <span>

#include "platform/ControlTemplate.h"

namespace vek {

inline constexpr int kViewFormWidthDlu = 395;
inline constexpr int kViewFormHeightDlu = 166;

// Our own mark of a file open read-only: under the columns, between the position line and the
// character column's caption, where the form has nothing.
inline constexpr int kReadOnlyMarkX = 243;
inline constexpr int kReadOnlyMarkY = 152;
inline constexpr int kReadOnlyMarkWidth = 50;
inline constexpr int kReadOnlyMarkHeight = 10;

std::span<const ControlRow> ViewFormRows();

} // namespace vek
