#include "app/CVekDoc.h"

#include <QFileInfo>

namespace vek {

void CVekDoc::SetTitle(const QString& title) {
  m_title = title;
  emit titleChanged(m_title);
}

void CVekDoc::SetPathName(const QString& path) {
  m_pathName = path;
  SetTitle(QFileInfo(path).fileName());
}

} // namespace vek
