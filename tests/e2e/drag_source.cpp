// A window that drags files as a file manager does: press the left button in it, move the pointer
// onto another window and release, and the files given on the command line are dropped there.
//   vek_drag_source FILE...
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

namespace {

class DragSource : public QWidget {
 public:
  explicit DragSource(QList<QUrl> urls) : m_urls(std::move(urls)) {
    setWindowTitle(QStringLiteral("drag source"));
    setFixedSize(120, 80);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    auto* data = new QMimeData;
    data->setUrls(m_urls);
    auto* drag = new QDrag(this);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
  }

 private:
  QList<QUrl> m_urls;
};

} // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QList<QUrl> urls;
  for (int i = 1; i < argc; ++i) urls.append(QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i])));
  DragSource source(urls);
  source.move(700, 500);
  source.show();
  return QApplication::exec();
}
