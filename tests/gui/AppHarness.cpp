#include "AppHarness.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QTest>

#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "platform/ControlTemplate.h"
#include "core/FileSession.h"
#include "platform/PathText.h"
#include "view/CVekView.h"
#include "view/PageAccessible.h"

namespace vek::test {

AppHarness::AppHarness()
    : profilePath(files.Path(QStringLiteral("profile/vek.ini"))),
      app(std::make_unique<CVekApp>(ui, fileSystem, profilePath, &journal)) {}

AppHarness::~AppHarness() {
  if (app) app->ExitInstance();
}

bool AppHarness::Start(std::vector<std::string> args) {
  const bool started = app->InitInstance(ParseCommandLine(args));
  QApplication::processEvents();
  return started;
}

CVekView* AppHarness::StartOn(const QString& path) {
  if (!Start({path.toStdString()})) return nullptr;
  return ActiveView();
}

CChildFrame* AppHarness::ActiveChild() const { return Frame() != nullptr ? Frame()->ActiveChild() : nullptr; }

CVekView* AppHarness::ActiveView() const {
  CChildFrame* child = ActiveChild();
  return child != nullptr ? child->GetView() : nullptr;
}

namespace {
// The widget a real click at `point` of the view reaches: the control there, or the view itself
// where only frames lie (they let clicks through).
QWidget* ClickTarget(CVekView* view, QPoint& point) {
  QWidget* child = view->childAt(point);
  if (child == nullptr) return view;
  point = child->mapFrom(view, point);
  return child;
}
} // namespace

void AppHarness::Click(CVekView* view, QPoint point, Qt::KeyboardModifiers modifiers) {
  QWidget* target = ClickTarget(view, point);
  QTest::mouseClick(target, Qt::LeftButton, modifiers, point);
}

void AppHarness::DoubleClick(CVekView* view, QPoint point, Qt::KeyboardModifiers modifiers) {
  QWidget* target = ClickTarget(view, point);
  QTest::mousePress(target, Qt::LeftButton, modifiers, point);
  QTest::mouseRelease(target, Qt::LeftButton, modifiers, point);
  QTest::mouseDClick(target, Qt::LeftButton, modifiers, point);
  QTest::mouseRelease(target, Qt::LeftButton, modifiers, point);
}

void AppHarness::Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(target, Qt::Key(key), modifiers);
}

void AppHarness::ClickControl(CVekView* view, int controlId) {
  auto* button = qobject_cast<QAbstractButton*>(GetDlgItem(view, controlId));
  if (button != nullptr) QTest::mouseClick(button, Qt::LeftButton);
}

QString AppHarness::ControlText(const CVekView* view, int controlId) const {
  const QWidget* control = GetDlgItem(view, controlId);
  return control != nullptr ? control->property("text").toString() : QString();
}

void AppHarness::TypeStart(CVekView* view, const QString& text) {
  auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(view, 1001));
  if (edit == nullptr) return;
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
}

namespace {
QStringList Lines(const std::vector<std::string>& lines, bool shownCharacters) {
  QStringList shown;
  for (const std::string& line : lines) {
    QString text;
    for (const char byte : line) {
      const auto value = static_cast<std::uint8_t>(byte);
      text += shownCharacters ? QChar(static_cast<char16_t>(ShownCharacter(value, ShownOn::Screen))) : QChar(value);
    }
    shown.append(text);
  }
  return shown;
}
} // namespace

QStringList OffsetLines(const CVekView* view) { return Lines(view->Session().Text().offsetLines, false); }
QStringList HexLines(const CVekView* view) { return Lines(view->Session().Text().hexLines, false); }
QStringList AsciiLines(const CVekView* view) { return Lines(view->Session().Text().asciiLines, true); }

QStringList PageLines(const CVekView* view) {
  const QString text = PageAccessibleText(*view);
  return view->Session().Text().hexLines.empty() ? QStringList() : text.split(u'\n');
}

QString ShownFileName(const CVekView* view) { return DisplayName(view->Session().Path()); }

} // namespace vek::test
