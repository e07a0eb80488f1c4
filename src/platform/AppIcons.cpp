#include "platform/AppIcons.h"

#include <QLabel>

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

QString AppIconPath() { return QString::fromUtf8(kAppIconPath); }

void ShowIconAtNaturalSize(QWidget* iconControl, const QIcon& icon) {
  auto* label = qobject_cast<QLabel*>(iconControl);
  if (label == nullptr) return;
  label->setPixmap(icon.pixmap(kLargeIcon, kLargeIcon));
  label->resize(kLargeIcon, kLargeIcon);
}

} // namespace vek
