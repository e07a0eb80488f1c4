#pragma once
// The document window: one per document, holding its view. After the view's first update it has
// a thin border and a fixed size, so it cannot be resized by dragging its edges.

#include <QMdiSubWindow>

namespace vek {

class CVekDoc;
class CVekView;

inline constexpr int kChildFrameWidth = 620;
inline constexpr int kChildFrameHeight = 300;

class CChildFrame : public QMdiSubWindow {
  Q_OBJECT
 public:
  // Takes ownership of the document; the view becomes the frame's widget.
  CChildFrame(CVekDoc* document, CVekView* view);

  CVekDoc* GetDocument() const { return m_document; }
  CVekView* GetView() const { return m_view; }

  // The restyling the view asks for after its first update.
  void AfterInitialUpdate();

 private:
  CVekDoc* m_document;
  CVekView* m_view;
};

} // namespace vek
