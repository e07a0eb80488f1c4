#include "app/CChildFrame.h"

#include <QMenu>

#include "app/CVekDoc.h"
#include "platform/AppIcons.h"
#include "view/CVekView.h"

namespace vek {

CChildFrame::CChildFrame(CVekDoc* document, CVekView* view) : m_document(document), m_view(view) {
  setAttribute(Qt::WA_DeleteOnClose);
  // Children go in the order they came: the view, which works on the document's session, before
  // the document.
  setWidget(view);
  document->setParent(this);
  setWindowIcon(DocumentIcon());
  setWindowTitle(document->GetTitle());
  // The window menu's own shortcuts (Ctrl+W closes) are not the program's keys: the accelerator
  // table and Ctrl+F4 / Ctrl+F6 are.
  if (QMenu* menu = systemMenu()) {
    for (QAction* action : menu->actions()) action->setShortcuts({});
  }
  connect(document, &CVekDoc::titleChanged, this, &QWidget::setWindowTitle);
}

void CChildFrame::AfterInitialUpdate() {
  setWindowTitle(m_document->GetTitle());
  // A thin border and no sizing: the title bar keeps its buttons, the edges do not drag.
  setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  setFixedSize(kChildFrameWidth, kChildFrameHeight);
}

} // namespace vek
