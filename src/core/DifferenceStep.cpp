#include "core/DifferenceStep.h"

#include <algorithm>

namespace vek {

Offset StepOrigin(const PageState& page, int selIndex, StepDirection direction) {
  if (page.readCount <= 0) return page.readStart;
  const Offset selected = page.OffsetOf(std::clamp(selIndex, 0, page.readCount - 1));
  return direction == StepDirection::Next ? selected + 1 : selected;
}

Offset LandingOffset(Offset difference, Offset fileLength) {
  return std::max<Offset>(0, std::min(difference, fileLength - 1));
}

} // namespace vek
