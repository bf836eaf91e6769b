#pragma once
// What every drop-down window shares: the library's private window messages, the
// interfaces between a popup and the control that owns it, where a popup goes on the
// screen, and the window conventions of a borderless popup.
#include <functional>

#include "platform/controls/WinControl.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/Variant.h"

// To a popup: move the size grip to a side (wParam 0 left, 1 right, 2 top, 3 bottom).
inline constexpr win::UINT WM_GRIPSIDE_GX = win::WM_USER + 100;
// Posted by a popup to itself: close without accepting.
inline constexpr win::UINT WM_POPUPDISMISS_GX = win::WM_USER + 101;
// To a data-aware edit: its image layout changed (wParam the image settings object).
inline constexpr win::UINT WM_IMAGELAYOUT_GX = win::WM_USER + 101;
// Posted by an edit to itself after an edit button's drop-down menu returned (wParam the
// button control): the next mouse-down on that button is swallowed.
inline constexpr win::UINT WM_MENUCLOSED_GX = win::WM_USER + 102;

// Implemented by a control that owns popups: a popup never hides itself, it asks its owner.
class IPopupOwnerGx {
public:
  // Hides the open popup; Accept takes the popup's current value into the owner.
  virtual void ClosePopup(bool Accept) = 0;

protected:
  ~IPopupOwnerGx() = default;
};

// Implemented by a popup whose value its owner sets before showing and reads after closing.
class IPopupValueGx {
public:
  // True when Enter now would accept and close.
  virtual bool ReadyToAccept() = 0;
  virtual bool GetFlatStyle() = 0;
  virtual void GetPopupValue(Variant& Value) = 0;
  virtual void SetFlatStyle(bool Value) = 0;
  virtual void SetPopupValue(const Variant& Value) = 0;

protected:
  ~IPopupValueGx() = default;
};

// The interface I of an object, or nullptr when it has none.
template <class I>
I* Supports(TObject* Object) {
  return dynamic_cast<I*>(Object);
}

// Asks the owner of Popup to close it; does nothing when the owner owns no popups.
void ClosePopupThroughOwner(TComponent* Popup, bool Accept);

// The work area of the monitor nearest to Rect (screen).
win::RECT NearestWorkArea(const win::RECT& Rect);

// The top-left corner (screen) of Popup dropped from AnchorRect (screen) with the given
// alignment, inside the work area of the monitor nearest the anchor. May shorten or
// narrow Popup, and tells it (WM_GRIPSIDE_GX) which sides its grip goes to: away from
// the anchor vertically, and away from the side it was pushed to horizontally.
win::POINT PlaceDropDownWindow(const win::RECT& AnchorRect, TWinControl* Popup, TAlignment Align);
// The same for a popup dropped from a whole edit (EditRect, screen), left-aligned: a popup
// cut to the room on its side is not raised to its grip's height, and one whose edit lies
// left of the work area stays aligned with the edit.
win::POINT PlaceEditPopup(const win::RECT& EditRect, TWinControl* Popup);

// Moves Popup to At (screen) above the other windows and shows it without activating it.
void ShowDropDownWindow(TWinControl* Popup, win::POINT At);
// Hides Popup without activating anything.
void HideDropDownWindow(TWinControl* Popup);
// The window holding the mouse capture, if any, lets go of it (WM_CANCELMODE).
void CancelMouseCapture();

// Window conventions of a popup: a borderless top-level tool window of the edit that owns
// it, whose 3-D look is a 2-pixel raised frame drawn in its non-client area.
int PopupBorderWidth(const TControl* Popup);
// Adds WS_POPUP (WS_BORDER without the 3-D look), sets the extended style to exactly
// ExStyle and the class style to exactly CS_SAVEBITS.
void AddPopupWindowParams(TCreateParams& Params, const TControl* Popup, win::DWORD ExStyle);
// WM_WINDOWPOSCHANGING: a new size is raised to at least one scroll-bar width by one
// scroll-bar height (not while the popup is read from a stream or destroyed).
void KeepPopupMinimumSize(const TComponent* Popup, TMessage& Message);
// WM_NCCALCSIZE: the client area loses Border on every side.
void PopupNcCalcSize(TMessage& Message, int Border);
// WM_NCPAINT after the inherited painting: the raised frame (only with the 3-D look).
void PaintPopupRaisedFrame(win::HWND Window, const TControl* Popup);
// The frame and key-code messages of a popup that draws its own border, each after
// Inherited: WM_NCCALCSIZE shrinks the client area by PopupBorderWidth, WM_NCPAINT calls
// DrawBorder, CM_CTL3DCHANGED recreates the window and sizes it again, WM_GETDLGCODE adds
// arrows, Tab and all keys. False, with nothing done, for any other message.
bool DispatchPopupFrameMessage(TWinControl* Popup, TMessage& Message, const std::function<void()>& Inherited,
                               const std::function<void()>& DrawBorder);
