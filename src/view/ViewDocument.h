#pragma once
// What a view needs of its document: the title it shows and, after an open, the file's full path.

#include <QString>

namespace vek {

class ViewDocument {
 public:
  virtual ~ViewDocument() = default;
  virtual QString GetTitle() const = 0;
  virtual void SetTitle(const QString& title) = 0;
  virtual QString GetPathName() const = 0;
};

} // namespace vek
