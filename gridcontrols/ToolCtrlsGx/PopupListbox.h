#pragma once
// The owner-drawn list that drops from an edit or a grid cell, and its variant for
// recently-used texts with a scroll bar of its own. The list never takes the focus: its
// owner keeps it and routes keys to the list.
#include <string>

#include "gridcontrols/ToolCtrlsGx/SizeGrip.h"
#include "platform/controls/ListBoxes.h"
#include "platform/graphics/ImageList.h"

class TPopupListboxGx : public TCustomListBox {
  VANTREL_CLASS(TPopupListboxGx, TCustomListBox)
public:
  explicit TPopupListboxGx(TComponent* AOwner);

  // Snaps the height to whole rows (at least one) plus the frame.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // Height for Rows rows (at least one).
  void SizeToRows(int Rows);
  // The text height of the list's font on the screen; owners set ItemHeight from it.
  int MeasureLineHeight();
  // The number of whole rows the current height holds.
  int RowCount() const { return FRowCount; }
  bool CanFocus() const override { return false; }

  // When assigned, item i is drawn with image i beside its text.
  TCustomImageList* ImageList() const { return FImageList; }
  void SetImageList(TCustomImageList* Value);
  TSizeGripGx* SizeGrip() const { return FSizeGrip; }
  // Set by every resize; owners read it after closing to learn whether the user resized.
  bool GripResized() const { return FGripResized; }
  void SetGripResized(bool Value) { FGripResized = Value; }

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void KeyPress(TKeyChar& Key) override;
  bool DoMouseWheelDown(TShiftState Shift, win::POINT MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, win::POINT MousePos) override;
  void Paint() override;
  void DrawItem(int Index, win::RECT Rect, TOwnerDrawState State) override;
  // WM_GRIPSIDE_GX: the grip goes to Side.
  virtual void GripSideChanged(int Side);
  // The height of the window around its rows.
  int FrameHeight() const;

private:
  int ImageBoxWidth() const { return FImageList->Width() + 4; }

  TSizeGripGx* FSizeGrip = nullptr;
  TCustomImageList* FImageList = nullptr;
  win::POINT FLastMousePos{-1, -1};
  int FRowCount = 0;
  std::string FSearchText;
  win::DWORD FSearchTime = 0;
  bool FGripResized = false;
};

// The list of recently-used texts: a separate scroll bar beside the rows leaves room for
// the size grip.
class TMRUListboxGx : public TPopupListboxGx {
  VANTREL_CLASS(TMRUListboxGx, TPopupListboxGx)
public:
  explicit TMRUListboxGx(TComponent* AOwner);
  TScrollBar* ScrollBar() const { return FScrollBar; }
  // Shows the scroll bar when the items do not fit (the grip beside it becomes square),
  // hides it otherwise (the grip is a triangle again).
  void UpdateOwnScrollBar();

protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void GripSideChanged(int Side) override;

private:
  void PlaceOwnScrollBar();
  void ScrollBarWndProc(TMessage& Message);
  void ScrollBarScrolled(TObject* Sender, TScrollCode Code, int& Pos);

  TScrollBar* FScrollBar = nullptr;
  TWndMethod FScrollBarWndProc;
  bool FMovingScrollBar = false;
};
