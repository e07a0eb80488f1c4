#pragma once
// Keeps the window alive during a long search (or another long walk through a file, such as a
// large Copy): after half a second a progress dialog with a Cancel button shows; shorter ones show
// nothing.

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <QWidget>

#include "core/PageGeometry.h"

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
  // Both may go while the walk runs (the window closed under it): guarded, never deleted twice.
  QPointer<QWidget> m_owner;
  Offset m_from;
  Offset m_to;
  QString m_label;
  QElapsedTimer m_sinceStart;
  qint64 m_lastEventsMs = 0;
  // A child of the owner's window, so that it stays in front of it; ended with the walk.
  QPointer<QProgressDialog> m_dialog;
  bool m_shown = false; // the dialog was shown: the owner disabled, the arrow cursor pushed
};

} // namespace vek
