#pragma once
// The strip of edit buttons an edit shows at the right edge of its client area (the left
// one when it reads right to left): one control per button description, entry 0 for the
// edit's main button, 1-pixel separators on the text side of each button when flat, and
// the press, click and drop-down menu rules every edit with buttons follows.
#include <functional>

#include "gridcontrols/ToolCtrlsGx/EditButtons.h"

class TEditButtonStripGx {
public:
  // Which object an item's OnDown and OnClick hear as their sender.
  enum class TItemSenderGx { Control, Item };

  // The strip's controls belong to Host.
  TEditButtonStripGx(TWinControl* Host, TItemSenderGx ItemSender);
  ~TEditButtonStripGx();
  TEditButtonStripGx(const TEditButtonStripGx&) = delete;
  TEditButtonStripGx& operator=(const TEditButtonStripGx&) = delete;

  // Where the controls' presses, clicks and mouse moves and releases go.
  void SetHandlers(const TButtonDownEventGx& OnDown, const TNotifyEvent& OnClick, const TMouseMoveEvent& OnMouseMove,
                   const TMouseEvent& OnMouseUp);

  // Makes one control per description (Main, then the Items in order; Items may be nil),
  // takes each one's look from it and places them: square at the top of a tall host, as
  // high as its client area otherwise.
  void Layout(TEditButtonGx* Main, TEditButtonsGx* Items, bool Flat, bool RightToLeft);
  void SetStates(bool Enabled, bool Active, TColor LineColor);

  const TEditButtonControlList& Controls() const { return FControls; }
  // The room the visible buttons and separators take, and their height.
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // The main button's control; nil before the first layout.
  TEditButtonControlGx* MainControl() const;
  bool IsMain(TObject* Control) const;
  // The control of item Index of the descriptions; nil when it has none.
  TEditButtonControlGx* ItemControl(int Index) const;
  // Holds the main button pressed while the host's popup is open.
  void HoldMainDown(bool Value);

  // A press of Control: ignored when it closed Control's own drop-down menu; the main
  // button runs MainDown; an item runs its OnDown and then, unless that handled it, drops
  // its menu.
  void Press(TObject* Control, TEditButtonsGx* Items, bool TopButton, bool& AutoRepeat, bool& Handled,
             const std::function<void()>& MainDown);
  // A click of Control: the main button runs MainClick, an item its OnClick. True when
  // the host's open popup should close: an unhandled click of the main button that does
  // not complete the press which opened the popup.
  bool Click(TObject* Control, TEditButtonsGx* Items, bool PopupOpen,
             const std::function<void(bool& Handled)>& MainClick);
  // A release of the mouse over Control at X, Y (its client coordinates).
  void Released(TObject* Control, int X, int Y);
  // The press being handled opened the host's popup: the click completing it leaves it open.
  void PressOpenedPopup() { FSkipClosingClick = true; }
  // A short cut pressed Control: its press and its click.
  static void PressByKey(TEditButtonControlGx* Control);

  // Drops Menu under Control; the press that closes the menu does not drop it again.
  void DropMenu(TEditButtonControlGx* Control, TPopupMenu* Menu);
  // Forgets a menu closing still waiting in the host's queue.
  void ForgetMenuClosing();

private:
  TEditButtonControlGx* NewControl();
  // True, with the notice removed, when a press of Control closed its drop-down menu.
  bool TakeMenuClosingPress(TObject* Control);
  int IndexOf(TObject* Control) const;
  TObject* ItemSender(TObject* Control, TEditButtonGx* Item) const;

  TWinControl* FHost;
  TItemSenderGx FItemSender;
  TEditButtonControlList FControls;
  TButtonDownEventGx FOnDown;
  TNotifyEvent FOnClick;
  TMouseMoveEvent FOnMouseMove;
  TMouseEvent FOnMouseUp;
  int FWidth = 0;
  int FHeight = 0;
  bool FSkipClosingClick = false;
};
