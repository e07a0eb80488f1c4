#pragma once
// The whole program in a test: the application object with scripted desktop services, the
// fault-injecting file system over the real files, and a profile of its own.

#include <memory>

#include <QPoint>
#include <QString>
#include <QStringList>

#include "FaultyFileSystem.h"
#include "MemoryJournalStore.h"
#include "core/Journal.h"
#include "ScriptedUiServices.h"
#include "TestFiles.h"
#include "app/CVekApp.h"
#include "core/CommandLine.h"

class QWidget;

namespace vek {
class CChildFrame;
class CVekView;
} // namespace vek

namespace vek::test {

class AppHarness {
 public:
  AppHarness();
  ~AppHarness();

  // Starts the program as the command line would; false when it ends at once.
  bool Start(std::vector<std::string> args = {});
  // Starts on one file and returns its view (nullptr when it could not open).
  CVekView* StartOn(const QString& path);

  CMainFrame* Frame() const { return app->MainFrame(); }
  CChildFrame* ActiveChild() const;
  CVekView* ActiveView() const;

  // Real input, as a person gives it.
  void Click(CVekView* view, QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void DoubleClick(CVekView* view, QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void ClickControl(CVekView* view, int controlId);
  QString ControlText(const CVekView* view, int controlId) const;
  void TypeStart(CVekView* view, const QString& text); // replaces the Start field's text by typing

  TestFiles files;
  ScriptedUiServices ui;
  FaultyFileSystem fileSystem;
  MemoryJournalStore journalStore; // the run's journal, in memory: a test never writes this user's
  Journal journal{journalStore};
  QString profilePath;
  std::unique_ptr<CVekApp> app;
};

// What a view shows of its session's page text: each column's lines as painted, and the page lines
// as a screen reader reads them.
QStringList OffsetLines(const CVekView* view);
QStringList HexLines(const CVekView* view);
QStringList AsciiLines(const CVekView* view);
QStringList PageLines(const CVekView* view);
// The name of the file a view shows, as its titles show it.
QString ShownFileName(const CVekView* view);

} // namespace vek::test
