#pragma once
// Panels, splitters, shapes, timers and radio groups.
#include "platform/controls/StdCtrls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
VANTREL_ENUM(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace")

class TCustomPanel : public TCustomControl {
  VANTREL_CLASS(TCustomPanel, TCustomControl)
public:
  explicit TCustomPanel(TComponent* AOwner);
  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  TAlignment Alignment() const { return FAlignment; }
  TAlignment GetControlsAlignment() const override { return FAlignment; }
  void SetAlignment(TAlignment Value);
  static void Publish(TClassBuilder<TCustomPanel>& b);

protected:
  void AdjustClientRect(win::RECT& Rect) override;
  void Paint() override;
  void Dispatch(TMessage& Message) override;

private:
  int BorderSize() const;
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  int FBevelWidth = 1;
  int FBorderWidth = 0;
  TAlignment FAlignment = taCenter;
};

class TPanel : public TCustomPanel {
  VANTREL_CLASS(TPanel, TCustomPanel)
public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
VANTREL_ENUM(TResizeStyle, "rsNone", "rsLine", "rsUpdate", "rsPattern")
using TCanResizeEvent = TEvent<void(TObject* Sender, int& NewSize, bool& Accept)>;

// Resizes the aligned neighbour it sits against by dragging.
class TSplitter : public TGraphicControl {
  VANTREL_CLASS(TSplitter, TGraphicControl)
public:
  explicit TSplitter(TComponent* AOwner);
  int MinSize() const { return FMinSize; }
  void SetMinSize(int Value) { FMinSize = std::max(Value, 1); }
  bool AutoSnap() const { return FAutoSnap; }
  void SetAutoSnap(bool Value) { FAutoSnap = Value; }
  TResizeStyle ResizeStyle() const { return FResizeStyle; }
  void SetResizeStyle(TResizeStyle Value) { FResizeStyle = Value; }
  int Beveled() const { return FBeveled; }
  void SetBeveled(bool Value) { FBeveled = Value; Invalidate(); }
  TCanResizeEvent OnCanResize() const { return FOnCanResize; }
  void SetOnCanResize(const TCanResizeEvent& Value) { FOnCanResize = Value; }
  TNotifyEvent OnMoved() const { return FOnMoved; }
  void SetOnMoved(const TNotifyEvent& Value) { FOnMoved = Value; }
  // The neighbour the splitter resizes, or nullptr.
  TControl* FindControl() const;
  static void Publish(TClassBuilder<TSplitter>& b);

protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Paint() override;
  void RequestAlign() override;

private:
  bool DoCanResize(int& NewSize);
  void CalcSplitSize(int X, int Y, int& NewSize, int& Split);
  void UpdateControlSize();
  void DrawLine();

  int FMinSize = 30;
  bool FAutoSnap = true;
  bool FBeveled = false;
  TResizeStyle FResizeStyle = rsPattern;
  TControl* FControl = nullptr;
  win::POINT FDownPos{};
  int FSplit = 0;
  int FNewSize = 0;
  int FOldSize = 0;
  int FMaxSize = 0;
  bool FLineVisible = false;
  int FLinePos = 0;
  TCanResizeEvent FOnCanResize;
  TNotifyEvent FOnMoved;
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
VANTREL_ENUM(TShapeType, "stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle")

class TShape : public TGraphicControl {
  VANTREL_CLASS(TShape, TGraphicControl)
public:
  explicit TShape(TComponent* AOwner);
  ~TShape() override;
  TShapeType Shape() const { return FShape; }
  void SetShape(TShapeType Value) { FShape = Value; Invalidate(); }
  TBrush* Brush() const { return FBrush.get(); }
  TPen* Pen() const { return FPen.get(); }
  static void Publish(TClassBuilder<TShape>& b);

protected:
  void Paint() override;
  void StyleChanged(TObject* Sender);

private:
  TShapeType FShape = stRectangle;
  std::unique_ptr<TBrush> FBrush;
  std::unique_ptr<TPen> FPen;
};

// A timer on the window system's timers: OnTimer every Interval ms while Enabled.
class TTimer : public TComponent {
  VANTREL_CLASS(TTimer, TComponent)
public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned Value);
  TNotifyEvent OnTimer() const { return FOnTimer; }
  void SetOnTimer(const TNotifyEvent& Value);
  static void Publish(TClassBuilder<TTimer>& b);

protected:
  virtual void Timer();

private:
  void UpdateTimer();
  win::HWND FWindow = nullptr;
  bool FEnabled = true;
  unsigned FInterval = 1000;
  TNotifyEvent FOnTimer;
};

class TCustomRadioGroup : public TCustomGroupBox {
  VANTREL_CLASS(TCustomRadioGroup, TCustomGroupBox)
public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;
  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  static void Publish(TClassBuilder<TCustomRadioGroup>& b);

protected:
  void ItemsChanged(TObject* Sender);
  void ButtonClick(TObject* Sender);
  void ArrangeButtons();
  void Loaded() override;
  void Resize() override;
  // Runs for each message; a group enabled or disabled does the same to its buttons.
  void Dispatch(TMessage& Message) override;

private:
  std::unique_ptr<TStringList> FItems;
  std::vector<TRadioButton*> FButtons;
  int FItemIndex = -1;
  int FColumns = 1;
  bool FUpdating = false;
};

class TRadioGroup : public TCustomRadioGroup {
  VANTREL_CLASS(TRadioGroup, TCustomRadioGroup)
public:
  explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
};
