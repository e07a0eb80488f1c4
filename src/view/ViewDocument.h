#pragma once
// What a view needs of its document: the title it shows and, after an open, the file's full path.
// Both are names of files and kept as bytes; the title is decoded only to be shown.

#include <string>

#include <QString>

namespace vek {

class ViewDocument {
 public:
  virtual ~ViewDocument() = default;
  // The title as shown; GetTitleName the bytes the view takes as a file name.
  virtual QString GetTitle() const = 0;
  virtual const std::string& GetTitleName() const = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual const std::string& GetPathName() const = 0;
};

} // namespace vek
