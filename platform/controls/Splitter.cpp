#include "platform/controls/ExtCtrls.h"

#include "platform/desktop/Windows.h"
#include "platform/rtl/ScopeExit.h"

void TSplitter::Publish(TClassBuilder<TSplitter>& b) {
  b.Property("AutoSnap", &TSplitter::AutoSnap, &TSplitter::SetAutoSnap).Default(true);
  b.Property("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize).Default(30);
  b.Property("ResizeStyle", &TSplitter::ResizeStyle, &TSplitter::SetResizeStyle).Default(rsPattern);
  b.Property("OnCanResize", &TSplitter::OnCanResize, &TSplitter::SetOnCanResize);
  b.Property("OnMoved", &TSplitter::OnMoved, &TSplitter::SetOnMoved);
}

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  FAlign = alLeft;
  FWidth = 3;
  FHeight = 100;
  FCursor = crHSplit;
}

void TSplitter::RequestAlign() {
  TGraphicControl::RequestAlign();
  if (FCursor == crHSplit || FCursor == crVSplit)
    FCursor = (FAlign == alTop || FAlign == alBottom) ? crVSplit : crHSplit;
}

TControl* TSplitter::FindControl() const {
  if (!FParent) return nullptr;
  win::POINT p;
  switch (FAlign) {
    case alLeft: p = {FLeft - 1, FTop}; break;
    case alRight: p = {FLeft + FWidth, FTop}; break;
    case alTop: p = {FLeft, FTop - 1}; break;
    case alBottom: p = {FLeft, FTop + FHeight}; break;
    default: return nullptr;
  }
  for (int i = 0; i < FParent->ControlCount(); ++i) {
    TControl* c = FParent->Controls(i);
    if (c == this || !c->Visible() || !c->Enabled()) continue;
    win::RECT r = c->BoundsRect();
    if (r.right - r.left == 0) {
      if (FAlign == alTop || FAlign == alLeft) --r.left; else ++r.right;
    }
    if (r.bottom - r.top == 0) {
      if (FAlign == alTop || FAlign == alLeft) --r.top; else ++r.bottom;
    }
    if (p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom && c->Align() == FAlign) return c;
  }
  return nullptr;
}

bool TSplitter::DoCanResize(int& NewSize) {
  bool accept = true;
  if (FOnCanResize) FOnCanResize(this, NewSize, accept);
  if (accept && NewSize <= FMinSize && FAutoSnap) NewSize = 0;
  return accept;
}

void TSplitter::CalcSplitSize(int X, int Y, int& NewSize, int& Split) {
  Split = (FAlign == alLeft || FAlign == alRight) ? X - FDownPos.x : Y - FDownPos.y;
  int s = 0;
  switch (FAlign) {
    case alLeft: s = FControl->Width() + Split; break;
    case alRight: s = FControl->Width() - Split; break;
    case alTop: s = FControl->Height() + Split; break;
    case alBottom: s = FControl->Height() - Split; break;
    default: break;
  }
  NewSize = s;
  if (s < FMinSize) NewSize = FMinSize;
  else if (s > FMaxSize) NewSize = FMaxSize;
  if (s != NewSize) {
    s = (FAlign == alRight || FAlign == alBottom) ? s - NewSize : NewSize - s;
    Split += s;
  }
}

// The drag line, drawn inverted on the parent so a second draw erases it.
void TSplitter::DrawLine() {
  if (FResizeStyle != rsLine && FResizeStyle != rsPattern) return;
  if (!FParent || !FParent->HandleAllocated()) return;
  FLineVisible = !FLineVisible;
  win::HDC dc = win::GetDC(FParent->Handle());
  if (FAlign == alLeft || FAlign == alRight) {
    int x = FLeft + FSplit;
    win::PatBlt(dc, x, FTop, FWidth, FHeight, win::DSTINVERT);
  } else {
    int y = FTop + FSplit;
    win::PatBlt(dc, FLeft, y, FWidth, FHeight, win::DSTINVERT);
  }
  win::ReleaseDC(FParent->Handle(), dc);
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  FControl = FindControl();
  FDownPos = {X, Y};
  if (!FControl) return;
  bool horizontal = FAlign == alLeft || FAlign == alRight;
  FMaxSize = (horizontal ? FParent->ClientWidth() : FParent->ClientHeight()) - FMinSize;
  for (int i = 0; i < FParent->ControlCount(); ++i) {
    TControl* c = FParent->Controls(i);
    if (!c->Visible()) continue;
    if (horizontal && (c->Align() == alLeft || c->Align() == alRight)) FMaxSize -= c->Width();
    if (!horizontal && (c->Align() == alTop || c->Align() == alBottom)) FMaxSize -= c->Height();
  }
  FMaxSize += horizontal ? FControl->Width() : FControl->Height();
  FOldSize = horizontal ? FControl->Width() : FControl->Height();
  CalcSplitSize(X, Y, FNewSize, FSplit);
  DrawLine();
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!Shift.Contains(ssLeft) || !FControl) return;
  int newSize = 0, split = 0;
  CalcSplitSize(X, Y, newSize, split);
  if (!DoCanResize(newSize)) return;
  if (FLineVisible) DrawLine();
  FNewSize = newSize;
  FSplit = split;
  if (FResizeStyle == rsUpdate) UpdateControlSize();
  DrawLine();
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (!FControl) return;
  if (FLineVisible) DrawLine();
  UpdateControlSize();
  FControl = nullptr;
}

void TSplitter::UpdateControlSize() {
  if (FNewSize == FOldSize) return;
  switch (FAlign) {
    case alLeft: FControl->SetWidth(FNewSize); break;
    case alTop: FControl->SetHeight(FNewSize); break;
    case alRight: {
      FParent->DisableAlign();
      auto enable = AtScopeExit([this] { FParent->EnableAlign(); });
      FControl->SetBounds(FControl->Left() + FControl->Width() - FNewSize, FControl->Top(), FNewSize, FControl->Height());
      break;
    }
    case alBottom: {
      FParent->DisableAlign();
      auto enable = AtScopeExit([this] { FParent->EnableAlign(); });
      FControl->SetBounds(FControl->Left(), FControl->Top() + FControl->Height() - FNewSize, FControl->Width(), FNewSize);
      break;
    }
    default: break;
  }
  FOldSize = FNewSize;
  if (FOnMoved) FOnMoved(this);
}

void TSplitter::Paint() {
  win::RECT r = ClientRect();
  Canvas()->Brush()->SetColor(FParent ? FParent->Color() : clBtnFace);
  Canvas()->FillRect(r);
  if (FBeveled) win::DrawEdge(Canvas()->Handle(), &r, win::BDR_RAISEDINNER, win::BF_RECT);
}
