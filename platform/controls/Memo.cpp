#include "platform/controls/StdCtrls.h"

#include "platform/desktop/Windows.h"

void TCustomMemo::Publish(TClassBuilder<TCustomMemo>& b) {
  b.Property("Alignment", &TCustomMemo::Alignment, &TCustomMemo::SetAlignment).Default(taLeftJustify);
  b.Property("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines);
  b.Property("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars).Default(ssNone);
  b.Property("WantReturns", &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns).Default(true);
  b.Property("WantTabs", &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs).Default(false);
  b.Property("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap).Default(true);
}

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TStringList>()) {
  FWidth = 185;
  FHeight = 89;
  FAutoSize = false;
  FLines->SetOnChange(MakeEvent(this, &TCustomMemo::LinesChanged));
  FControlStyle -= csFixedHeight;
}

TCustomMemo::~TCustomMemo() { FLines->SetOnChange(nullptr); }

void TCustomMemo::SetLines(TStrings* Value) { FLines->Assign(Value); }

void TCustomMemo::LinesChanged(TObject*) {
  if (FSyncing) return;
  FSyncing = true;
  std::string t = FLines->Text();
  // The text holds no line break after the last line.
  while (!t.empty() && (t.back() == '\n' || t.back() == '\r')) t.pop_back();
  if (t != FText) TCustomEdit::SetText(t);
  FSyncing = false;
}

void TCustomMemo::SetText(const std::string& Value) {
  TCustomEdit::SetText(Value);
  if (FSyncing) return;
  FSyncing = true;
  FLines->SetText(FText);
  FSyncing = false;
}

void TCustomMemo::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  RecreateWnd();
}

void TCustomMemo::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  RecreateWnd();
}

void TCustomMemo::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style &= ~win::DWORD(win::ES_AUTOHSCROLL);
  Params.Style |= win::ES_MULTILINE | win::ES_AUTOVSCROLL;
  if (!FWordWrap) Params.Style |= win::ES_AUTOHSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= win::WS_VSCROLL;
  if ((FScrollBars == ssHorizontal || FScrollBars == ssBoth) && !FWordWrap) Params.Style |= win::WS_HSCROLL;
  if (FAlignment == taRightJustify) Params.Style |= win::ES_RIGHT;
  if (FAlignment == taCenter) Params.Style |= win::ES_CENTER;
}

void TCustomMemo::Dispatch(TMessage& Message) {
  if (Message.Msg == win::WM_GETDLGCODE) {
    Message.Result = win::DLGC_WANTARROWS | win::DLGC_WANTCHARS | win::DLGC_HASSETSEL;
    if (FWantReturns) Message.Result |= win::DLGC_WANTALLKEYS;
    if (FWantTabs) Message.Result |= win::DLGC_WANTTAB;
    return;
  }
  TCustomEdit::Dispatch(Message);
}

void TCustomMemo::EditChar(TKeyChar Key) {
  if (Key == '\r') {
    if (!FWantReturns || FReadOnly) return;
    SetSelText("\r\n");
    FSyncing = true;
    FLines->SetText(FText);
    FSyncing = false;
    return;
  }
  if (Key == '\t' && !FWantTabs) return;
  TCustomEdit::EditChar(Key);
  FSyncing = true;
  FLines->SetText(FText);
  FSyncing = false;
}

void TCustomMemo::PaintEdit(win::HDC DC) {
  win::RECT r = ClientRect();
  win::HBRUSH bg = win::CreateSolidBrush(ColorToRGB(FColor));
  win::FillRect(DC, &r, bg);
  win::DeleteObject(bg);
  win::SelectObject(DC, FFont->Handle());
  win::SetBkMode(DC, win::TRANSPARENT);
  win::SetTextColor(DC, ColorToRGB(FFont->Color()));
  win::RECT tr{r.left + 2, r.top + 1, r.right - 2, r.bottom};
  win::UINT fmt = win::DT_NOPREFIX | win::DT_EXPANDTABS;
  if (FWordWrap) fmt |= win::DT_WORDBREAK;
  fmt |= FAlignment == taCenter ? win::DT_CENTER : FAlignment == taRightJustify ? win::DT_RIGHT : win::DT_LEFT;
  win::DrawText(DC, FText.c_str(), static_cast<int>(FText.size()), &tr, fmt);
}
