#include "platform/AppIcons.h"

namespace vek {

namespace {

constexpr int kLargeIcon = 32;

QIcon IconFromPair(const char* small, const char* large) {
  QIcon icon;
  icon.addFile(QString::fromUtf8(small), QSize(16, 16));
  icon.addFile(QString::fromUtf8(large), QSize(kLargeIcon, kLargeIcon));
  return icon;
}

} // namespace

QIcon AppIcon() { return IconFromPair(":/icons/vek128-16.png", kAppIconPath); }

QIcon DocumentIcon() { return IconFromPair(":/icons/vek129-16.png", ":/icons/vek129-32.png"); }

} // namespace vek
