#pragma once
// The wait cursor for as long as an operation runs, also when it leaves early.

#include "platform/UiServices.h"

namespace vek {

class WaitCursor {
 public:
  explicit WaitCursor(UiServices& ui) : m_ui(ui) { m_ui.BeginWaitCursor(); }
  ~WaitCursor() { m_ui.EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  UiServices& m_ui;
};

} // namespace vek
