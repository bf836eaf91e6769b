// The popup menu's own windows, used when no script chooses for the menu: a list of
// the visible items, and one more list for each open submenu beside the item it
// belongs to. The first list holds the mouse and the keyboard and runs until an item
// is chosen, Escape is pressed at the first level or the mouse is pressed outside.
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/desktop/Windows.h"

#include <algorithm>
#include <memory>

namespace {

constexpr int kItemHeight = 20;
constexpr int kLineHeight = 8;
constexpr int kArrowWidth = 16;

bool HasSubmenu(const TMenuItem* Item) {
  for (int i = 0; i < Item->Count(); ++i)
    if (Item->Items(i)->Visible()) return true;
  return false;
}

// The work area of the monitor at a screen point (the nearest one).
win::RECT WorkAreaAt(win::POINT P) {
  win::MONITORINFO mi;
  win::GetMonitorInfo(win::MonitorFromPoint(P, win::MONITOR_DEFAULTTONEAREST), &mi);
  return mi.rcWork;
}

class TPopupMenuWindow : public TCustomControl {
public:
  TPopupMenuWindow(TPopupMenu* Menu, TMenuItem* Parent, TPopupMenuWindow* Root)
      : TCustomControl(nullptr), FMenu(Menu), FRoot(Root ? Root : this) {
    FVisible = false;
    FColor = clMenu;
    for (int i = 0; i < Parent->Count(); ++i)
      if (Parent->Items(i)->Visible()) FItems.push_back(Parent->Items(i));
  }

  TMenuItem* Run(int X, int Y) {
    if (FItems.empty()) return nullptr;
    win::SIZE size = Measure();
    win::RECT work = WorkAreaAt({X, Y});
    if (FMenu->Alignment() == paRight) X -= size.cx;
    else if (FMenu->Alignment() == paCenter) X -= size.cx / 2;
    X = std::max<int>(work.left, std::min<int>(X, work.right - size.cx));
    Y = std::max<int>(work.top, Y + size.cy > work.bottom ? Y - size.cy : Y);
    win::HWND prevFocus = win::GetFocus();
    ShowAt(X, Y, size);
    win::HWND h0 = Handle();
    win::SetCapture(h0);
    win::SetFocus(h0);
    while (!FDone && !Application->Terminated()) Application->HandleMessage();
    CloseSubmenu();
    if (win::GetCapture() == h0) win::ReleaseCapture();
    DestroyHandle();
    if (prevFocus && win::IsWindow(prevFocus)) win::SetFocus(prevFocus);
    return FChosen;
  }

protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomControl::CreateParams(Params);
    Params.Style = win::WS_POPUP | win::WS_BORDER;
    Params.ExStyle |= win::WS_EX_TOOLWINDOW | win::WS_EX_TOPMOST;
    Params.WndParent = nullptr;
    Params.WinClassName = "TPopupMenuWindow";
  }

  win::SIZE Measure() {
    int w = 0, h = 2;
    bool arrows = false;
    win::HDC dc = win::GetDC(nullptr);
    win::SelectObject(dc, FFont->Handle());
    for (TMenuItem* i : FItems) {
      win::SIZE sz{};
      win::GetTextExtentPoint32(dc, i->Caption().c_str(), static_cast<int>(i->Caption().size()), &sz);
      w = std::max<int>(w, sz.cx);
      h += i->IsLine() ? kLineHeight : kItemHeight;
      arrows = arrows || HasSubmenu(i);
    }
    win::ReleaseDC(nullptr, dc);
    return {w + 40 + (arrows ? kArrowWidth : 0), h};
  }

  void ShowAt(int X, int Y, win::SIZE Size) {
    SetBounds(X, Y, Size.cx, Size.cy);
    win::SetWindowPos(Handle(), win::HWND_TOPMOST, X, Y, Size.cx, Size.cy, win::SWP_SHOWWINDOW | win::SWP_NOACTIVATE);
    FShowing = true;
  }

  int ItemTop(int Index) const {
    int y = 1;
    for (int i = 0; i < Index; ++i) y += FItems[i]->IsLine() ? kLineHeight : kItemHeight;
    return y;
  }

  int ItemAt(int Y) const {
    int y = 1;
    for (int i = 0; i < static_cast<int>(FItems.size()); ++i) {
      int h = FItems[i]->IsLine() ? kLineHeight : kItemHeight;
      if (Y >= y && Y < y + h) return i;
      y += h;
    }
    return -1;
  }

  bool Choosable(int i) const { return i >= 0 && !FItems[i]->IsLine() && FItems[i]->Enabled(); }

  void SetHot(int i) {
    if (i == FHot) return;
    FHot = i;
    Invalidate();
  }

  // Opens the submenu of item Index beside it: to the right, or to the left when the
  // work area has no room there.
  void OpenSubmenu(int Index, bool SelectFirst) {
    if (FSub && FSubIndex == Index) {
      if (SelectFirst && FSub->FHot < 0) FSub->MoveHot(1);
      return;
    }
    CloseSubmenu();
    if (!Choosable(Index) || !HasSubmenu(FItems[Index])) return;
    FSub = std::make_unique<TPopupMenuWindow>(FMenu, FItems[Index], FRoot);
    FSubIndex = Index;
    win::SIZE size = FSub->Measure();
    win::RECT work = WorkAreaAt({FLeft, FTop});
    int x = FLeft + FWidth - 2;
    if (x + size.cx > work.right) x = std::max<int>(work.left, FLeft - size.cx + 2);
    int y = FTop + ItemTop(Index) - 1;
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - size.cy));
    FSub->ShowAt(x, y, size);
    if (SelectFirst) FSub->MoveHot(1);
  }

  void CloseSubmenu() {
    if (!FSub) return;
    FSub->CloseSubmenu();
    FSub->DestroyHandle();
    FSub.reset();
    FSubIndex = -1;
    Invalidate();
  }

  void MoveHot(int Step) {
    int n = static_cast<int>(FItems.size());
    for (int k = 0, i = FHot; k < n; ++k) {
      i = ((i < 0 && Step < 0 ? 0 : i) + Step + n) % n;
      if (Choosable(i)) {
        SetHot(i);
        return;
      }
    }
  }

  // The innermost open list: the keyboard works there.
  TPopupMenuWindow* Innermost() {
    TPopupMenuWindow* w = this;
    while (w->FSub) w = w->FSub.get();
    return w;
  }

  // The open list under a screen point, innermost first; nullptr outside them all.
  TPopupMenuWindow* ListAt(win::POINT P) {
    TPopupMenuWindow* found = nullptr;
    for (TPopupMenuWindow* w = this; w; w = w->FSub.get())
      if (P.x >= w->FLeft && P.x < w->FLeft + w->FWidth && P.y >= w->FTop && P.y < w->FTop + w->FHeight) found = w;
    return found;
  }

  // Takes every list off the screen at once; the loop ends after the message.
  void Close(TMenuItem* Item) {
    FRoot->FChosen = Item;
    FRoot->FDone = true;
    FRoot->CloseSubmenu();
    win::ShowWindow(FRoot->Handle(), win::SW_HIDE);
  }

  // A point over an item: its list highlights it and shows its submenu, if any.
  void Hover(int Y, bool Open) {
    int i = ItemAt(Y);
    SetHot(Choosable(i) ? i : -1);
    if (FSub && FSubIndex != i) CloseSubmenu();
    if (Open && FHot >= 0) OpenSubmenu(FHot, false);
  }

  void MenuKey(win::WPARAM Key) {
    using namespace win;
    TPopupMenuWindow* w = Innermost();
    TPopupMenuWindow* parent = nullptr;
    for (TPopupMenuWindow* p = this; p->FSub; p = p->FSub.get()) parent = p;
    switch (Key) {
      case VK_ESCAPE: case VK_LEFT:
        if (parent) parent->CloseSubmenu();
        else if (Key == VK_ESCAPE) Close(nullptr);
        return;
      case VK_RIGHT:
        if (w->FHot >= 0) w->OpenSubmenu(w->FHot, true);
        return;
      case VK_RETURN:
        if (!w->Choosable(w->FHot)) return;
        if (HasSubmenu(w->FItems[w->FHot])) w->OpenSubmenu(w->FHot, true);
        else Close(w->FItems[w->FHot]);
        return;
      case VK_DOWN: case VK_UP:
        w->MoveHot(Key == VK_DOWN ? 1 : -1);
        return;
      default: return;
    }
  }

  void Dispatch(TMessage& Message) override {
    using namespace win;
    // The first list holds the mouse and the focus and acts for every open list.
    if (FRoot == this) switch (Message.Msg) {
      case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONUP: {
        POINT p = ClientToScreen({Message.XPos(), Message.YPos()});
        TPopupMenuWindow* w = ListAt(p);
        if (Message.Msg == WM_MOUSEMOVE) {
          if (w) w->Hover(w->ScreenToClient(p).y, true);
        } else if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_RBUTTONDOWN) {
          if (!w) Close(nullptr);
        } else if (w) {
          int i = w->ItemAt(w->ScreenToClient(p).y);
          if (!w->Choosable(i)) return;
          if (HasSubmenu(w->FItems[i])) {
            w->SetHot(i);
            w->OpenSubmenu(i, false);
          } else {
            Close(w->FItems[i]);
          }
        }
        return;
      }
      case WM_KEYDOWN:
        MenuKey(Message.WParam);
        return;
      case WM_CANCELMODE:
        Close(nullptr);
        break;
      default: break;
    }
    TCustomControl::Dispatch(Message);
  }

  void Paint() override {
    TCanvas* c = Canvas();
    c->Font()->Assign(FFont.get());
    c->Brush()->SetColor(clMenu);
    c->FillRect(ClientRect());
    int y = 1;
    for (int i = 0; i < static_cast<int>(FItems.size()); ++i) {
      TMenuItem* item = FItems[i];
      if (item->IsLine()) {
        win::RECT r{2, y + kLineHeight / 2 - 1, FWidth - 2, y + kLineHeight / 2 + 1};
        win::DrawEdge(c->Handle(), &r, win::EDGE_ETCHED, win::BF_TOP);
        y += kLineHeight;
        continue;
      }
      win::RECT r{1, y, FWidth - 1, y + kItemHeight};
      bool hot = i == FHot && item->Enabled();
      c->Brush()->SetColor(hot ? clHighlight : clMenu);
      c->FillRect(r);
      c->Font()->SetColor(!item->Enabled() ? clGrayText : hot ? clHighlightText : clMenuText);
      TFontStyles st;
      if (item->Default()) st += fsBold;
      c->Font()->SetStyle(st);
      if (item->Checked()) c->TextOut(6, y + 3, item->RadioItem() ? "\xE2\x80\xA2" : "\xE2\x9C\x93");
      c->Brush()->SetStyle(bsClear);
      c->TextOut(22, y + 3, item->Caption());
      if (HasSubmenu(item)) c->TextOut(FWidth - kArrowWidth, y + 3, "\xE2\x96\xB8");
      c->Brush()->SetStyle(bsSolid);
      y += kItemHeight;
    }
  }

private:
  TPopupMenu* FMenu;
  TPopupMenuWindow* FRoot;
  std::vector<TMenuItem*> FItems;
  int FHot = -1;
  std::unique_ptr<TPopupMenuWindow> FSub;  // the open submenu
  int FSubIndex = -1;                      // the item it belongs to
  bool FDone = false;
  TMenuItem* FChosen = nullptr;
};

}  // namespace

TMenuItem* RunPopupMenuWindow(TPopupMenu* Menu, int X, int Y) {
  TPopupMenuWindow window(Menu, Menu->Items(), nullptr);
  return window.Run(X, Y);
}
