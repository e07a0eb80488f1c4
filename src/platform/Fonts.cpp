#include "platform/Fonts.h"

#include <QStringList>

namespace vek {

namespace {
constexpr int kDialogFontPixels = 11;
// Liberation Mono at 12 px advances about 7.2 px; each character is placed on the 7-px grid by
// the painter, so the exact advance does not matter, only that the glyphs fit a cell.
constexpr int kPageFontPixels = 12;
} // namespace

QFont DialogFont() {
  QFont font;
  font.setFamilies(QStringList() << QStringLiteral("Liberation Sans") << QStringLiteral("Arial")
                                 << QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(kDialogFontPixels);
  return font;
}

QFont PageFont() {
  QFont font;
  font.setFamilies(QStringList() << QStringLiteral("Liberation Mono") << QStringLiteral("Courier New")
                                 << QStringLiteral("DejaVu Sans Mono"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setPixelSize(kPageFontPixels);
  return font;
}

} // namespace vek
