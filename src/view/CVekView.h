#pragma once
// The view of one file: a form with the command controls above three painted columns that show
// the current page (offsets, bytes as hex-words, bytes as characters). Everything about the file
// (its name, the page, the selected byte, the radix, the search pattern) is the document's session
// (core/FileSession.h); the view turns the form's commands, clicks and keys into the session's
// operations, carries out their outcomes (texts, painting, message boxes) and tells screen readers.

#include <functional>
#include <optional>

#include <QString>
#include <QWidget>

#include "core/ByteMove.h"
#include "core/CellGeometry.h"
#include "core/PageDifferences.h"
#include "core/PageGeometry.h"
#include "core/SessionOutcome.h"
#include "core/WheelSteps.h"
#include "view/PageTool.h"

class QAbstractButton;
class QLabel;
class QLineEdit;

namespace vek {

class FileSession;
class FileSystem;
class FileWatch;
class UiServices;
class PageArea;
class ViewDocument;

class CVekView : public QWidget {
  Q_OBJECT
 public:
  CVekView(UiServices& ui, FileSystem& files, ViewDocument& document, QWidget* parent = nullptr);
  ~CVekView() override;

  // Carries out a command sent by a menu, an accelerator or a button; false when the view has no
  // handler for it (it then goes on to the document and the frames).
  bool OnCmdMsg(int commandId);

  // The first update, once, after the view is made and before its window shows.
  void OnInitialUpdate();

  // File loading and page reading.
  void RefreshPage();
  void LoadFile(const std::string& path);
  bool AskFileName(std::string& name);

  // Commands of the form and the keys.
  void OnNew();
  void OnChangeStart();
  void OnGoToStart();
  void OnNextPage();
  void OnPrevPage();
  void OnPageDown() { OnNextPage(); }
  void OnPageUp() { OnPrevPage(); }
  void OnFirstPage();
  void OnLastPage();
  void OnRadixToggle();
  QString OnToolTipNeedText(int controlId) const;
  void OnConverter();
  void OnFind();
  void OnNext();
  void OnFindPrevious();
  // The session's pattern, asked for with the Find dialog (as Find asks) when there is none yet;
  // false when there still is none.
  bool EnsureSearchPattern();

  // Selecting and editing a byte.
  bool HitTestByte(int x, int y);
  void ShowPositionLine();
  // From the keyboard: the selected byte moved, turning the page when it leaves it; the selected
  // byte edited as a double-click on it does.
  void MoveSelection(ByteMove move);
  void ExtendSelection(ByteMove move); // with Shift: a range from where it began
  void EditSelectedByte();
  // Shows the page that holds `offset` and selects the byte there (Go to).
  void GoTo(Offset offset);
  // Runs an operation of the session, under the wait cursor, and carries out what it asks for: the
  // way our own commands (the page's context menu, the tool windows) act on the file.
  void Perform(const std::function<Outcome(FileSession& session, FileSystem& files)>& operation);
  // While the file is compared with another side by side: the page's bytes that differ from it,
  // painted on a wash of their own (none: not compared).
  void MarkDifferences(std::optional<PageDifferences> marks);
  // A key of the page asked for one of our own windows: toolRequested tells whoever opens it.
  void RequestTool(PageTool tool) { emit toolRequested(tool); }

  // For the frames, accessibility and tests.
  const FileSession& Session() const { return m_session; }
  // The files the view reads its file through, for the tools that read more of it.
  FileSystem& Files() const { return m_files; }
  QString PositionLine() const;
  // The frame of a page column (ids::kOffsetFrame, kHexFrame, kAsciiFrame) in the view's pixels.
  FrameRect ColumnFrame(int frameId) const;
  // A point inside the cell of page byte `index` in the hex (or character) column, in the view's
  // pixels, for tests and tools that click a byte.
  QPoint HexCellCenter(int index) const;
  QPoint AsciiCellCenter(int index) const;
  // The part of the view that takes the keyboard for the page: our own commands' keys go there.
  QWidget* PageWidget() const;
  // Asks for the page's context menu: at `globalPos`, or (from the keyboard) at the selected byte.
  void RequestContextMenu(std::optional<QPoint> globalPos = std::nullopt);
  // Where a menu asked for from the keyboard opens: on the selected byte's hex cell, on the screen.
  QPoint SelectedCellOnScreen() const;

 signals:
  // The page text, selection or radix changed (accessibility and the frames follow it).
  void pageTextChanged();
  void selectionChanged(int index);
  void positionLineShown();
  // An operation of the session was carried out (what it may have changed: the page, the selection,
  // the history of writes, whether the file may be written).
  void sessionChanged();
  // The page's context menu is wanted at this point of the screen.
  void contextMenuRequested(const QPoint& globalPos);
  void toolRequested(vek::PageTool tool);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Only a left button with neither Shift nor Ctrl held, and no other button down, selects or edits.
  static bool PlainLeftButton(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
  // Which byte of the page, if any, lies at a point of the view, as painted last.
  HitResult HitAt(int x, int y) const;
  void OnLButtonDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint point);
  void OnLButtonDblClk(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint point);
  void EditByte(int index);
  void ConnectControls();
  void ShowPage(const PageState& wanted); // a page command: the window it asks for, read and shown
  // Carries out what a session's operation asked for: the texts, then the message, then the read.
  void Apply(const Outcome& outcome);
  void Show(const Shown& shown);
  void ShowFileSize();
  void UpdateTitle();
  void ShowStartPos();

  UiServices& m_ui;
  FileSystem& m_files;
  ViewDocument& m_document;
  FileSession& m_session;
  // Painting sets these to the line widths; until the first paint that drew a line, clicks miss.
  int m_nHexWidth = 0;
  int m_nAsciiWidth = 0;
  QLabel* m_readOnlyLabel; // shown while the file is open read-only
  FileWatch* m_watch;      // keeps the page true to the file while other programs change it
  bool m_dragging = false; // the left button went down on a byte: moving extends from it
  WheelSteps m_wheel;
  PageArea* m_pageArea; // a child: the page as accessible text, and the keyboard's way in

  // The form's controls the view writes to or reads, fetched once from the form's template.
  QLineEdit* m_startEdit;
  QAbstractButton* m_radixButton;
  QLabel* m_fileNameLabel;
  QLabel* m_fileSizeLabel;
  QLabel* m_positionLabel;
};

} // namespace vek
