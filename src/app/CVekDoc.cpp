#include "app/CVekDoc.h"

#include <QFileInfo>

namespace vek {

void CVekDoc::SetTitle(const QString& title) {
  m_strTitle = title;
  emit titleChanged(m_strTitle);
}

void CVekDoc::SetPathName(const QString& path) {
  m_strPathName = path;
  SetTitle(QFileInfo(path).fileName());
}

} // namespace vek
