#include "core/ColorChoice.h"

namespace vek {

bool UseColor(ColorWhen when, bool outputIsTerminal, const char* noColor) {
  switch (when) {
    case ColorWhen::Always: return true;
    case ColorWhen::Never: return false;
    case ColorWhen::Auto: break;
  }
  const bool userSaidNoColor = noColor != nullptr && noColor[0] != '\0';
  return outputIsTerminal && !userSaidNoColor;
}

} // namespace vek
