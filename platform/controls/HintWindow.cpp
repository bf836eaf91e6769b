#include "platform/controls/HintWindow.h"

#include "platform/controls/Forms.h"
#include "platform/desktop/Windows.h"

namespace {
constexpr win::UINT_PTR HideTimerId = 1;
}

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  FColor = clInfoBk;
  FParentColor = false;
  FVisible = false;
  FFont->SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style = win::WS_POPUP | win::WS_BORDER;
  Params.ExStyle |= win::WS_EX_TOOLWINDOW | win::WS_EX_TOPMOST;
  Params.WindowClass.style |= win::CS_SAVEBITS;
  Params.WndParent = nullptr;
}

win::RECT THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void*) {
  win::HDC dc = win::GetDC(nullptr);
  TCanvas* c = Canvas();
  c->SetHandle(dc);
  c->Font()->Assign(Font());
  win::RECT r{0, 0, MaxWidth, 0};
  win::SelectObject(dc, c->Font()->Handle());
  win::DrawText(dc, AHint.c_str(), -1, &r, win::DT_CALCRECT | win::DT_LEFT | win::DT_WORDBREAK | win::DT_NOPREFIX);
  c->SetHandle(nullptr);
  win::ReleaseDC(nullptr, dc);
  r.right += 6;
  r.bottom += 2;
  return r;
}

void THintWindow::ActivateHint(const win::RECT& Rect, const std::string& AHint) {
  SetCaption(AHint);
  SetBounds(Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top);
  win::SetWindowPos(Handle(), win::HWND_TOPMOST, Rect.left, Rect.top, FWidth, FHeight,
                    win::SWP_SHOWWINDOW | win::SWP_NOACTIVATE);
  FShowing = true;
  Invalidate();
  // The hint goes away by itself after its hide timeout.
  win::KillTimer(FHandle, HideTimerId);
  if (int timeout = HideTimeout(); timeout > 0)
    win::SetTimer(FHandle, HideTimerId, static_cast<win::UINT>(timeout), nullptr);
}

int THintWindow::HideTimeout() const {
  if (FHideTimeout) return *FHideTimeout;
  return Application ? Application->HintHidePause() : 0;
}

void THintWindow::Dispatch(TMessage& Message) {
  if (Message.Msg == win::WM_TIMER && Message.WParam == HideTimerId) {
    win::KillTimer(FHandle, HideTimerId);
    win::SetWindowPos(FHandle, nullptr, 0, 0, 0, 0,
                      win::SWP_HIDEWINDOW | win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOZORDER | win::SWP_NOACTIVATE);
    FShowing = false;
    return;
  }
  TCustomControl::Dispatch(Message);
}

void THintWindow::ActivateHintData(const win::RECT& Rect, const std::string& AHint, void* AData) {
  FHintData = AData;
  ActivateHint(Rect, AHint);
}

void THintWindow::ReleaseHandle() { DestroyHandle(); }

void THintWindow::Paint() {
  win::RECT r = ClientRect();
  Canvas()->Font()->Assign(Font());
  Canvas()->Brush()->SetColor(FColor);
  Canvas()->FillRect(r);
  r.left += 2;
  r.top += 1;
  win::HDC dc = Canvas()->Handle();
  win::SelectObject(dc, Canvas()->Font()->Handle());
  win::SetBkMode(dc, win::TRANSPARENT);
  win::SetTextColor(dc, ColorToRGB(Font()->Color()));
  win::DrawText(dc, Caption().c_str(), -1, &r, win::DT_LEFT | win::DT_WORDBREAK | win::DT_NOPREFIX);
}
