#include "app/CHelpDlg.h"

#include <array>

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTextOption>

#include "platform/AppIcons.h"
#include "platform/ControlTemplate.h"
#include "platform/DialogUnits.h"
#include "platform/Fonts.h"

namespace vek {

namespace {

constexpr int kWidthDlu = 329;
constexpr int kHeightDlu = 141;
// Tab stops every eight average characters, as static texts expand them: 32 dialog units.
constexpr int kTabStopDlu = 32;
// The two lists of controls run nearly to the right edge of their group box: in the dialog font
// their longest lines are wider than the classic font's, and a wrapped line would be cut off.
constexpr int kControlTextsDlu = 302;

constexpr const char* kIntroText =
    "This program allows you to view and edit any file that can be opened. \nViewing is done a "
    "\"page\" at a time. The page size is fixed at 200 bytes per page.\nYou can have as many "
    "open files as you wish.\n";
constexpr const char* kPageControlsText =
    "Hex\t\tSwitch display to/from hex/dec\nNew\t\tLoad a new file into this view.\nRefresh\t\t"
    "Reload the current page of the file and re-dsiplay\n< >\t\tMove to the previous / next "
    "page of bytes.\nStart\t\tSpecify the start byte position for the current page";
constexpr const char* kSearchControlsText =
    "Find\t\tStart a search from the beginning of the file for a byte pattern Hex / ASCII\n"
    "Next\t\tContinue searching from curent position for the search pattern\n16/10\t\tHex / "
    "Decimal converter";

constexpr std::array<ControlRow, 6> kControls{{
    {kNoControlId, ControlKind::Static, kIntroText, 13, 8, 263, 26},
    {kNoControlId, ControlKind::Static, kPageControlsText, 15, 47, kControlTextsDlu, 42},
    {kNoControlId, ControlKind::Static, kSearchControlsText, 15, 88, kControlTextsDlu, 26},
    {kNoControlId, ControlKind::GroupBox, "Controls", 7, 36, 315, 97},
    {kNoControlId, ControlKind::Static, "To edit a byte, double-click on it.", 15, 119, 118, 10},
    {kNoControlId, ControlKind::StaticIcon, kAppIconPath, 301, 7, 21, 20},
}};

// A static text that expands its tabs to fixed stops, so that the second column of a
// "name<tab><tab>description" list lines up; QLabel alone would use its own, wider stops.
class TabExpandingLabel final : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WordWrap);
    option.setTabStopDistance(DluToPixelsX(kTabStopDlu));
    painter.drawText(QRectF(contentsRect()), text(), option);
  }
};

QWidget* CreateHelpControl(QWidget* parent, const ControlRow& row) {
  const QString text = QString::fromUtf8(row.text);
  if (row.kind != ControlKind::Static || !text.contains(u'\t')) return CreateControl(parent, row);
  auto* label = new TabExpandingLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setText(text);
  label->setGeometry(DluRect(row.x, row.y, row.width, row.height));
  return label;
}

} // namespace

CHelpDlg::CHelpDlg(QWidget* pParent) : QDialog(pParent) {
  setWindowTitle(QStringLiteral("VEK Help"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFont(DialogFont());
  setFixedSize(DluToPixelsX(kWidthDlu), DluToPixelsY(kHeightDlu));
  for (const ControlRow& row : kControls) CreateHelpControl(this, row);
}

CHelpDlg::~CHelpDlg() = default;

void CHelpDlg::keyPressEvent(QKeyEvent* event) {
  if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
      accept();
      return;
    }
  }
  QDialog::keyPressEvent(event);
}

} // namespace vek
