#pragma once
// Our texts are UTF-8 in std::string; Qt's widgets take QString.

#include <string_view>

#include <QString>

namespace vek {

inline QString ToQt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace vek
