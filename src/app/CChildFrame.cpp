#include "app/CChildFrame.h"

#include "app/CVekDoc.h"
#include "platform/AppIcons.h"
#include "view/CVekView.h"

namespace vek {

CChildFrame::CChildFrame(CVekDoc* document, CVekView* view) : m_pDocument(document), m_pView(view) {
  setAttribute(Qt::WA_DeleteOnClose);
  document->setParent(this);
  setWidget(view);
  setWindowIcon(DocumentIcon());
  setWindowTitle(document->GetTitle());
  connect(document, &CVekDoc::titleChanged, this, &QWidget::setWindowTitle);
}

void CChildFrame::AfterInitialUpdate() {
  setWindowTitle(m_pDocument->GetTitle());
  // A thin border and no sizing: the title bar keeps its buttons, the edges do not drag.
  setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  setFixedSize(kChildFrameWidth, kChildFrameHeight);
}

} // namespace vek
