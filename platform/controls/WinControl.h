#pragma once
// TWinControl: a control with a window of the window system: handle life cycle,
// children and their alignment, focus and tab order, keys and painting.
// TCustomControl adds a canvas and Paint; TGraphicControl paints on its parent.
#include "platform/controls/Control.h"

#include <functional>
#include <vector>

class TWinControl : public TControl {
  VANTREL_CLASS(TWinControl, TControl)
public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;

  // The window.
  win::HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // The window was made with WS_POPUP: a top-level window owned by its parent's window,
  // placed in screen coordinates, left out of the parent's alignment, never activated.
  bool IsPopupWindow() const { return FPopupWindow; }
  void HandleNeeded();
  void RecreateWnd();
  win::HWND ParentWindow() const { return FParentWindow; }
  void SetParentWindow(win::HWND Value);
  // The control that owns a window created by this class library; nullptr otherwise.
  static TWinControl* FindControl(win::HWND Handle);

  // Children.
  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int Index) const { return FControls.at(Index); }
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(TControl* Control) const;
  // The child under a client point (enabled and visible ones; windowed ones too when
  // AllowWinControls); nullptr when none.
  TControl* ControlAtPos(win::POINT Pos, bool AllowDisabled, bool AllowWinControls = false) const;
  void DisableAlign();
  void EnableAlign();
  void Realign();
  bool AlignDisabled() const { return FAlignLevel > 0; }
  void ScaleControls(int M, int D);

  // Focus and tab order.
  virtual bool CanFocus() const;
  virtual bool Focused() const;
  virtual void SetFocus();
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  int TabOrder() const;
  void SetTabOrder(int Value);
  // Windowed children in tab order.
  void GetTabOrderList(std::vector<TWinControl*>& List);
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  TImeMode ImeMode() const { return FImeMode; }
  void SetImeMode(TImeMode Value) { FImeMode = Value; }
  const std::string& ImeName() const { return FImeName; }
  void SetImeName(const std::string& Value) { FImeName = Value; }

  bool Showing() const override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  win::RECT ClientRect() const override;
  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  void PaintTo(win::HDC DC, int X, int Y);

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  // Broadcast to the children until one answers with a non-zero result.
  void Broadcast(TMessage& Message);

  TNotifyEvent OnEnter() const { return FOnEnter; }
  void SetOnEnter(const TNotifyEvent& Value) { FOnEnter = Value; }
  TNotifyEvent OnExit() const { return FOnExit; }
  void SetOnExit(const TNotifyEvent& Value) { FOnExit = Value; }
  TKeyEvent OnKeyDown() const { return FOnKeyDown; }
  void SetOnKeyDown(const TKeyEvent& Value) { FOnKeyDown = Value; }
  TKeyEvent OnKeyUp() const { return FOnKeyUp; }
  void SetOnKeyUp(const TKeyEvent& Value) { FOnKeyUp = Value; }
  TKeyPressEvent OnKeyPress() const { return FOnKeyPress; }
  void SetOnKeyPress(const TKeyPressEvent& Value) { FOnKeyPress = Value; }

  static void Publish(TClassBuilder<TWinControl>& b);
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  void Loaded() override;

protected:
  virtual void CreateParams(TCreateParams& Params);
  // Adds the extended styles of the right-to-left modes: reading order, scroll bar on
  // the left, and the mirrored alignment of GetControlsAlignment.
  void AddBiDiModeExStyle(win::DWORD& ExStyle) const;
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void CreateWnd();
  virtual void CreateHandle();
  virtual void DestroyWindowHandle();
  virtual void DestroyWnd();
  virtual void DestroyHandle();
  void UpdateShowing();
  void UpdateControlState();
  void UpdateBounds();
  virtual void AlignControls(TControl* AControl, win::RECT& Rect);
  virtual void AdjustClientRect(win::RECT& Rect) {}
  void AlignControl(TControl* AControl);
  void RequestAlign() override;
  void ChangeScale(int M, int D) override;
public:
  void SetText(const std::string& Value) override;
  std::string GetText() const override;
protected:

  virtual void PaintWindow(win::HDC DC);
  void PaintHandler(TMessage& Message);
  // WM_PAINT for a control that paints its window itself: paint gets the message's
  // device context, or the window's own clipped to its invalid part (which counts as
  // painted then).
  void PaintOwnWindow(TMessage& Message, const std::function<void(win::HDC)>& Paint);
  void PaintControls(win::HDC DC, TControl* First);

  // Keys. DoKeyDown/DoKeyPress/DoKeyUp run the form's preview and the events; they
  // return true when the key was eaten.
  virtual void KeyDown(win::WORD& Key, TShiftState Shift);
  virtual void KeyUp(win::WORD& Key, TShiftState Shift);
  virtual void KeyPress(TKeyChar& Key);
  bool DoKeyDown(TMessage& Message);
  bool DoKeyPress(TMessage& Message);
  bool DoKeyUp(TMessage& Message);
  // Tab, Enter, Escape and arrows that the control does not want go to its form.
  virtual bool IsDialogKey(win::WORD Key, TShiftState Shift);
  virtual void DoEnter();
  virtual void DoExit();
  void SelectFirst();

  // Message handlers.
  void WMPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMMove(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMKeyUp(TMessage& Message);
  void WMChar(TMessage& Message);
  void WMCommand(TMessage& Message);
  void WMNotifyReflect(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMMouseWheel(TMessage& Message);
  void WMDestroy(TMessage& Message);
  void CMEnter(TMessage& Message);
  void CMExit(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMVisibleChangedWin(TMessage& Message);
  void CMEnabledChangedWin(TMessage& Message);
  void CMFontChangedWin(TMessage& Message);
  void CMColorChangedWin(TMessage& Message);
  void CMRecreateWnd(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void CMCancelMode(TMessage& Message);

  // Tells the children about a change of the parent's font, colour, hints or mode.
  void NotifyControls(win::UINT Msg);
  bool IsControlMouseMsg(TMessage& Message);
  void UpdateMouseHover(TMessage& Message);

  win::HWND FHandle = nullptr;
  win::HWND FParentWindow = nullptr;
  win::WNDPROC FDefWndProc = nullptr;
  std::vector<TControl*> FControls;     // all children, in z-order
  std::vector<TWinControl*> FTabList;  // windowed children, in tab order
  int FAlignLevel = 0;
  int FPendingTabOrder = -1;  // read before the control had its parent
  bool FTabStop = false;
  bool FShowing = false;
  bool FRecreating = false;
  bool FPopupWindow = false;
  TImeMode FImeMode = imDontCare;
  std::string FImeName;
  TControl* FMouseControl = nullptr;  // the child under the mouse, for enter/leave
  TNotifyEvent FOnEnter, FOnExit;
  TKeyEvent FOnKeyDown, FOnKeyUp;
  TKeyPressEvent FOnKeyPress;

  friend class TControl;
  friend class TCustomForm;
  friend win::LRESULT ControlWindowProc(win::HWND, win::UINT, win::WPARAM, win::LPARAM);
};

win::LRESULT ControlWindowProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);

// A windowed control that paints itself on a canvas.
class TCustomControl : public TWinControl {
  VANTREL_CLASS(TCustomControl, TWinControl)
public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() const { return FCanvas.get(); }
  

protected:
  virtual void Paint() {}
  void PaintWindow(win::HDC DC) override;

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};

// A control without a window: it paints on its parent's window.
class TGraphicControl : public TControl {
  VANTREL_CLASS(TGraphicControl, TControl)
public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const { return FCanvas.get(); }
  

protected:
  virtual void Paint() {}
  void Dispatch(TMessage& Message) override;

private:
  std::unique_ptr<TControlCanvas> FCanvas;
};
