#pragma once
// Where a tool window first appears: beside its owner, the main window, so that it hides nothing
// of the document windows.

class QWidget;

namespace vek {

inline constexpr int kGapToOwner = 8; // pixels between the main window and a tool window

// Moves `window` right of its parent where the screen has room, else left of it, else over the
// parent's right edge; its top beside the parent's, within the screen.
void PlaceBesideOwner(QWidget& window);

} // namespace vek
