#include "tools/ToolWindowPlacement.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace vek {

void PlaceBesideOwner(QWidget& window) {
  const QWidget* owner = window.parentWidget();
  if (owner == nullptr) return;
  const QRect ownerFrame = owner->frameGeometry();
  const QScreen* screen = owner->screen() != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
  const QRect room = screen->availableGeometry();
  const int width = window.width();
  const int height = window.height();
  int x = ownerFrame.right() + 1 + kGapToOwner;
  if (x + width > room.right() + 1) x = ownerFrame.left() - kGapToOwner - width;
  if (x < room.left()) x = room.right() + 1 - width;
  const int y = std::clamp(ownerFrame.top(), room.top(), std::max(room.top(), room.bottom() + 1 - height));
  window.move(std::max(x, room.left()), y);
}

} // namespace vek
