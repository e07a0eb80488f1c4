#pragma once
// The view of one file: a form with the command controls above three painted columns that show
// the current page (offsets, bytes as hex-words, bytes as characters). The view owns everything
// about its file: the name, the size, the page window and buffer, the radix, the selected byte
// and the search pattern. No file stays open between commands.

#include <array>
#include <cstdint>
#include <memory>

#include <QString>
#include <QStringList>
#include <QWidget>

#include "core/PageGeometry.h"
#include "core/SearchLimits.h"

class QLineEdit;

namespace vek {

class File;
class FileSystem;
enum class FileError;
enum class OpenMode;
class UiServices;
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
  void LoadFile(const QString& path);
  bool AskFileName(QString& name);
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

  // State, for the frames and for tests.
  const QString& FileName() const { return m_strFileName; }
  Offset PageStart() const { return m_lPageStart; }
  Offset PageEnd() const { return m_lPageEnd; }
  Offset FileSize() const { return m_lFileSize; }
  int PageBytes() const { return m_nPageBytes; }
  int SelIndex() const { return m_nSelIndex; }
  bool HexMode() const { return m_bHexMode; }
  int PatternLength() const { return m_nPatternLen; }
  const QStringList& OffsetLines() const { return m_arrOffsetLines; }
  const QStringList& HexLines() const { return m_arrHexLines; }
  const QStringList& AsciiLines() const { return m_arrAsciiLines; }
  // The page as painted, one line per page line, the columns separated by two blanks.
  QStringList PageLines() const;
  // A point inside the cell of page byte `index` in the hex (or character) column, in the view's
  // pixels, for tests and tools that click a byte.
  QPoint HexCellCenter(int index) const;
  QPoint AsciiCellCenter(int index) const;

 signals:
  // The page text, selection or radix changed (accessibility and the frames follow it).
  void pageTextChanged();
  void selectionChanged(int index);

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
  void WriteByte(int index);
  void ConnectControls();
  void InvalidateColumns();
  QRect ColumnFrame(int controlId) const;
  QLineEdit* StartEdit() const;
  std::unique_ptr<File> OpenViewedFile(OpenMode mode, FileError& error) const;
  void SetControlText(int controlId, const QString& text);
  enum class SearchOutcome { Found, NotFound, Stopped };
  SearchOutcome RunSearch(Offset from);
  void SearchAndShow(Offset from, const char* notFoundText);

  UiServices& m_ui;
  FileSystem& m_files;
  ViewDocument* m_pDocument;

  Offset m_lPageStart = -1;
  Offset m_lPageEnd = -1;
  Offset m_lFileSize = 0;
  QString m_strFileName;
  std::unique_ptr<std::uint8_t[]> m_pPageBuf;
  int m_nHexWidth = 0;
  int m_nAsciiWidth = 0;
  int m_nSelIndex = 0;
  QStringList m_arrHexLines;
  QStringList m_arrAsciiLines;
  QStringList m_arrOffsetLines;
  bool m_bHexMode = false;
  bool m_bFontOK = false;
  int m_nPageBytes = 0;
  std::array<std::uint8_t, kMaxPatternBytes> m_searchPattern{};
  int m_nPatternLen = 0;

  // The page actually in the buffer: where it was read from and how many bytes are valid. The page
  // window above moves ahead of it while a start is typed, or when a read fails; the text on
  // screen and the byte editor follow this record, never the window.
  Offset m_lReadStart = 0;
  int m_nReadBytes = 0;
};

} // namespace vek
