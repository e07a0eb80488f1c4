#pragma once
// Keeps the window alive during a long search (or another long walk through a file, such as a
// large Copy): after half a second a progress dialog with a Cancel button shows; shorter ones show
// nothing.

#include <memory>

#include <QElapsedTimer>
#include <QString>

#include "core/PageGeometry.h"

class QProgressDialog;
class QWidget;

namespace vek {

class SearchProgress {
 public:
  // The walk goes from `from` to `to`: upwards, or downwards when `to` is below it (Find Previous).
  SearchProgress(QWidget* owner, Offset from, Offset to, QString label = QStringLiteral("Searching..."));
  ~SearchProgress();
  SearchProgress(const SearchProgress&) = delete;
  SearchProgress& operator=(const SearchProgress&) = delete;

  // Called between blocks with the offset reached; false once the person has pressed Cancel.
  bool Continue(Offset reached);

  static constexpr int kShowAfterMs = 500;
  static constexpr int kEventIntervalMs = 30;

 private:
  QWidget* m_owner;
  Offset m_from;
  Offset m_to;
  QString m_label;
  QElapsedTimer m_sinceStart;
  qint64 m_lastEventsMs = 0;
  std::unique_ptr<QProgressDialog> m_dialog;
  bool m_cursorPushed = false;
};

} // namespace vek
