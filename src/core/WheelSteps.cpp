#include "core/WheelSteps.h"

#include <algorithm>

#include "core/ClampPage.h"

namespace vek {

Offset WheelSteps::Add(int angleDelta, int linesPerNotch) {
  m_pending += angleDelta;
  const int notches = m_pending / kNotch; // towards zero, the rest waits for the next turn
  m_pending -= notches * kNotch;
  return -static_cast<Offset>(notches) * linesPerNotch * kBytesPerLine;
}

Offset WheelTarget(Offset start, Offset delta, Offset fileSize) {
  const Offset target = SaturatingAdd(start, delta);
  if (delta < 0) return std::max<Offset>(target, 0);
  const Offset lastFullPage = std::max<Offset>(fileSize - kPageBytes, 0);
  return std::min(target, std::max(lastFullPage, start));
}

} // namespace vek
