// The data-aware edit's look: its height, window style, areas, the text it paints itself
// when right-aligned or centred, and the flat border.
#include <algorithm>

#include "gridcontrols/DBCtrlsGx/DBEditPrivate.h"
#include "platform/controls/Messages.h"
#include "platform/graphics/Gdi.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/Utf8.h"

namespace {

// tmHeight of a font on the screen (the screen's default font without one).
int ScreenTextHeight(TFont* Font) {
  win::HDC dc = win::GetDC(nullptr);
  auto release = AtScopeExit([dc] { win::ReleaseDC(nullptr, dc); });
  win::HGDIOBJ old = Font ? win::SelectObject(dc, Font->Handle()) : nullptr;
  win::TEXTMETRIC tm{};
  win::GetTextMetrics(dc, &tm);
  if (old) win::SelectObject(dc, old);
  return tm.tmHeight;
}

// Alignment styles by [word wrap][right-to-left][alignment].
constexpr win::DWORD AlignmentStyles[2][2][3] = {
    {{win::ES_LEFT, win::ES_LEFT, win::ES_LEFT}, {win::ES_RIGHT, win::ES_RIGHT, win::ES_RIGHT}},
    {{win::ES_LEFT, win::ES_RIGHT, win::ES_CENTER}, {win::ES_RIGHT, win::ES_LEFT, win::ES_CENTER}},
};

void OffsetRect(win::RECT* R, int DX, int DY) {
  R->left += DX;
  R->right += DX;
  R->top += DY;
  R->bottom += DY;
}

void InflateRect(win::RECT* R, int DX, int DY) {
  R->left -= DX;
  R->right += DX;
  R->top -= DY;
  R->bottom += DY;
}

bool PtInRect(const win::RECT* R, const win::POINT& P) {
  return P.x >= R->left && P.x < R->right && P.y >= R->top && P.y < R->bottom;
}

}  // namespace

int TCustomDBEditGx::FontHeight() { return ScreenTextHeight(Font()); }

void TCustomDBEditGx::FitHeightToFont() {
  int fontHeight = FontHeight();
  int k = Ctl3D() ? (P->FFlat ? 6 : 8) : (P->FFlat ? 4 : 6);
  int border = win::GetSystemMetrics(win::SM_CYBORDER) * k;
  int height = fontHeight;
  if (TCustomImageList* images = P->FImageSettings ? P->FImageSettings->Images() : nullptr)
    if (P->FImageSettings->UseImageHeight() && images->Height() > fontHeight) height = images->Height();
  SetHeight(border + height);
}

void TCustomDBEditGx::UpdateFixedHeight() {
  if (AutoSize() && BorderStyle() == bsSingle) {
    FControlStyle.Include(csFixedHeight);
    FitHeightToFont();
  } else {
    FControlStyle.Exclude(csFixedHeight);
  }
}

void TCustomDBEditGx::CreateParams(TCreateParams& Params) {
  TCustomMaskEdit::CreateParams(Params);
  if (PasswordChar().empty()) Params.Style |= win::ES_MULTILINE;
  if (P->FWordWrap) Params.Style &= ~win::DWORD(win::ES_AUTOHSCROLL);
  Params.Style &= ~win::DWORD(win::ES_RIGHT | win::ES_CENTER);
  Params.Style |= AlignmentStyles[P->FWordWrap ? 1 : 0][UseRightToLeftAlignment() ? 1 : 0][Alignment()];
}

void TCustomDBEditGx::CreateWnd() {
  TCustomMaskEdit::CreateWnd();
  UpdateFixedHeight();
  BorderActive();
  RebuildButtonControls();
  RefreshButtonStates();
  P->FImageAreaWidth = 0;
  if (P->FImageSettings->Visible() && P->FImageSettings->Images())
    P->FImageAreaWidth = (P->FImageSettings->Width() > 0 ? P->FImageSettings->Width() : P->FImageSettings->Images()->Width()) + 4;
  ApplyTextArea();
}

bool TCustomDBEditGx::IsBordered2D() const { return !Ctl3D() && BorderStyle() == bsSingle; }

win::RECT TCustomDBEditGx::TextAreaRect() {
  int w = ClientWidth(), h = ClientHeight();
  bool rtl = UseRightToLeftAlignment();
  win::RECT r = rtl ? win::RECT{P->FButtons.Width(), 0, w, h} : win::RECT{0, 0, w - P->FButtons.Width(), h};
  if (P->FImageSettings->Visible() && P->FImageSettings->Images()) {
    if (rtl) r.right -= P->FImageAreaWidth;
    else r.left += P->FImageAreaWidth;
  }
  return r;
}

void TCustomDBEditGx::ApplyTextArea() {
  if (!HandleAllocated()) return;
  win::RECT r = TextAreaRect();
  Perform(win::EM_SETRECTNP, 0, reinterpret_cast<win::LPARAM>(&r));
  Perform(win::EM_SCROLLCARET, 0, 0);
}

win::RECT TCustomDBEditGx::ButtonsRect() const {
  int w = ClientWidth(), h = ClientHeight();
  win::RECT r = IsBordered2D() ? win::RECT{w - P->FButtons.Width() - 1, 1, w - 1, h - 1} : win::RECT{w - P->FButtons.Width(), 0, w, h};
  if (UseRightToLeftAlignment()) OffsetRect(&r, P->FButtons.Width() - w, 0);
  return r;
}

win::RECT TCustomDBEditGx::EditImageArea() const {
  int w = ClientWidth(), h = ClientHeight();
  win::RECT r{0, 0, P->FImageAreaWidth, h};
  if (UseRightToLeftAlignment()) OffsetRect(&r, w - P->FImageAreaWidth, 0);
  return r;
}

win::RECT TCustomDBEditGx::PaintTextRect() const {
  int w = ClientWidth(), h = ClientHeight();
  win::RECT r = IsBordered2D() ? win::RECT{P->FImageAreaWidth + 1, 1, w - P->FButtons.Width() - 2, h - 1}
                               : win::RECT{P->FImageAreaWidth, 0, w - P->FButtons.Width() - 1, h};
  if (UseRightToLeftAlignment()) OffsetRect(&r, P->FButtons.Width() - P->FImageAreaWidth, 0);
  return r;
}

bool TCustomDBEditGx::PointInArea(const win::POINT& Point) const {
  win::RECT b = ButtonsRect(), i = EditImageArea();
  return (P->FButtons.Width() > 0 && PtInRect(&b, Point)) || (P->FImageAreaWidth > 0 && PtInRect(&i, Point));
}

win::POINT TCustomDBEditGx::TextOffsets() {
  int i = BorderStyle() == bsNone ? 0 : (Ctl3D() ? 1 : 2);
  int left = HandleAllocated() ? win::LOWORD(static_cast<win::DWORD>(Perform(win::EM_GETMARGINS, 0, 0))) : 0;
  return {i + left, i};
}

std::string TCustomDBEditGx::TextForPainting() {
  if (ComponentState().Contains(csDesigning) && !P->FFieldLink->Active()) return Name();
  TField* f = Field();
  if (FControlState.Contains(csPaintCopy) && f) {
    std::string t = f->DisplayText();
    if (CharCase() == ecUpperCase) return Utf8UpperCase(t);
    if (CharCase() == ecLowerCase) return Utf8LowerCase(t);
    return t;
  }
  return EditText();
}

void TCustomDBEditGx::PaintWindow(win::HDC DC) {
  if (P->FImageSettings->Visible() && P->FImageSettings->Images() && P->FImageSettings->ImageIndex() >= 0) {
    win::RECT r = EditImageArea();
    InflateRect(&r, -2, -1);
    DrawImageInRect(DC, r, P->FImageSettings->Images(), false, P->FImageSettings->ImageIndex());
  }
  TAlignment a = Alignment();
  if (UseRightToLeftAlignment()) ChangeBiDiModeAlignment(a);
  bool plain = a == taLeftJustify || P->FHasFocus || P->FWordWrap;
  bool designingUnlinked = ComponentState().Contains(csDesigning) && !P->FFieldLink->Active();
  if (plain && !FControlState.Contains(csPaintCopy) && !designingUnlinked) {
    PaintEdit(DC);
    return;
  }
  PaintOwnText(DC);
}

void TCustomDBEditGx::PaintOwnText(win::HDC DC) {
  if (!P->FPaintCanvas) {
    P->FPaintCanvas = std::make_unique<TControlCanvas>();
    P->FPaintCanvas->SetControl(this);
  }
  bool own = DC == nullptr;
  if (own) DC = win::GetDC(Handle());
  auto done = AtScopeExit([&] {
    P->FPaintCanvas->SetHandle(nullptr);
    if (own) win::ReleaseDC(FHandle, DC);
  });
  P->FPaintCanvas->SetHandle(DC);
  TCanvas* c = P->FPaintCanvas.get();
  win::RECT client = ClientRect();
  if (IsBordered2D()) {
    c->Brush()->SetColor(clWindowFrame);
    c->FrameRect(client);
    InflateRect(&client, -1, -1);
  }
  c->Brush()->SetColor(Color());
  c->Font()->Assign(Font());
  if (!Enabled()) c->Font()->SetColor(clGrayText);
  std::string text = TextForPainting();
  if (!PasswordChar().empty()) {
    std::string masked;
    for (std::size_t i = 0, n = Utf8Length(text); i < n; ++i) masked += PasswordChar();
    text = masked;
  }
  win::RECT r = PaintTextRect();
  win::POINT off = TextOffsets();
  int width = c->TextWidth(text);
  TAlignment a = Alignment();
  if (UseRightToLeftAlignment()) ChangeBiDiModeAlignment(a);
  int x = off.x;
  if (a == taRightJustify) x = r.right - width - off.x;
  else if (a == taCenter) x = r.left + (r.right - r.left - width) / 2;  // centred in the text area itself
  c->TextRect(r, x, off.y, text);
}

// Flat border.

void TCustomDBEditGx::BorderActive() {
  if (ComponentState().Contains(csLoading)) return;
  bool active = ComponentState().Contains(csDesigning) || P->FHasFocus || P->FMouseOver || P->FAlwaysShowBorder ||
                (HandleAllocated() && win::GetFocus() == FHandle);
  if (active == P->FBorderIsActive) return;
  P->FBorderIsActive = active;
  if (Ctl3D() && BorderStyle() == bsSingle && P->FFlat) DrawFlatFrame(active);
  RefreshButtonStates();
}

void TCustomDBEditGx::DrawFlatFrame(bool Active) {
  if (!(Ctl3D() && BorderStyle() == bsSingle && HandleAllocated())) return;
  win::HDC dc = win::GetWindowDC(FHandle);
  auto release = AtScopeExit([&] { win::ReleaseDC(FHandle, dc); });
  win::RECT r;
  win::GetWindowRect(FHandle, &r);
  OffsetRect(&r, -r.left, -r.top);
  if (Active) win::DrawEdge(dc, &r, win::BDR_SUNKENOUTER, win::BF_RECT);
  else win::FrameRect(dc, &r, win::GetSysColorBrush(win::COLOR_BTNFACE));
  InflateRect(&r, -1, -1);
  win::FrameRect(dc, &r, win::GetSysColorBrush(win::COLOR_BTNFACE));
}
