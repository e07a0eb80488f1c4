#pragma once
// The view's form: the command controls above the page columns, the file name and size, the
// column captions and the position line below.

#include <span>

#include "platform/ControlTemplate.h"

namespace vek {

inline constexpr int kViewFormWidthDlu = 395;
inline constexpr int kViewFormHeightDlu = 166;

std::span<const ControlRow> ViewFormRows();

} // namespace vek
