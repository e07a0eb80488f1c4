#pragma once
// The program's two icons: the application icon (main frame, About and Help boxes) and the
// document icon (document windows). Each carries a 16- and a 32-pixel picture.

#include <QIcon>
#include <QString>

namespace vek {

// The 32-pixel application icon as a resource path, for dialog-template rows of icon controls.
inline constexpr const char* kAppIconPath = ":/icons/vek128-32.png";

QIcon AppIcon();
QIcon DocumentIcon();

} // namespace vek
