#pragma once
// The view of one file: a form with the command controls above three painted columns that show
// the current page (offsets, bytes as hex-words, bytes as characters). The view owns everything
// about its file: the name, the page state and buffer, the radix, the selected byte and the
// search. It holds the page state as a value (core/PageState.h) and does the I/O, the painting
// and the messages; no file stays open between commands.

#include <array>
#include <cstdint>

#include <QString>
#include <QStringList>
#include <QWidget>

#include "core/ByteMove.h"
#include "core/CellGeometry.h"
#include "core/PageGeometry.h"
#include "core/PageState.h"
#include "search/PatternSearch.h"

class QAbstractButton;
class QLabel;
class QLineEdit;

namespace vek {

class FileSystem;
class UiServices;
class PageArea;
class ViewDocument;

class CVekView : public QWidget {
  Q_OBJECT
 public:
  CVekView(UiServices& ui, FileSystem& files, ViewDocument* document, QWidget* parent = nullptr);
  ~CVekView() override;

  // Carries out a command sent by a menu, an accelerator or a button; false when the view has no
  // handler for it (it then goes on to the document and the frames).
  bool OnCmdMsg(int commandId);

  // The first update, once, after the view is made and before its window shows.
  void OnInitialUpdate();

  // File loading and page reading.
  bool ReadPage();
  void RefreshPage();
  void LoadFile(const std::string& path);
  bool AskFileName(std::string& name);
  void ShowStartPos(Offset start);

  // The page on screen.
  void BuildPageText();
  void ShowFileSize();
  void UpdateTitle();

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

  // Selecting and editing a byte.
  bool HitTestByte(int x, int y);
  void ShowPositionLine();
  // From the keyboard: the selected byte moved, turning the page when it leaves it; the selected
  // byte edited as a double-click on it does.
  void MoveSelection(ByteMove move);
  void EditSelectedByte();

  // State, for the frames, accessibility and tests.
  QString FileName() const; // as shown: the name's bytes decoded
  const std::string& LocalFileName() const { return m_strFileName; }
  const PageState& Page() const { return m_page; }
  Offset PageStart() const { return m_page.start; }
  Offset PageEnd() const { return m_page.end; }
  Offset FileSize() const { return m_page.fileSize; }
  int PageBytes() const { return m_page.count; }
  int SelIndex() const { return m_nSelIndex; }
  QString PositionLine() const;
  bool HexMode() const { return m_bHexMode; }
  int PatternLength() const { return m_search.PatternLength(); }
  const QStringList& OffsetLines() const { return m_arrOffsetLines; }
  const QStringList& HexLines() const { return m_arrHexLines; }
  const QStringList& AsciiLines() const { return m_arrAsciiLines; }
  // The page as painted, one line per page line, the columns separated as in PageLineColumns.
  QStringList PageLines() const;
  // The frame of a page column (ids::kOffsetFrame, kHexFrame, kAsciiFrame) in the view's pixels.
  FrameRect ColumnFrame(int frameId) const;
  // A point inside the cell of page byte `index` in the hex (or character) column, in the view's
  // pixels, for tests and tools that click a byte.
  QPoint HexCellCenter(int index) const;
  QPoint AsciiCellCenter(int index) const;

 signals:
  // The page text, selection or radix changed (accessibility and the frames follow it).
  void pageTextChanged();
  void selectionChanged(int index);
  void positionLineShown();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Only a left button with neither Shift nor Ctrl held, and no other button down, selects or edits.
  static bool PlainLeftButton(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
  void OnLButtonDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint point);
  void OnLButtonDblClk(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint point);
  void EditByte(int index);
  void WriteByte(int index);
  void ConnectControls();
  bool ShowPage(const PageState& wanted); // the page command's window, read and shown
  void ShowSearchOutcome(const PatternSearch::Outcome& outcome);
  void InvalidateColumns();

  UiServices& m_ui;
  FileSystem& m_files;
  ViewDocument* m_pDocument;

  PageState m_page;
  std::string m_strFileName; // the bytes of the name, as the system takes them
  std::array<std::uint8_t, kPageBytes> m_pageBuf{}; // the page read last, m_page.readCount bytes of it
  int m_nHexWidth = 0;   // 0 until the first paint that drew a line: until then clicks miss
  int m_nAsciiWidth = 0;
  int m_nSelIndex = 0;
  QStringList m_arrHexLines;
  QStringList m_arrAsciiLines;
  QStringList m_arrOffsetLines;
  bool m_bHexMode = false;
  PatternSearch m_search;
  PageArea* m_pageArea; // a child: the page as accessible text, and the keyboard's way in

  // The form's controls the view writes to or reads, fetched once from the form's template.
  QLineEdit* m_startEdit;
  QAbstractButton* m_radixButton;
  QLabel* m_fileNameLabel;
  QLabel* m_fileSizeLabel;
  QLabel* m_positionLabel;
};

} // namespace vek
