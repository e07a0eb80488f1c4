#include "core/ByteMove.h"

#include <algorithm>

namespace vek {

std::optional<MovePlan> PlanByteMove(const PageState& page, int selIndex, ByteMove move) {
  if (page.readCount <= 0) return std::nullopt;
  const int index = std::clamp(selIndex, 0, page.readCount - 1);
  const Offset selected = page.OffsetOf(index);
  const int lineStart = index - index % kBytesPerLine;
  Offset target = selected;
  switch (move) {
    case ByteMove::Left: target = selected - 1; break;
    case ByteMove::Right: target = selected + 1; break;
    case ByteMove::Up: target = selected - kBytesPerLine; break;
    case ByteMove::Down: target = selected + kBytesPerLine; break;
    case ByteMove::LineStart: target = page.OffsetOf(lineStart); break;
    case ByteMove::LineEnd: target = page.OffsetOf(std::min(lineStart + kBytesPerLine, page.readCount) - 1); break;
  }
  if (target < 0 || target >= page.fileSize) return std::nullopt;
  if (page.HoldsByte(static_cast<int>(std::clamp<Offset>(target - page.readStart, -1, kPageBytes)))) {
    return MovePlan{target, std::nullopt};
  }
  // The turn starts from the page on screen, whatever start may have been typed since.
  const PageState shown = page.OnScreen();
  return MovePlan{target, target < page.readStart ? shown.Previous() : shown.Next()};
}

std::optional<int> IndexOnPage(const PageState& page, Offset target) {
  if (page.readCount <= 0) return std::nullopt;
  return static_cast<int>(std::clamp<Offset>(target - page.readStart, 0, page.readCount - 1));
}

} // namespace vek
