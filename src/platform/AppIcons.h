#pragma once
// The program's two icons: the application icon (main frame, About and Help boxes) and the
// document icon (document windows). Each carries a 16- and a 32-pixel picture.

#include <QIcon>
#include <QString>

class QWidget;

namespace vek {

// The 32-pixel application icon as a resource path, for dialog-template rows of icon controls.
inline constexpr const char* kAppIconPath = ":/icons/vek128-32.png";

QIcon AppIcon();
QIcon DocumentIcon();
QString AppIconPath();

// An icon control shows its icon at the icon's own size (32 x 32), whatever the rectangle its
// template row gives; the control is resized to fit, keeping its top left corner.
void ShowIconAtNaturalSize(QWidget* iconControl, const QIcon& icon);

} // namespace vek
