// The popup menu's own window, used when no script chooses for the menu: a list of
// the visible items that runs until one is chosen, Escape is pressed or the mouse
// is pressed outside it.
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/desktop/Windows.h"

#include <algorithm>

namespace {

constexpr int kItemHeight = 20;
constexpr int kLineHeight = 8;

class TPopupMenuWindow : public TCustomControl {
public:
  TPopupMenuWindow(TPopupMenu* Menu) : TCustomControl(nullptr), FMenu(Menu) {
    FVisible = false;
    FColor = clMenu;
    for (int i = 0; i < Menu->Items()->Count(); ++i)
      if (Menu->Items()->Items(i)->Visible()) FItems.push_back(Menu->Items()->Items(i));
  }

  TMenuItem* Run(int X, int Y) {
    if (FItems.empty()) return nullptr;
    int w = 0, h = 2;
    win::HDC dc = win::GetDC(nullptr);
    win::SelectObject(dc, FFont->Handle());
    for (TMenuItem* i : FItems) {
      win::SIZE sz{};
      win::GetTextExtentPoint32(dc, i->Caption().c_str(), static_cast<int>(i->Caption().size()), &sz);
      w = std::max<int>(w, sz.cx);
      h += i->IsLine() ? kLineHeight : kItemHeight;
    }
    win::ReleaseDC(nullptr, dc);
    w += 40;
    if (FMenu->Alignment() == paRight) X -= w;
    else if (FMenu->Alignment() == paCenter) X -= w / 2;
    win::RECT work = Screen->WorkAreaRect();
    X = std::max<int>(work.left, std::min<int>(X, work.right - w));
    Y = std::max<int>(work.top, Y + h > work.bottom ? Y - h : Y);
    SetBounds(X, Y, w, h);
    win::HWND prevFocus = win::GetFocus();
    win::HWND h0 = Handle();
    win::SetWindowPos(h0, win::HWND_TOPMOST, X, Y, w, h, win::SWP_SHOWWINDOW | win::SWP_NOACTIVATE);
    FShowing = true;
    win::SetCapture(h0);
    win::SetFocus(h0);
    while (!FDone && !Application->Terminated()) Application->HandleMessage();
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

  void Close(TMenuItem* Item) {
    FChosen = Item;
    FDone = true;
  }

  void Dispatch(TMessage& Message) override {
    using namespace win;
    switch (Message.Msg) {
      case WM_MOUSEMOVE: {
        int i = ItemAt(Message.YPos());
        if (i != FHot && Message.XPos() >= 0 && Message.XPos() < FWidth) {
          FHot = i;
          Invalidate();
        }
        return;
      }
      case WM_LBUTTONDOWN: case WM_RBUTTONDOWN:
        if (Message.XPos() < 0 || Message.YPos() < 0 || Message.XPos() >= FWidth || Message.YPos() >= FHeight)
          Close(nullptr);
        return;
      case WM_LBUTTONUP: case WM_RBUTTONUP: {
        if (Message.XPos() < 0 || Message.XPos() >= FWidth) return;
        int i = ItemAt(Message.YPos());
        if (Choosable(i)) Close(FItems[i]);
        return;
      }
      case WM_KEYDOWN: {
        int n = static_cast<int>(FItems.size());
        switch (Message.WParam) {
          case VK_ESCAPE: Close(nullptr); return;
          case VK_RETURN: if (Choosable(FHot)) Close(FItems[FHot]); return;
          case VK_DOWN: case VK_UP: {
            int step = Message.WParam == VK_DOWN ? 1 : -1;
            for (int k = 0, i = FHot; k < n; ++k) {
              i = ((i < 0 && step < 0 ? 0 : i) + step + n) % n;
              if (Choosable(i)) { FHot = i; break; }
            }
            Invalidate();
            return;
          }
          default: return;
        }
      }
      case WM_CANCELMODE: case WM_KILLFOCUS:
        if (Message.Msg == WM_CANCELMODE) Close(nullptr);
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
      c->Brush()->SetStyle(bsSolid);
      y += kItemHeight;
    }
  }

private:
  TPopupMenu* FMenu;
  std::vector<TMenuItem*> FItems;
  int FHot = -1;
  bool FDone = false;
  TMenuItem* FChosen = nullptr;
};

}  // namespace

TMenuItem* RunPopupMenuWindow(TPopupMenu* Menu, int X, int Y) {
  TPopupMenuWindow window(Menu);
  return window.Run(X, Y);
}
