#pragma once
// Lets only the digits 0-9 through from the keyboard into an edit. Text the program writes and
// text pasted in are not filtered; keys that type nothing (arrows, Backspace, Delete) pass.

#include <QObject>

namespace vek {

class DigitsOnlyFilter : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace vek
