#pragma once
// One row of a dialog template, and the helper that turns it into a widget. Forms and dialogs are
// laid out absolutely from such tables, as the templates give them, in dialog units.

#include <QString>
#include <QWidget>

namespace vek {

enum class ControlKind {
  PushButton,
  DefaultPushButton,
  PushLikeCheckBox, // a check box that looks like a push button
  RadioButton,
  Edit,
  NumberEdit,  // an edit that takes only digits from the keyboard
  Static,      // left aligned, wrapping words
  StaticNoWrap,
  StaticCenter,
  StaticIcon,  // the text names an icon resource
  GroupBox,
};

inline constexpr int kNoControlId = -1;

struct ControlRow {
  int id;           // kNoControlId for controls the program never addresses
  ControlKind kind;
  const char* text; // UTF-8
  int x, y, width, height; // dialog units
};

// Builds the control as a child of `parent`, placed and sized in pixels, and gives it `id`.
QWidget* CreateControl(QWidget* parent, const ControlRow& row);

// Builds every row in table order, which is also the tab order.
template <typename Rows> void CreateControls(QWidget* parent, const Rows& rows) {
  for (const ControlRow& row : rows) CreateControl(parent, row);
}

// The child of `parent` with the control id, or nullptr.
QWidget* GetDlgItem(const QWidget* parent, int id);

// Stops the program with a message naming the id and the type: a table and the code that reads it
// disagree, which no user input can cause.
[[noreturn]] void WrongControl(int id, const char* wanted);

// The control with the id as the type the code expects. A missing control or one of another type
// is a programming error and fails loudly in every build, the first time the form is made.
template <typename T> T* Item(const QWidget* parent, int id) {
  T* control = qobject_cast<T*>(GetDlgItem(parent, id));
  if (control == nullptr) WrongControl(id, T::staticMetaObject.className());
  return control;
}
int GetDlgCtrlID(const QWidget* control); // 0 when the widget has no id

// The control's rectangle in `parent`'s coordinates, as left/top/right/bottom edges.
QRect ControlRect(const QWidget* parent, int id);

} // namespace vek
