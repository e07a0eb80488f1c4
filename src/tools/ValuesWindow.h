#pragma once
// The data inspector: a tool window of the main window that lists what the bytes at the selected
// byte of the active document mean, a row per reading (core/ValueTable.h), each a name and a
// value that screen readers read as a pair. It follows the active document window, and in it the
// selected byte, the page, edits and the radix; while it is hidden it follows without reading.
// Esc closes it; Ctrl+C copies the current cell, a value unless the person chose a name.

#include <array>

#include <QMetaObject>
#include <QPointer>
#include <QDialog>

#include "core/ValueTable.h"

class QLabel;
class QMdiArea;
class QTreeWidget;
class QTreeWidgetItem;

namespace vek {

class CVekView;

// A dialog that is not modal: screen readers announce it by its title, and Esc closes it.
class ValuesWindow final : public QDialog {
  Q_OBJECT
 public:
  // `documents` is the owner's area of document windows; the owner is the main window.
  ValuesWindow(QMdiArea& documents, QWidget* owner);

  // Shows the window and brings it to the front; the first time beside its owner. The keyboard
  // focus stays where it is, so the selected byte can go on moving under the keys.
  void Show();

  const CVekView* Followed() const { return m_view; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FollowActiveDocument();
  void Follow(const CVekView* view);
  void Refresh();
  void ShowNoValues(const QString& heading);

  QMdiArea& m_documents;
  QPointer<const CVekView> m_view;
  QMetaObject::Connection m_selectionChanged;
  QMetaObject::Connection m_pageTextChanged;
  QMetaObject::Connection m_destroyed;
  bool m_placed = false;

  QLabel* m_heading;
  QTreeWidget* m_rows;
  std::array<QTreeWidgetItem*, kValueRowCount> m_items{};
};

} // namespace vek
