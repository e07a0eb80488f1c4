#pragma once
// The mouse wheel moves the page start by whole lines: a notch (120 eighths of a degree, as wheels
// report) moves it by the desktop's wheel-scroll lines of kBytesPerLine bytes each, and the finer
// steps of a touchpad add up until they make a notch.

#include "core/PageGeometry.h"

namespace vek {

class WheelSteps {
 public:
  static constexpr int kNotch = 120;

  // Adds a wheel turn (positive away from the person, as Qt's angleDelta().y() reports it); returns
  // how many bytes the page start moves: forward for a turn towards the person.
  Offset Add(int angleDelta, int linesPerNotch);

 private:
  int m_pending = 0; // eighths of a degree not yet making a notch
};

// Where a wheel move of `delta` bytes from `start` takes the page start in a file of `fileSize`
// bytes: not before the file, and not past the last full page, which a turn further forward keeps
// (a typed start past it is where a person chose to be, and stays).
Offset WheelTarget(Offset start, Offset delta, Offset fileSize);

} // namespace vek
