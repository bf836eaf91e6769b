#pragma once
// The triangular size grip in one corner of a popup: dragging it resizes the popup,
// within the work area.
#include "platform/controls/WinControl.h"

class TSizeGripGx : public TCustomControl {
  VANTREL_CLASS(TSizeGripGx, TCustomControl)
public:
  explicit TSizeGripGx(TComponent* AOwner);

  // The corner: 0 top-left, 1 top-right, 2 bottom-right, 3 bottom-left.
  int Position() const { return FPosition; }
  void SetPosition(int Value);
  // The window's shape is the triangle in its corner (else the whole square).
  bool TriangleWindow() const { return FTriangleWindow; }
  void SetTriangleWindow(bool Value);
  // Flips the grip to a side (0 left, 1 right, 2 top, 3 bottom), keeping the other
  // coordinate of its corner.
  void MoveToSide(int Side);
  // Shows or hides the grip's window without touching Visible.
  void GripVisible(bool Value);
  // Moves the window into its corner of the parent's client area.
  void PlaceInCorner();
  // Called after a drag step changed the parent's client size.
  const TNotifyEvent& OnParentResized() const { return FOnParentResized; }
  void SetOnParentResized(const TNotifyEvent& Value) { FOnParentResized = Value; }

protected:
  void CreateWnd() override;
  void Paint() override;
  void Dispatch(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  virtual void NotifyParentResized();

private:
  void UpdateWindowShape();
  void DragWidth(TWinControl* P, const win::POINT& Mouse, const win::RECT& Work);
  void DragHeight(TWinControl* P, const win::POINT& Mouse, const win::RECT& Work);

  int FPosition = 2;
  bool FTriangleWindow = true;
  bool FInternalMove = false;
  win::POINT FDownPos{0, 0};
  int FDownWidth = 0, FDownHeight = 0, FDownClientWidth = 0, FDownClientHeight = 0;
  win::POINT FLastPos{0, 0};
  TNotifyEvent FOnParentResized;
};
