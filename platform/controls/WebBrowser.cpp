#include "platform/controls/WebBrowser.h"

#include "platform/desktop/Windows.h"
#include "platform/rtl/SysUtils.h"

namespace {
// Posted to itself: the navigation finished.
constexpr win::UINT WM_BROWSERCOMPLETE = win::WM_USER + 0x0B01;
}

Variant TOleObject::GetProperty(const std::string& Name) const {
  for (auto& [k, v] : FProps)
    if (SameIdent(k, Name)) return v;
  throw EOleError("Unknown name \"" + Name + "\"");
}

void TOleObject::SetProperty(const std::string& Name, const Variant& Value) {
  for (auto& [k, v] : FProps)
    if (SameIdent(k, Name)) { v = Value; return; }
  throw EOleError("Unknown name \"" + Name + "\"");
}

TOleObject* TOleObject::Object(const std::string& Name) const {
  for (auto& [k, v] : FObjects)
    if (SameIdent(k, Name)) return v.get();
  throw EOleError("Unknown name \"" + Name + "\"");
}

TOleObject* TOleObject::AddObject(const std::string& Name) {
  auto& slot = FObjects[Name];
  slot = std::make_unique<TOleObject>(Name);
  return slot.get();
}

void TWebBrowser::Publish(TClassBuilder<TWebBrowser>& b) {
  b.Property("OnDocumentComplete", &TWebBrowser::OnDocumentComplete, &TWebBrowser::SetOnDocumentComplete);
}

TWebBrowser::TWebBrowser(TComponent* AOwner) : TWinControl(AOwner) {
  FWidth = 300;
  FHeight = 150;
  FParentColor = false;
  FColor = clWindow;
}

TWebBrowser::~TWebBrowser() { Destroying(); }

void TWebBrowser::Navigate(const std::string& URL) {
  FPending = URL;
  FBusy = true;
  win::PostMessage(Handle(), WM_BROWSERCOMPLETE, 0, 0);
}

void TWebBrowser::Complete() {
  if (!FBusy) return;
  FLocationURL = FPending;
  FDocument = std::make_unique<TOleObject>("document");
  FDocument->AddProperty("URL", Variant(FLocationURL));
  TOleObject* body = FDocument->AddObject("body");
  body->AddProperty("Scroll", Variant("auto"));
  body->AddProperty("innerText", Variant(FLocationURL));
  TOleObject* style = body->AddObject("style");
  style->AddProperty("overflow", Variant(""));
  FBusy = false;
  Invalidate();
  if (FOnDocumentComplete) FOnDocumentComplete(this, FDocument.get(), Variant(FLocationURL));
}

void TWebBrowser::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_BROWSERCOMPLETE) {
    Complete();
    return;
  }
  if (Message.Msg == win::WM_PAINT) {
    PaintOwnWindow(Message, [this](win::HDC dc) { Paint(dc); });
    return;
  }
  TWinControl::Dispatch(Message);
}

void TWebBrowser::Paint(win::HDC DC) {
  win::RECT r = ClientRect();
  win::HBRUSH b = win::CreateSolidBrush(ColorToRGB(FColor));
  win::FillRect(DC, &r, b);
  win::DeleteObject(b);
  std::string text = FBusy ? FPending : FLocationURL;
  win::SelectObject(DC, FFont->Handle());
  win::SetBkMode(DC, win::TRANSPARENT);
  win::SetTextColor(DC, ColorToRGB(FFont->Color()));
  win::RECT tr{r.left + 4, r.top + 4, r.right - 4, r.bottom - 4};
  win::DrawText(DC, text.c_str(), static_cast<int>(text.size()), &tr, win::DT_LEFT | win::DT_WORDBREAK | win::DT_NOPREFIX);
}
