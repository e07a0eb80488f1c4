#pragma once
// Dialog templates are laid out in dialog units of an 8-point dialog font whose base units are
// 6 x 13 pixels: one horizontal unit is a quarter of the average character width, one vertical
// unit an eighth of the character height.

#include <QRect>

namespace vek {

inline constexpr int DluToPixelsX(int dlu) { return dlu * 6 / 4; }
inline constexpr int DluToPixelsY(int dlu) { return dlu * 13 / 8; }

inline QRect DluRect(int x, int y, int width, int height) {
  return {DluToPixelsX(x), DluToPixelsY(y), DluToPixelsX(width), DluToPixelsY(height)};
}

} // namespace vek
