#pragma once
// The document of one window. It holds no file contents; it holds the session of the file its
// window shows (core/FileSession.h), whose name is the document's path, and it carries the window's
// title.

#include <string>

#include <QObject>
#include <QString>

#include "core/FileSession.h"
#include "view/ViewDocument.h"

namespace vek {

class CVekDoc : public QObject, public ViewDocument {
  Q_OBJECT
 public:
  using QObject::QObject;

  FileSession& Session() override { return m_session; }
  const FileSession& Session() const { return m_session; }
  QString GetTitle() const override;
  const std::string& GetTitleName() const override { return m_title; }
  void SetTitle(const std::string& title) override;
  // The file the window shows: after an open the full path, after New in the view the file chosen
  // there. Empty for a window whose view has not been given a file.
  const std::string& GetPathName() const { return m_session.Path(); }
  // After an open: the full path names the file, and the title becomes its name without its directory.
  void SetPathName(const std::string& path);

 signals:
  void titleChanged(const QString& title);

 private:
  std::string m_title;
  FileSession m_session;
};

} // namespace vek
