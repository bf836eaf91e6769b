#pragma once
// TControl: a visual component with bounds inside a parent, font, colour, visibility,
// mouse and keyboard events and the message machinery every control shares.
#include "platform/controls/ControlTypes.h"
#include "platform/graphics/Graphics.h"

#include <memory>

class TPopupMenu;
class TCustomForm;

class TControl : public TComponent {
  VANTREL_CLASS(TControl, TComponent)
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // Parent and geometry.
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  win::RECT BoundsRect() const;
  void SetBoundsRect(const win::RECT& R);
  virtual win::RECT ClientRect() const;
  int ClientWidth() const;
  int ClientHeight() const;
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  win::POINT ClientOrigin() const;
  win::POINT ClientToScreen(win::POINT P) const;
  win::POINT ScreenToClient(win::POINT P) const;
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);

  // Appearance.
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show();
  void Hide();
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  virtual bool Showing() const;
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value);
  std::string Caption() const { return GetText(); }
  void SetCaption(const std::string& Value) { SetText(Value); }
  std::string Text() const { return GetText(); }
  void SetTextProp(const std::string& Value) { SetText(Value); }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& Value) { FHint = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value) { FDragMode = Value; }
  // The cursor shown while this control is dragged over a target that accepts it.
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }
  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }

  // Right-to-left. BiDiMode follows the parent while ParentBiDiMode is set; the
  // Use... queries say what the mode means for this control in this locale.
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);
  bool IsRightToLeft() const;
  virtual bool UseRightToLeftAlignment() const;
  virtual bool UseRightToLeftReading() const;
  virtual bool UseRightToLeftScrollBar() const;
  // DrawText flags with left and right alignment swapped under right-to-left alignment
  // (centre stays) and DT_RTLREADING added under right-to-left reading.
  win::UINT DrawTextBiDiModeFlags(win::UINT Flags) const;
  win::UINT DrawTextBiDiModeFlagsReadingOnly() const;
  // The alignment of the control's text before any right-to-left mirroring.
  virtual TAlignment GetControlsAlignment() const { return taLeftJustify; }

  // Messages.
  TWndMethod WindowProc() const { return FWindowProc; }
  void SetWindowProc(const TWndMethod& Value) { FWindowProc = Value; }
  win::LRESULT Perform(win::UINT Msg, win::WPARAM WParam = 0, win::LPARAM LParam = 0);
  virtual void WndProc(TMessage& Message);
  // Finds the handler of the message's number, else DefaultHandler.
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);

  // Painting.
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  void BringToFront();
  void SendToBack();

  // Actions and scaling.
  virtual bool ExecuteAction(TObject* Action) { return false; }
  virtual bool UpdateAction(TObject* Action) { return false; }
  void ScaleBy(int M, int D);
  TScalingFlags ScalingFlags() const { return FScalingFlags; }
  void SetScalingFlags(TScalingFlags Value) { FScalingFlags = Value; }
  // Automatic sizing: while on, every new size is the one CanAutoSize proposes (when it
  // proposes one). Turning it on applies it at once.
  bool AutoSize() const { return FControlAutoSize; }
  void SetAutoSize(bool Value);
  // Applies automatic sizing to the current bounds.
  void AdjustSize();

  bool MouseCapture() const;
  void SetMouseCapture(bool Value);
  bool IsControl() const { return FIsControl; }
  virtual void Click();
  virtual void DblClick();

  // Drag and drop. BeginDrag starts a drag of this control at once, or (not Immediate)
  // once the pointer has moved Threshold pixels from where it is now; a negative
  // Threshold takes the system's. The mouse stays captured until the drag ends: releasing
  // the left button drops, Esc or the right button cancels. A pending drag the button is
  // released from before the threshold was never a drag: the press stays a click.
  void BeginDrag(bool Immediate, int Threshold = -1);
  // Whether this control is the source of a drag, pending or started.
  bool Dragging() const;
  // Ends this control's drag: dropping on the target under the pointer when Drop and the
  // target accepts, else cancelling it.
  void EndDrag(bool Drop);
  // Cancels whatever drag is going on.
  static void CancelDrag();

  // Events.
  TDragOverEvent OnDragOver() const { return FOnDragOver; }
  void SetOnDragOver(const TDragOverEvent& Value) { FOnDragOver = Value; }
  TDragDropEvent OnDragDrop() const { return FOnDragDrop; }
  void SetOnDragDrop(const TDragDropEvent& Value) { FOnDragDrop = Value; }
  TStartDragEvent OnStartDrag() const { return FOnStartDrag; }
  void SetOnStartDrag(const TStartDragEvent& Value) { FOnStartDrag = Value; }
  TEndDragEvent OnEndDrag() const { return FOnEndDrag; }
  void SetOnEndDrag(const TEndDragEvent& Value) { FOnEndDrag = Value; }
  TNotifyEvent OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& Value) { FOnClick = Value; }
  TNotifyEvent OnDblClick() const { return FOnDblClick; }
  void SetOnDblClick(const TNotifyEvent& Value) { FOnDblClick = Value; }
  TMouseEvent OnMouseDown() const { return FOnMouseDown; }
  void SetOnMouseDown(const TMouseEvent& Value) { FOnMouseDown = Value; }
  TMouseEvent OnMouseUp() const { return FOnMouseUp; }
  void SetOnMouseUp(const TMouseEvent& Value) { FOnMouseUp = Value; }
  TMouseMoveEvent OnMouseMove() const { return FOnMouseMove; }
  void SetOnMouseMove(const TMouseMoveEvent& Value) { FOnMouseMove = Value; }
  TMouseWheelEvent OnMouseWheel() const { return FOnMouseWheel; }
  void SetOnMouseWheel(const TMouseWheelEvent& Value) { FOnMouseWheel = Value; }
  TMouseWheelUpDownEvent OnMouseWheelDown() const { return FOnMouseWheelDown; }
  void SetOnMouseWheelDown(const TMouseWheelUpDownEvent& Value) { FOnMouseWheelDown = Value; }
  TMouseWheelUpDownEvent OnMouseWheelUp() const { return FOnMouseWheelUp; }
  void SetOnMouseWheelUp(const TMouseWheelUpDownEvent& Value) { FOnMouseWheelUp = Value; }
  TNotifyEvent OnResize() const { return FOnResize; }
  void SetOnResize(const TNotifyEvent& Value) { FOnResize = Value; }
  TContextPopupEvent OnContextPopup() const { return FOnContextPopup; }
  void SetOnContextPopup(const TContextPopupEvent& Value) { FOnContextPopup = Value; }

  static void Publish(TClassBuilder<TControl>& b);

  virtual std::string GetText() const { return FText; }
  virtual void SetText(const std::string& Value);
protected:
  virtual void Changed();
  virtual void Resize();
  virtual void RequestAlign();
  virtual void ChangeScale(int M, int D);
  // The size automatic sizing asks for, from the proposed one; false proposes none.
  virtual bool CanAutoSize(int& NewWidth, int& NewHeight) { return false; }
  // Applies automatic sizing to a proposed size.
  void ApplyAutoSize(int& NewWidth, int& NewHeight);
  virtual void VisibleChanging() {}
  virtual void FontChanged();
  virtual TCustomForm* GetParentFormOf() const;
  void SendCancelMode(TControl* Sender);
  // Where a control's painting goes when it has no window of its own.
  virtual win::HDC GetDeviceContext(win::HWND& WindowHandle);
  friend class TControlCanvas;

  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, win::POINT MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, win::POINT MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, win::POINT MousePos);
  virtual void DoContextPopup(win::POINT MousePos, bool& Handled);

  // The drag's steps as this control sees them. A target accepts by default only when it
  // has an OnDragOver handler, which may refuse; X and Y are in this control's client
  // coordinates. Source is the dragged control, or the drag object when it is not a
  // control's.
  virtual void BeginAutoDrag();
  virtual void DoStartDrag(TDragObject*& DragObject);
  bool DoDragOver(TObject* Source, int X, int Y, TDragState State);
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void DragDrop(TObject* Source, int X, int Y);
  virtual void DoEndDrag(TObject* Target, int X, int Y);
  friend class DragSession;

  // Message handlers.
  void WMMouseButton(TMessage& Message, TMouseButton Button, bool Down, bool Double);
  void WMMouseMove(TMessage& Message);
  void CMMouseWheel(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMParentFontChanged(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  void CMParentShowHintChanged(TMessage& Message);
  void CMParentBiDiModeChanged(TMessage& Message);
  void CMBiDiModeChanged(TMessage& Message);
  void CMHitTest(TMessage& Message);
  void CMDrag(TMessage& Message);
  void WMContextMenu(TMessage& Message);

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void DoFontChange(TObject* Sender);

public:
  bool HasParent() const override;
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;

protected:

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  // Parent client size when the anchors were last taken, for anchored resizing.
  int FAnchorOriginW = -1, FAnchorOriginH = -1;
  bool FVisible = true;
  bool FEnabled = true;
  TColor FColor;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  std::string FText;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TPopupMenu* FPopupMenu = nullptr;
  TCursor FCursor = crDefault;
  TDragMode FDragMode = dmManual;
  TCursor FDragCursor = crDrag;
  TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState FControlState;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  TScalingFlags FScalingFlags;
  bool FControlAutoSize = false;
  bool FIsControl = false;
  bool FMouseInControl = false;
  int FCreationOrder = 0;
  TWndMethod FWindowProc;
  TNotifyEvent FOnClick, FOnDblClick, FOnResize;
  TMouseEvent FOnMouseDown, FOnMouseUp;
  TMouseMoveEvent FOnMouseMove;
  TMouseWheelEvent FOnMouseWheel;
  TMouseWheelUpDownEvent FOnMouseWheelDown, FOnMouseWheelUp;
  TContextPopupEvent FOnContextPopup;
  TDragOverEvent FOnDragOver;
  TDragDropEvent FOnDragDrop;
  TStartDragEvent FOnStartDrag;
  TEndDragEvent FOnEndDrag;

  friend class TWinControl;
};

// What is being dragged. A drag without one from OnStartDrag gets a TDragControlObject
// for its source, owned by the drag; one handed out by OnStartDrag stays its giver's.
class TDragObject : public TObject {
  VANTREL_CLASS(TDragObject, TObject)
public:
  // The cursor over a target that accepts the drop (Accepted) or refuses it.
  virtual TCursor GetDragCursor(bool Accepted, int X, int Y) { return Accepted ? crDrag : crNoDrop; }
  // The control under the pointer and the pointer in screen coordinates.
  TControl* DragTarget() const { return FDragTarget; }
  win::POINT DragPos() const { return FDragPos; }
  bool Dropped() const { return FDropped; }

private:
  TControl* FDragTarget = nullptr;
  win::POINT FDragPos{};
  bool FDropped = false;
  friend class DragSession;
};

// Drags a control; targets see the control itself as the drag's source.
class TDragControlObject : public TDragObject {
  VANTREL_CLASS(TDragControlObject, TDragObject)
public:
  explicit TDragControlObject(TControl* AControl) : FControl(AControl) {}
  TControl* Control() const { return FControl; }
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;

private:
  TControl* FControl;
};

// A canvas on a control: it takes the control's device context when first drawn on
// outside painting and gives it back when freed or told to.
class TControlCanvas : public TCanvas {
  VANTREL_CLASS(TControlCanvas, TCanvas)
public:
  TControlCanvas() = default;
  ~TControlCanvas() override;
  TControl* Control() const { return FControl; }
  void SetControl(TControl* Value);
  void FreeHandle();

protected:
  void CreateHandle() override;

private:
  TControl* FControl = nullptr;
  win::HDC FDeviceContext = nullptr;
  win::HWND FWindowHandle = nullptr;
};

// Swaps left and right justification (centre stays): the mirror of an alignment
// under right-to-left alignment.
void ChangeBiDiModeAlignment(TAlignment& Alignment);

// The form a control sits on (walking parents); nullptr when none.
TCustomForm* GetParentForm(TControl* Control);

// A hint "short|long": the part before the first '|' is shown in the hint window, the
// part after it is the longer text; a hint without '|' is both.
std::string GetShortHint(const std::string& Hint);
std::string GetLongHint(const std::string& Hint);

// The control that holds the mouse capture (a windowless one through its parent's window).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);
