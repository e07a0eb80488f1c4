#include "app/CVekDoc.h"

#include <filesystem>

#include "platform/PathText.h"

namespace vek {

QString CVekDoc::GetTitle() const { return DisplayName(m_title); }

void CVekDoc::SetTitle(const std::string& title) {
  m_title = title;
  emit titleChanged(GetTitle());
}

void CVekDoc::SetPathName(const std::string& path) {
  m_session.Name(path);
  SetTitle(std::filesystem::path(path).filename().native());
}

} // namespace vek
