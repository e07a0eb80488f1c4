#pragma once
// The two fonts of the program: the dialog font for every form and dialog, the page font for the
// painted columns. Both fall back to a font of the same kind when the preferred face is missing.

#include <QFont>

namespace vek {

QFont DialogFont(); // Liberation Sans, 11 px
QFont PageFont();   // Liberation Mono, fixed pitch; drawn one character per cell of the page grid

} // namespace vek
