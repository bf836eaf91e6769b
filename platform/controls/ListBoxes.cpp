// List boxes and check list boxes.
#include "platform/controls/ListBoxes.h"

#include "platform/desktop/Windows.h"

#include <algorithm>

void TCustomListBox::Publish(TClassBuilder<TCustomListBox>& b) {
  b.Property("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight);
  b.Property("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex).Default(-1);
  b.Property("Items", &TCustomListBox::Items, &TCustomListBox::SetItems);
  b.Property("Sorted", &TCustomListBox::Sorted, &TCustomListBox::SetSorted).Default(false);
  b.Property("Style", &TCustomListBox::Style, &TCustomListBox::SetStyle).Default(lbStandard);
  b.Property("OnDrawItem", &TCustomListBox::OnDrawItem, &TCustomListBox::SetOnDrawItem);
}

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TStringList>()) {
  FWidth = 121;
  FHeight = 97;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FItems->SetOnChange(MakeEvent(this, &TCustomListBox::ItemsChanged));
}

TCustomListBox::~TCustomListBox() { FItems->SetOnChange(nullptr); }

int TCustomListBox::ItemHeight() const {
  const int h = FFont->Height();
  return std::max(FItemHeight > 0 ? FItemHeight : (h < 0 ? -h : h) + 3, FMinItemHeight);
}

void TCustomListBox::SetItemHeight(int Value) {
  if (Value <= 0) return;
  FItemHeight = Value;
  Invalidate();
}

int TCustomListBox::VisibleCount() const { return std::max(1, ClientHeight() / ItemHeight()); }

void TCustomListBox::ItemsChanged(TObject*) {
  if (FItemIndex >= Count()) FItemIndex = -1;
  if (FTopIndex > std::max(0, Count() - 1)) FTopIndex = std::max(0, Count() - 1);
  UpdateScrollBar();
  Invalidate();
}

void TCustomListBox::SetItemIndex(int Value) {
  if (Value < -1 || Value >= Count()) Value = -1;
  if (FItemIndex == Value) return;
  FItemIndex = Value;
  if (Value >= 0) MakeVisible(Value);
  Invalidate();
}

void TCustomListBox::SetTopIndex(int Value) {
  Value = std::clamp(Value, 0, std::max(0, Count() - 1));
  if (FTopIndex == Value) return;
  FTopIndex = Value;
  UpdateScrollBar();
  Invalidate();
}

void TCustomListBox::MakeVisible(int Index) {
  if (Index < FTopIndex) SetTopIndex(Index);
  else if (Index >= FTopIndex + VisibleCount()) SetTopIndex(Index - VisibleCount() + 1);
}

void TCustomListBox::UpdateScrollBar() {
  if (!FHandle || !FOwnScrollBar) return;
  win::SCROLLINFO si;
  si.fMask = win::SIF_ALL;
  si.nMin = 0;
  si.nMax = std::max(0, Count() - 1);
  si.nPage = static_cast<win::UINT>(VisibleCount());
  si.nPos = FTopIndex;
  win::SetScrollInfo(FHandle, win::SB_VERT, &si, win::TRUE);
}

int TCustomListBox::ItemAtPos(win::POINT Pos, bool Existing) const {
  win::RECT r = ClientRect();
  if (Pos.x < r.left || Pos.x >= r.right || Pos.y < r.top) return Existing ? -1 : Count();
  int i = FTopIndex + Pos.y / ItemHeight();
  if (i < Count()) return i;
  return Existing ? -1 : Count();
}

win::RECT TCustomListBox::ItemRect(int Index) const {
  int h = ItemHeight();
  int y = (Index - FTopIndex) * h;
  return {0, y, ClientWidth(), y + h};
}

void TCustomListBox::DrawItem(int Index, win::RECT Rect, TOwnerDrawState State) {
  if (FOnDrawItem) {
    FOnDrawItem(this, Index, Rect, State);
    return;
  }
  TCanvas* c = Canvas();
  c->Brush()->SetColor(State.Contains(odSelected) ? clHighlight : FColor);
  c->Font()->SetColor(State.Contains(odSelected) ? clHighlightText : FFont->Color());
  c->FillRect(Rect);
  c->TextRect(Rect, Rect.left + 2, Rect.top + 1, FItems->Strings(Index));
}

void TCustomListBox::Paint() {
  TCanvas* c = Canvas();
  c->Font()->Assign(FFont.get());
  c->Brush()->SetColor(FColor);
  c->FillRect(ClientRect());
  for (int i = FTopIndex, n = Count(); i < n && i < FTopIndex + VisibleCount() + 1; ++i) {
    TOwnerDrawState st;
    if (i == FItemIndex) st += odSelected;
    if (i == FItemIndex && (Focused() || FDrawFocused)) st += odFocused;
    if (!FEnabled) st += odDisabled;
    c->Font()->Assign(FFont.get());
    DrawItem(i, ItemRect(i), st);
    if (st.Contains(odFocused)) c->DrawFocusRect(ItemRect(i));
  }
}

void TCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    int i = ItemAtPos({X, Y}, true);
    if (i >= 0 && i != FItemIndex) {
      SetItemIndex(i);
      Click();
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomListBox::MouseMove(TShiftState Shift, int X, int Y) {
  if (Shift.Contains(ssLeft) && MouseCapture()) {
    int i = ItemAtPos({X, Y}, true);
    if (i >= 0 && i != FItemIndex) {
      SetItemIndex(i);
      Click();
    }
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomListBox::KeyDown(win::WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  int i = FItemIndex;
  switch (Key) {
    case win::VK_UP: i = std::max(0, i - 1); break;
    case win::VK_DOWN: i = std::min(Count() - 1, i + 1); break;
    case win::VK_PRIOR: i = std::max(0, i - VisibleCount()); break;
    case win::VK_NEXT: i = std::min(Count() - 1, i + VisibleCount()); break;
    case win::VK_HOME: i = 0; break;
    case win::VK_END: i = Count() - 1; break;
    default: return;
  }
  if (Count() == 0) return;
  if (i != FItemIndex) {
    SetItemIndex(i);
    Click();
  }
  Key = 0;
}

// The list box's own window handling: a focus message passed to it makes the list draw
// itself as focused until it is told the focus went, whoever holds the focus meanwhile.
void TCustomListBox::DefaultHandler(TMessage& Message) {
  if (Message.Msg == win::WM_SETFOCUS || Message.Msg == win::WM_KILLFOCUS) {
    bool focused = Message.Msg == win::WM_SETFOCUS;
    if (FDrawFocused != focused) {
      FDrawFocused = focused;
      Invalidate();
    }
  }
  TCustomControl::DefaultHandler(Message);
}

void TCustomListBox::Dispatch(TMessage& Message) {
  using namespace win;
  switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
    case LB_GETCOUNT: Message.Result = Count(); return;
    case LB_GETCURSEL: Message.Result = FItemIndex; return;
    case LB_SETCURSEL: SetItemIndex(static_cast<int>(Message.WParam)); Message.Result = FItemIndex; return;
    case LB_GETTOPINDEX: Message.Result = FTopIndex; return;
    case LB_SETTOPINDEX: SetTopIndex(static_cast<int>(Message.WParam)); return;
    case LB_SELECTSTRING: {
      // The first item from wParam + 1 on (wrapping) that starts with the text, compared
      // without case; a start outside the items searches from the first item.
      const char* s = reinterpret_cast<const char*>(Message.LParam);
      std::string prefix = s ? s : "";
      int n = Count();
      int start = static_cast<int>(static_cast<std::intptr_t>(Message.WParam));
      if (start < 0 || start >= n) start = -1;
      Message.Result = LB_ERR;
      for (int k = 1; k <= n; ++k) {
        int i = (start + k) % n;
        std::string item = FItems->Strings(i);
        if (item.size() >= prefix.size() && SameIdent(item.substr(0, prefix.size()), prefix)) {
          SetItemIndex(i);
          Message.Result = i;
          break;
        }
      }
      return;
    }
    case WM_VSCROLL: {
      switch (LOWORD(Message.WParam)) {
        case SB_LINEUP: SetTopIndex(FTopIndex - 1); break;
        case SB_LINEDOWN: SetTopIndex(FTopIndex + 1); break;
        case SB_PAGEUP: SetTopIndex(FTopIndex - VisibleCount()); break;
        case SB_PAGEDOWN: SetTopIndex(FTopIndex + VisibleCount()); break;
        case SB_THUMBTRACK: case SB_THUMBPOSITION: SetTopIndex(HIWORD(Message.WParam)); break;
        case SB_TOP: SetTopIndex(0); break;
        case SB_BOTTOM: SetTopIndex(Count()); break;
        default: break;
      }
      return;
    }
    default: TCustomControl::Dispatch(Message);
  }
}

void TCheckListBox::Publish(TClassBuilder<TCheckListBox>& b) {
  b.Property("AllowGrayed", &TCheckListBox::AllowGrayed, &TCheckListBox::SetAllowGrayed).Default(false);
  b.Property("OnClickCheck", &TCheckListBox::OnClickCheck, &TCheckListBox::SetOnClickCheck);
}

namespace {
// What a check list box keeps with an item: its state and the object the caller put there.
class TCheckItemData : public TObject {
public:
  TObject* Data = nullptr;
  TCheckBoxState State = cbUnchecked;
};

// Items of a check list box: each item's state travels with it when items are inserted,
// deleted, moved or sorted; Objects still give the caller's own objects.
class TCheckListStrings : public TStringList {
public:
  ~TCheckListStrings() override {
    for (int i = 0; i < Count(); ++i) delete ItemData(i);
  }
  TObject* GetObject(int Index) const override {
    TObject* o = TStringList::GetObject(Index);
    auto* d = dynamic_cast<TCheckItemData*>(o);
    return d ? d->Data : o;
  }
  void PutObject(int Index, TObject* AObject) override {
    if (TCheckItemData* d = ItemData(Index)) {
      d->Data = AObject;
      Changed();
    } else {
      TStringList::PutObject(Index, AObject);
    }
  }
  void Delete(int Index) override {
    TCheckItemData* d = ItemData(Index);
    TStringList::Delete(Index);
    delete d;
  }
  void Clear() override {
    std::vector<TCheckItemData*> data;
    for (int i = 0; i < Count(); ++i) data.push_back(ItemData(i));
    TStringList::Clear();
    for (TCheckItemData* d : data) delete d;
  }
  TCheckBoxState State(int Index) const {
    TCheckItemData* d = ItemData(Index);
    return d ? d->State : cbUnchecked;
  }
  void SetState(int Index, TCheckBoxState Value) {
    TCheckItemData* d = ItemData(Index);
    if (!d) {
      d = new TCheckItemData;
      d->Data = TStringList::GetObject(Index);
      TStringList::PutObject(Index, d);
    }
    d->State = Value;
  }

private:
  TCheckItemData* ItemData(int Index) const {
    return dynamic_cast<TCheckItemData*>(TStringList::GetObject(Index));
  }
};

TCheckListStrings* CheckItems(TStrings* Items) { return static_cast<TCheckListStrings*>(Items); }
}  // namespace

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner) {
  // Items are never lower than their check box (13 pixels and a pixel above and below),
  // so the boxes of neighbouring items do not overlap.
  FMinItemHeight = 15;
  TNotifyEvent changed = FItems->OnChange();
  FItems->SetOnChange(nullptr);
  FItems = std::make_unique<TCheckListStrings>();
  FItems->SetOnChange(changed);
}

TCheckBoxState TCheckListBox::State(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return CheckItems(FItems.get())->State(Index);
}

void TCheckListBox::SetState(int Index, TCheckBoxState Value) {
  State(Index);
  CheckItems(FItems.get())->SetState(Index, Value);
  Invalidate();
}

void TCheckListBox::ToggleItem(int Index) {
  TCheckBoxState s = State(Index);
  SetState(Index, s == cbUnchecked ? (FAllowGrayed ? cbGrayed : cbChecked) : s == cbGrayed ? cbChecked : cbUnchecked);
  if (FOnClickCheck) FOnClickCheck(this);
}

void TCheckListBox::DrawItem(int Index, win::RECT Rect, TOwnerDrawState State) {
  win::RECT box{Rect.left + 1, Rect.top + 1, Rect.left + 14, Rect.top + 14};
  win::RECT text{Rect.left + 16, Rect.top, Rect.right, Rect.bottom};
  win::HDC dc = Canvas()->Handle();
  TCheckBoxState s = this->State(Index);
  win::UINT st = win::DFCS_BUTTONCHECK | (s == cbChecked ? win::DFCS_CHECKED : 0) |
                 (s == cbGrayed ? win::DFCS_BUTTON3STATE | win::DFCS_CHECKED : 0);
  win::DrawFrameControl(dc, &box, win::DFC_BUTTON, st);
  TCustomListBox::DrawItem(Index, text, State);
}

void TCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomListBox::MouseDown(Button, Shift, X, Y);
  int i = ItemAtPos({X, Y}, true);
  if (Button == mbLeft && i >= 0 && X < 16) ToggleItem(i);
}

void TCheckListBox::KeyPress(TKeyChar& Key) {
  TCustomListBox::KeyPress(Key);
  if (Key == ' ' && FItemIndex >= 0) {
    ToggleItem(FItemIndex);
    Key = 0;
  }
}
