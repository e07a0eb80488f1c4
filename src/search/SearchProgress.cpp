#include "search/SearchProgress.h"

#include <QApplication>
#include <QGuiApplication>
#include <QProgressDialog>

#include "Strings.h"

namespace vek {

namespace {
constexpr int kProgressSteps = 1000;
}

SearchProgress::SearchProgress(QWidget* owner, Offset from, Offset to, QString label)
    : m_owner(owner), m_from(from), m_to(to), m_label(std::move(label)) {
  m_sinceStart.start();
}

SearchProgress::~SearchProgress() {
  if (m_dialog) {
    m_dialog->hide();
    delete m_dialog.data();
  }
  if (m_shown) {
    if (m_owner != nullptr) m_owner->setEnabled(true);
    QGuiApplication::restoreOverrideCursor();
  }
}

bool SearchProgress::Continue(Offset reached) {
  const qint64 elapsed = m_sinceStart.elapsed();
  if (elapsed < kShowAfterMs) return true;
  if (!m_shown) {
    m_dialog = new QProgressDialog(m_label, QStringLiteral("Cancel"), 0, kProgressSteps,
                                   m_owner != nullptr ? m_owner->window() : nullptr);
    m_dialog->setWindowTitle(QString::fromUtf8(strings::kAppName));
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setMinimumDuration(0);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    m_dialog->show();
    // Nothing of the view may run while the search it started still does.
    if (m_owner != nullptr) m_owner->setEnabled(false);
    // The search runs under the wait cursor; the Cancel button wants the ordinary one.
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    m_shown = true;
  }
  // A dialog gone with its window ends the walk as Cancel does.
  if (!m_dialog) return false;
  if (elapsed - m_lastEventsMs >= kEventIntervalMs) {
    m_lastEventsMs = elapsed;
    const Offset span = m_to - m_from; // negative downwards
    const double done = span == 0 ? 1.0 : static_cast<double>(reached - m_from) / static_cast<double>(span);
    m_dialog->setValue(static_cast<int>(std::clamp(done, 0.0, 1.0) * kProgressSteps));
    QApplication::processEvents();
  }
  return m_dialog && !m_dialog->wasCanceled();
}

} // namespace vek
