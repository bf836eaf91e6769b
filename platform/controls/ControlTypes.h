#pragma once
// Types shared by the controls: alignment, anchors, shift state, mouse buttons,
// cursors, styles and states, the event types and the window creation record.
#include "platform/controls/AlignLayout.h"
#include "platform/controls/Messages.h"
#include "platform/data/DBTypes.h"  // TAlignment
#include "platform/rtl/Component.h"
#include "platform/rtl/Events.h"
#include "platform/rtl/Set.h"

#include <string>

class TControl;
class TWinControl;

VANTREL_ENUM(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom")

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
VANTREL_ENUM(TAnchorKind, "akLeft", "akTop", "akRight", "akBottom")
using TAnchors = Set<TAnchorKind>;

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
VANTREL_ENUM(TShiftStateItem, "ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle", "ssDouble")
using TShiftState = Set<TShiftStateItem>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
VANTREL_ENUM(TMouseButton, "mbLeft", "mbRight", "mbMiddle")

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
VANTREL_ENUM(TBiDiMode, "bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly")

// The locale's capabilities the controls ask about. Right-to-left modes take effect
// only in a Middle-East locale; this platform shows right-to-left text everywhere, so
// the flag starts on (tests turn it off to see a Western system).
struct TSysLocale {
  bool MiddleEast = true;
};
extern TSysLocale SysLocale;


enum TDragMode { dmManual, dmAutomatic };
VANTREL_ENUM(TDragMode, "dmManual", "dmAutomatic")

// Where the pointer is in a drag over a control: just arrived, moving over it, or gone.
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
VANTREL_ENUM(TDragState, "dsDragEnter", "dsDragLeave", "dsDragMove")

enum TImeMode { imDisable, imClose, imOpen, imDontCare, imSAlpha, imAlpha, imHira, imSKata, imKata, imChinese, imSHanguel, imHanguel };
VANTREL_ENUM(TImeMode, "imDisable", "imClose", "imOpen", "imDontCare", "imSAlpha", "imAlpha", "imHira", "imSKata", "imKata", "imChinese", "imSHanguel", "imHanguel")

enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
VANTREL_ENUM(TBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin")

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
VANTREL_ENUM(TScrollStyle, "ssNone", "ssHorizontal", "ssVertical", "ssBoth")

enum TScrollBarKind { sbHorizontal, sbVertical };
VANTREL_ENUM(TScrollBarKind, "sbHorizontal", "sbVertical")

enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
VANTREL_ENUM(TScrollCode, "scLineUp", "scLineDown", "scPageUp", "scPageDown", "scPosition", "scTrack", "scTop", "scBottom", "scEndScroll")

enum TControlStyleItem {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed,
  csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible,
  csReplicatable, csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents
};
using TControlStyle = Set<TControlStyleItem>;

enum TControlStateItem {
  csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing,
  csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking
};
using TControlState = Set<TControlStateItem>;

enum TScalingFlag { sfLeft, sfTop, sfWidth, sfHeight, sfFont };
using TScalingFlags = Set<TScalingFlag>;

// Cursors: negative numbers are the standard shapes.
using TCursor = int;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4,
                  crSize = -22, crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9,
                  crUpArrow = -10, crHourGlass = -11, crDrag = -12, crNoDrop = -13,
                  crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17,
                  crNo = -18, crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22;

// Modal results.
using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4,
                       mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

// Key codes as typed into KeyPress: one character as a code point.
using TKeyChar = char32_t;

using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = TEvent<void(TObject* Sender, win::WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = TEvent<void(TObject* Sender, TKeyChar& Key)>;
using TMouseWheelEvent = TEvent<void(TObject* Sender, TShiftState Shift, int WheelDelta, win::POINT MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = TEvent<void(TObject* Sender, TShiftState Shift, win::POINT MousePos, bool& Handled)>;
using TContextPopupEvent = TEvent<void(TObject* Sender, win::POINT MousePos, bool& Handled)>;
class TDragObject;
using TDragOverEvent = TEvent<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = TEvent<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TStartDragEvent = TEvent<void(TObject* Sender, TDragObject*& DragObject)>;
using TEndDragEvent = TEvent<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TWndMethod = TEvent<void(TMessage& Message)>;

// What CreateWnd passes to the window system.
struct TCreateParams {
  std::string Caption;
  win::DWORD Style = 0;
  win::DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  win::HWND WndParent = nullptr;
  void* Param = nullptr;
  win::WNDCLASSA WindowClass;
  std::string WinClassName;
};

// The hint a control is about to show (CM_HINTSHOW passes a pointer in lParam).
struct THintInfo {
  TControl* HintControl = nullptr;
  win::POINT HintPos;
  int HintMaxWidth = 0;
  int HintColor = 0;
  win::RECT CursorRect;
  win::POINT CursorPos;
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  std::string HintStr;
  void* HintData = nullptr;
  TClass HintWindowClass = nullptr;
};

// Shift state from a mouse message's key flags and the keyboard.
TShiftState KeysToShiftState(win::WORD Keys);
TShiftState KeyDataToShiftState(win::LPARAM KeyData);
// Shift state of the keyboard now.
TShiftState GetShiftState();
