#pragma once
// Command and control identifiers. Commands travel by these numbers from the menus, the
// accelerator table and the buttons to their handlers.

namespace vek::ids {

// Controls of the view's form.
inline constexpr int kNew = 1000;
inline constexpr int kStart = 1001;
inline constexpr int kRefresh = 1004;
inline constexpr int kFileName = 1005;
inline constexpr int kFileSize = 1006;
inline constexpr int kHexFrame = 1007;
inline constexpr int kAsciiFrame = 1008;
inline constexpr int kOffsetFrame = 1009;
inline constexpr int kRadix = 1012;
inline constexpr int kNextPage = 1015;
inline constexpr int kPrevPage = 1016;
inline constexpr int kPositionLine = 1018;
inline constexpr int kConverter = 1024;
inline constexpr int kFind = 1025; // also the command of Shift+F3
inline constexpr int kNext = 1026; // also the command of F3

// Controls of the Edit Byte dialog.
inline constexpr int kEditNewValue = 1019;
inline constexpr int kEditCurrentValue = 1020;
inline constexpr int kEditPosition = 1021;
inline constexpr int kEditRadioDecimal = 1032;
inline constexpr int kEditRadioHex = 1033;
inline constexpr int kEditNewValueLabel = 1034;

// Controls of the converter.
inline constexpr int kConvHex = 1023;
inline constexpr int kConvDecimal = 1024;

// Controls of the Find dialog.
inline constexpr int kFindPattern = 1029;
inline constexpr int kFindRadioHex = 1030;
inline constexpr int kFindRadioAscii = 1031;

// Dialog buttons.
inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

// Commands of the view.
inline constexpr int ID_PAGE_NEXT = 32774;
inline constexpr int ID_PAGE_PREV = 32775;
inline constexpr int ID_PAGE_LAST = 32776;
inline constexpr int ID_PAGE_FIRST = 32777;
inline constexpr int ID_GOTO_START = 32779;

// Commands of the application and the frames.
inline constexpr int ID_APP_HELP = 32780;
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_CLOSE = 57602;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_EDIT_UNDO = 57643;
inline constexpr int ID_WINDOW_ARRANGE = 57649;
inline constexpr int ID_WINDOW_CASCADE = 57650;
inline constexpr int ID_WINDOW_TILE_HORZ = 57651;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_NEXT_PANE = 57680;
inline constexpr int ID_PREV_PANE = 57681;

} // namespace vek::ids
