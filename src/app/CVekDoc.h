#pragma once
// The document of one window. It holds no file contents (the view reads and writes the file
// itself); it carries the window's title and, after an open, the file's full path.

#include <string>

#include <QObject>
#include <QString>

#include "view/ViewDocument.h"

namespace vek {

class CVekDoc : public QObject, public ViewDocument {
  Q_OBJECT
 public:
  using QObject::QObject;

  QString GetTitle() const override;
  const std::string& GetTitleName() const override { return m_title; }
  void SetTitle(const std::string& title) override;
  const std::string& GetPathName() const override { return m_pathName; }
  // The full path; the title becomes the file's name without its directory.
  void SetPathName(const std::string& path);

 signals:
  void titleChanged(const QString& title);

 private:
  std::string m_title;
  std::string m_pathName;
};

} // namespace vek
