#include "app/CHelpDlg.h"

#include <array>

#include <QKeyEvent>

#include "platform/AppIcons.h"

namespace vek {

namespace {

constexpr int kWidthDlu = 329;
constexpr int kHeightDlu = 141;
// The two lists of controls run nearly to the right edge of their group box (302 units rather
// than 214 and 293): in the dialog font their longest lines would otherwise wrap and be cut off.
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

} // namespace

CHelpDlg::CHelpDlg(QWidget* pParent)
    : TemplateDialog({"VEK Help", kWidthDlu, kHeightDlu, kControls}, pParent) {}

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
