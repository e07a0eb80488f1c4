#pragma once
// What a view needs of its document: the session of its file, and the title it shows. The title is
// a name of a file kept as bytes, decoded only to be shown.

#include <string>

#include <QString>

namespace vek {

class FileSession;

class ViewDocument {
 public:
  virtual ~ViewDocument() = default;
  virtual FileSession& Session() = 0;
  // The title as shown; GetTitleName the bytes the view takes as a file name.
  virtual QString GetTitle() const = 0;
  virtual const std::string& GetTitleName() const = 0;
  virtual void SetTitle(const std::string& title) = 0;
};

} // namespace vek
