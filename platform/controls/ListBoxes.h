#pragma once
// List boxes (standard and owner-drawn, with check boxes) and scroll bars.
#include "platform/controls/StdCtrls.h"

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
VANTREL_ENUM(TListBoxStyle, "lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable")
enum TOwnerDrawStateItem { odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault };
using TOwnerDrawState = Set<TOwnerDrawStateItem>;
using TDrawItemEvent = TEvent<void(TWinControl* Control, int Index, win::RECT Rect, TOwnerDrawState State)>;

class TCustomListBox : public TCustomControl {
  VANTREL_CLASS(TCustomListBox, TCustomControl)
public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;
  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int Count() const { return FItems->Count(); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int TopIndex() const { return FTopIndex; }
  void SetTopIndex(int Value);
  int ItemHeight() const;
  void SetItemHeight(int Value);
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value) { FStyle = Value; Invalidate(); }
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool Value) { FItems->SetSorted(Value); }
  // The item at a client point; -1 (or, when not Existing, the count) past the last.
  int ItemAtPos(win::POINT Pos, bool Existing) const;
  win::RECT ItemRect(int Index) const;
  int VisibleCount() const;
  void Clear() { FItems->Clear(); }
  TDrawItemEvent OnDrawItem() const { return FOnDrawItem; }
  void SetOnDrawItem(const TDrawItemEvent& Value) { FOnDrawItem = Value; }
  static void Publish(TClassBuilder<TCustomListBox>& b);

protected:
  virtual void DrawItem(int Index, win::RECT Rect, TOwnerDrawState State);
  void Paint() override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void ItemsChanged(TObject* Sender);
  void MakeVisible(int Index);
  void UpdateScrollBar();

  std::unique_ptr<TStringList> FItems;
  int FItemIndex = -1;
  int FTopIndex = 0;
  int FItemHeight = 0;  // 0: from the font
  int FMinItemHeight = 1;  // what an item's own drawing needs, whatever ItemHeight says
  TListBoxStyle FStyle = lbStandard;
  bool FDrawFocused = false;  // drawn as focused (see DefaultHandler)
  bool FOwnScrollBar = true;  // scrolls with the window's own vertical scroll bar
  TDrawItemEvent FOnDrawItem;
};

class TListBox : public TCustomListBox {
  VANTREL_CLASS(TListBox, TCustomListBox)
public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};

class TCheckListBox : public TCustomListBox {
  VANTREL_CLASS(TCheckListBox, TCustomListBox)
public:
  explicit TCheckListBox(TComponent* AOwner);
  bool Checked(int Index) const { return State(Index) == cbChecked; }
  void SetChecked(int Index, bool Value) { SetState(Index, Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State(int Index) const;
  void SetState(int Index, TCheckBoxState Value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  TNotifyEvent OnClickCheck() const { return FOnClickCheck; }
  void SetOnClickCheck(const TNotifyEvent& Value) { FOnClickCheck = Value; }
  static void Publish(TClassBuilder<TCheckListBox>& b);

protected:
  void DrawItem(int Index, win::RECT Rect, TOwnerDrawState State) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyPress(TKeyChar& Key) override;
  void ToggleItem(int Index);

private:
  bool FAllowGrayed = false;
  TNotifyEvent FOnClickCheck;
};

using TScrollEvent = TEvent<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
  VANTREL_CLASS(TScrollBar, TWinControl)
public:
  explicit TScrollBar(TComponent* AOwner);
  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  int Min() const { return FMin; }
  void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
  int Max() const { return FMax; }
  void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
  int Position() const { return FPosition; }
  void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
  int PageSize() const { return FPageSize; }
  void SetPageSize(int Value);
  int SmallChange() const { return FSmallChange; }
  void SetSmallChange(int Value) { FSmallChange = Value; }
  int LargeChange() const { return FLargeChange; }
  void SetLargeChange(int Value) { FLargeChange = Value; }
  // Raises EInvalidOperation "Scroll bar property out of range" when Max < Min.
  void SetParams(int APosition, int AMin, int AMax);
  TScrollEvent OnScroll() const { return FOnScroll; }
  void SetOnScroll(const TScrollEvent& Value) { FOnScroll = Value; }
  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }
  // The reaction to a scroll code from the bar: the position moves, then OnScroll/OnChange.
  void DoScroll(TScrollCode Code, int Pos);
  static void Publish(TClassBuilder<TScrollBar>& b);

protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);
  virtual void Change();

private:
  void Paint(win::HDC DC);
  TScrollBarKind FKind = sbHorizontal;
  int FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0;
  int FSmallChange = 1, FLargeChange = 1;
  int FGrab = 0;  // where on the thumb a drag took hold
  bool FDragging = false;
  TScrollEvent FOnScroll;
  TNotifyEvent FOnChange;
};
