#include "platform/Fonts.h"

#include <QStringList>

namespace vek {

namespace {
constexpr int kDialogFontPixels = 11;
// Liberation Mono at 12 px advances about 7.2 px; each character is placed on the 7-px grid by
// the painter, so the exact advance does not matter, only that the glyphs fit a cell.
constexpr int kPageFontPixels = 12;
} // namespace

namespace {
// The first of `families` that is installed, at a size in pixels, so that layouts in pixels hold.
QFont PixelFont(const QStringList& families, QFont::StyleHint hint, int pixels) {
  QFont font;
  font.setFamilies(families);
  font.setStyleHint(hint);
  font.setPixelSize(pixels);
  return font;
}
} // namespace

QFont DialogFont() {
  return PixelFont({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")},
                   QFont::SansSerif, kDialogFontPixels);
}

QFont PageFont() {
  QFont font = PixelFont(
      {QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans Mono")},
      QFont::TypeWriter, kPageFontPixels);
  font.setFixedPitch(true);
  return font;
}

} // namespace vek
