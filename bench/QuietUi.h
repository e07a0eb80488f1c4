#pragma once
// Desktop services for a benchmark that drives the real views: no box, no cursor, no dialog to
// wait for a person.

#include "platform/UiServices.h"

namespace vek::bench {

class QuietUi final : public UiServices {
 public:
  void MessageBox(const QString& text, MessageIcon) override { said = text; }
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  QString AskOpenFileName(QWidget*, const QString&, const QString&) override { return {}; }
  int RunModal(QDialog&) override { return 0; }

  QString said; // the last message, should one come
};

} // namespace vek::bench
