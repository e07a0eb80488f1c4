#include "search/SearchProgress.h"

#include <QApplication>
#include <QGuiApplication>
#include <QProgressDialog>

namespace vek {

namespace {
constexpr int kProgressSteps = 1000;
}

SearchProgress::SearchProgress(QWidget* owner, Offset from, Offset fileSize)
    : owner_(owner), from_(from), fileSize_(fileSize) {
  sinceStart_.start();
}

SearchProgress::~SearchProgress() {
  if (dialog_) {
    dialog_->hide();
    if (owner_ != nullptr) owner_->setEnabled(true);
  }
  if (cursorPushed_) QGuiApplication::restoreOverrideCursor();
}

bool SearchProgress::Continue(Offset searchedUpTo) {
  const qint64 elapsed = sinceStart_.elapsed();
  if (elapsed < kShowAfterMs) return true;
  if (!dialog_) {
    dialog_ = std::make_unique<QProgressDialog>(QStringLiteral("Searching..."), QStringLiteral("Cancel"), 0,
                                                kProgressSteps, owner_ != nullptr ? owner_->window() : nullptr);
    dialog_->setWindowTitle(QStringLiteral("vek"));
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoReset(false);
    dialog_->setAutoClose(false);
    dialog_->show();
    // Nothing of the view may run while the search it started still does.
    if (owner_ != nullptr) owner_->setEnabled(false);
    // The search runs under the wait cursor; the Cancel button wants the ordinary one.
    QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    cursorPushed_ = true;
  }
  if (elapsed - lastEventsMs_ >= kEventIntervalMs) {
    lastEventsMs_ = elapsed;
    const Offset span = std::max<Offset>(fileSize_ - from_, 1);
    const double done = static_cast<double>(searchedUpTo - from_) / static_cast<double>(span);
    dialog_->setValue(static_cast<int>(std::clamp(done, 0.0, 1.0) * kProgressSteps));
    QApplication::processEvents();
  }
  return !dialog_->wasCanceled();
}

} // namespace vek
