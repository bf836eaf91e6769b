#pragma once
// Scroll boxes and tool bars.
#include "platform/controls/WinControl.h"
#include "platform/graphics/ImageList.h"

class TScrollBox;

// One scroll bar of a scroll box: the range scrolled, the step of a line, the
// position, and whether dragging the thumb scrolls at once.
class TControlScrollBar : public TPersistent {
  VANTREL_CLASS(TControlScrollBar, TPersistent)
public:
  TControlScrollBar(TScrollBox* Control, TScrollBarKind Kind) : FControl(Control), FKind(Kind) {}
  TScrollBarKind Kind() const { return FKind; }
  int Range() const { return FRange; }
  void SetRange(int Value);
  int Increment() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = std::max(Value, 1); }
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  bool Tracking() const { return FTracking; }
  void SetTracking(bool Value) { FTracking = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // The largest position: the range less the client's extent.
  int MaxPosition() const;
  void ScrollMessage(TMessage& Message);
  void Update();
  static void Publish(TClassBuilder<TControlScrollBar>& b);

private:
  TScrollBox* FControl;
  TScrollBarKind FKind;
  int FRange = 0;
  int FIncrement = 8;
  int FPosition = 0;
  bool FTracking = false;
  bool FVisible = true;
};

class TScrollBox : public TCustomControl {
  VANTREL_CLASS(TScrollBox, TCustomControl)
public:
  explicit TScrollBox(TComponent* AOwner);
  ~TScrollBox() override;
  TControlScrollBar* HorzScrollBar() const { return FHorz.get(); }
  TControlScrollBar* VertScrollBar() const { return FVert.get(); }
  // Moves the children by (DeltaX, DeltaY).
  void ScrollBy(int DeltaX, int DeltaY);
  static void Publish(TClassBuilder<TScrollBox>& b);

protected:
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  void Resize() override;

private:
  std::unique_ptr<TControlScrollBar> FHorz, FVert;
};

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
VANTREL_ENUM(TToolButtonStyle, "tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider")

class TToolBar;

class TToolButton : public TGraphicControl {
  VANTREL_CLASS(TToolButton, TGraphicControl)
public:
  explicit TToolButton(TComponent* AOwner);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; Invalidate(); }
  TToolButtonStyle Style() const { return FStyle; }
  void SetStyle(TToolButtonStyle Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value) { FDown = Value; Invalidate(); }
  void Click() override;
  static void Publish(TClassBuilder<TToolButton>& b);

protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
  int FImageIndex = -1;
  TToolButtonStyle FStyle = tbsButton;
  bool FDown = false;
  bool FPressed = false;
};

// Lays its buttons out left to right, all of ButtonWidth x ButtonHeight (larger when the
// captions need it).
class TToolBar : public TCustomControl {
  VANTREL_CLASS(TToolBar, TCustomControl)
public:
  explicit TToolBar(TComponent* AOwner);
  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int Value) { FButtonWidth = Value; Realign(); }
  int ButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(int Value) { FButtonHeight = Value; Realign(); }
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  bool ShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool Value) { FShowCaptions = Value; Realign(); Invalidate(); }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value) { FFlat = Value; Invalidate(); }
  static void Publish(TClassBuilder<TToolBar>& b);

protected:
  void AlignControls(TControl* AControl, win::RECT& Rect) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  int FButtonWidth = 23;
  int FButtonHeight = 22;
  TCustomImageList* FImages = nullptr;
  bool FShowCaptions = false;
  bool FFlat = false;
};
