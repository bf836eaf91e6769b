// Painting of edit-button faces and check boxes through the bitmap cache; the sizes the
// button layouts use.
#include <algorithm>
#include <cstring>

#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "platform/desktop/Windows.h"
#include "platform/rtl/SysUtils.h"

namespace {

// Visual styles are off on this platform: classic drawing only.
constexpr bool Themed = false;

win::RECT Inflated(win::RECT R, int D) { return win::RECT{R.left - D, R.top - D, R.right + D, R.bottom + D}; }

void FillWith(win::HDC DC, const win::RECT& R, win::COLORREF Color) {
  win::HBRUSH Brush = win::CreateSolidBrush(Color);
  win::FillRect(DC, &R, Brush);
  win::DeleteObject(Brush);
}

void FrameWith(win::HDC DC, const win::RECT& R, win::COLORREF Color) {
  win::HBRUSH Brush = win::CreateSolidBrush(Color);
  win::FrameRect(DC, &R, Brush);
  win::DeleteObject(Brush);
}


// Draws the symbol's squares with PATCOPY in one system colour, offset by (D, D).
template <class F>
void DrawSymbol(win::HDC DC, bool Enabled, F&& Squares) {
  auto Pass = [&](int SysColor, int D) {
    win::HGDIOBJ Old = win::SelectObject(DC, win::GetSysColorBrush(SysColor));
    Squares([&](int X, int Y, int W, int H) { win::PatBlt(DC, X + D, Y + D, W, H, win::PATCOPY); });
    win::SelectObject(DC, Old);
  };
  if (Enabled) {
    Pass(win::COLOR_BTNTEXT, 0);
  } else {
    Pass(win::COLOR_BTNHIGHLIGHT, 1);
    Pass(win::COLOR_BTNSHADOW, 0);
  }
}

void DrawEllipsisSymbol(win::HDC DC, const win::RECT& F, bool Pressed, bool Enabled) {
  const int W = F.right - F.left, H = F.bottom - F.top, P = Pressed ? 1 : 0;
  const int S = W >= 8 ? 2 : 1, G = W >= 12 ? 2 : 1;
  const int X = F.left + W / 2 - S / 2 + P, Y = F.top + H / 2 - S / 2 + P;
  DrawSymbol(DC, Enabled, [&](auto Square) {
    Square(X - G - S, Y, S, S);
    Square(X, Y, S, S);
    Square(X + S + G, Y, S, S);
  });
}

void DrawPlusMinusSymbol(win::HDC DC, const win::RECT& F, bool Plus, bool Flat, bool Pressed, bool Enabled) {
  const int W = F.right - F.left, H = F.bottom - F.top, P = Pressed ? 1 : 0;
  const int M = std::min(W, H);
  int L = std::max(1, M * 4 / 7);
  const int T = std::max(1, L / 3);
  if (Flat) --L;
  if (L % 2 != M % 2) ++L;
  if (Plus && L % 2 != T % 2) L += M < 12 ? 1 : -1;
  const int X = F.left + (W - L) / 2 + P, Y = F.top + (H - T) / 2 + P;
  const int O = L / 2 - T / 2;
  DrawSymbol(DC, Enabled, [&](auto Square) {
    Square(X, Y, L, T);
    if (Plus) Square(X + O, Y - O, T, L);
  });
}

win::UINT ScrollStateFlags(bool Flat, bool Pressed, bool Enabled) {
  win::UINT F = 0;
  if (Pressed) F |= win::DFCS_PUSHED;
  if (Flat) F |= win::DFCS_FLAT;
  if (!Enabled) F |= win::DFCS_INACTIVE;
  return F;
}

void DrawButtonFaceGx(win::HDC DC, const TButtonBitmapKey& K) {
  const bool Flat = K.Flat, Pressed = K.Pressed, Active = K.Active, Enabled = K.Enabled;
  const win::RECT Face{0, 0, K.Width, K.Height};
  win::RECT R = Face;
  std::unique_ptr<TClipRectGuard> Clip;
  if (Flat && !Themed) {
    R = Inflated(R, Active ? 1 : 2);
    if (Active) Clip = std::make_unique<TClipRectGuard>(DC, Inflated(Face, -1));
  }
  switch (K.DrawKind) {
    case bdkDropDown:
      win::DrawFrameControl(DC, &R, win::DFC_SCROLL, win::DFCS_SCROLLCOMBOBOX | ScrollStateFlags(Flat, Pressed, Enabled));
      break;
    case bdkUpDown:
      win::DrawFrameControl(DC, &R, win::DFC_SCROLL,
                            (K.Part == 0 ? win::DFCS_SCROLLUP : win::DFCS_SCROLLDOWN) |
                                ScrollStateFlags(Flat, Pressed, Enabled));
      break;
    default: {
      win::RECT F = R;
      if (Flat) {
        FillWith(DC, F, win::GetSysColor(win::COLOR_BTNFACE));
        F = Inflated(F, -1);
      } else {
        win::DrawEdge(DC, &F, Pressed ? win::EDGE_SUNKEN : win::EDGE_RAISED, win::BF_RECT | win::BF_MIDDLE);
        F = Inflated(F, -2);
        if (K.DrawKind != bdkEllipsis) FillWith(DC, F, win::GetSysColor(win::COLOR_BTNFACE));
      }
      if (K.DrawKind == bdkEllipsis)
        DrawEllipsisSymbol(DC, F, Pressed, Enabled);
      else
        DrawPlusMinusSymbol(DC, F, K.DrawKind == bdkPlus, Flat, Pressed, Enabled);
      break;
    }
  }
  if (Flat && Active && !Themed) {
    Clip.reset();
    win::RECT Ring = Face;
    win::DrawEdge(DC, &Ring, Pressed ? win::BDR_SUNKENOUTER : win::BDR_RAISEDINNER, win::BF_RECT);
  }
}

void DrawCheckBoxGx(win::HDC DC, const TButtonBitmapKey& K) {
  win::RECT R{0, 0, K.Width, K.Height};
  win::UINT State = win::DFCS_BUTTONCHECK;
  if (K.CheckState == 1) State |= win::DFCS_CHECKED;
  if (K.CheckState == 2) State |= win::DFCS_CHECKED | win::DFCS_BUTTON3STATE;
  if (!K.Enabled) State |= win::DFCS_INACTIVE;
  if (K.Pressed) State |= win::DFCS_PUSHED;
  if (!K.Flat) {
    win::DrawFrameControl(DC, &R, win::DFC_BUTTON, State);
    return;
  }
  {
    TClipRectGuard Clip(DC, Inflated(R, -1));
    win::RECT Outer = Inflated(R, 1);
    win::DrawFrameControl(DC, &Outer, win::DFC_BUTTON, State);
  }
  win::FrameRect(DC, &R, win::GetSysColorBrush(K.Active ? win::COLOR_BTNFACE : win::COLOR_BTNSHADOW));
}

// Copies the cached face for the key onto R.
void PutFace(win::HDC DC, const win::RECT& R, TButtonBitmapKey Key) {
  Key.Width = R.right - R.left;
  Key.Height = R.bottom - R.top;
  TBitmap* Bitmap = EditButtonBitmapCache()->GetButtonBitmap(Key);
  if (Bitmap->Width() <= 0 || Bitmap->Height() <= 0) return;
  win::StretchBlt(DC, R.left, R.top, Bitmap->Width(), Bitmap->Height(), Bitmap->Canvas()->Handle(), 0, 0,
                  Bitmap->Width(), Bitmap->Height(), win::SRCCOPY);
}

}  // namespace

TClipRectGuard::TClipRectGuard(win::HDC DC, const win::RECT& R) : FDC(DC), FSaved(win::CreateRectRgn(0, 0, 0, 0)) {
  FHadClip = win::GetClipRgn(DC, FSaved) == 1;
  win::IntersectClipRect(DC, R.left, R.top, R.right, R.bottom);
}

TClipRectGuard::~TClipRectGuard() {
  win::SelectClipRgn(FDC, FHadClip ? FSaved : nullptr);
  win::DeleteObject(FSaved);
}

int DefaultFlatButtonWidth = 0;
int DefaultCheckBoxWidth = 0;
int DefaultCheckBoxHeight = 0;

TBitmap* TButtonsBitmapCache::GetButtonBitmap(TButtonBitmapKey Key) {
  Key.Width = std::max(Key.Width, 0);
  Key.Height = std::max(Key.Height, 0);
  for (Entry& E : FEntries)
    if (std::memcmp(&E.Key, &Key, sizeof Key) == 0) return E.Bitmap.get();
  auto Bitmap = std::make_unique<TBitmap>();
  Bitmap->SetSize(Key.Width, Key.Height);
  if (Key.Width > 0 && Key.Height > 0) {
    win::HDC DC = Bitmap->Canvas()->Handle();
    if (Key.DrawKind == bdkCheckBox)
      DrawCheckBoxGx(DC, Key);
    else if (Key.DrawKind <= bdkMinus)
      DrawButtonFaceGx(DC, Key);
  }
  FEntries.push_back(Entry{Key, std::move(Bitmap)});
  return FEntries.back().Bitmap.get();
}

void TButtonsBitmapCache::Clear() { FEntries.clear(); }

TButtonsBitmapCache* EditButtonBitmapCache() {
  // The drawing layer is set up before the cache, so it outlives the cache's bitmaps.
  static const bool DrawingReady = win::GetStockObject(win::WHITE_BRUSH) != nullptr;
  (void)DrawingReady;
  static TButtonsBitmapCache Cache;
  return &Cache;
}

void ResetButtonBitmapCache() { EditButtonBitmapCache()->Clear(); }

void DrawEditButtonGx(win::HDC DC, win::RECT Rect, TColor Color, TButtonDrawKind DrawKind, int PressedPart,
                      bool Flat, bool Active, bool Enabled, int CheckState) {
  TButtonBitmapKey Key;
  Key.DrawKind = DrawKind;
  Key.Flat = Flat;
  Key.Active = Active;
  Key.Enabled = Enabled;
  const win::COLORREF Surface = ColorToRGB(Color);
  if (DrawKind == bdkCheckBox) {
    win::RECT R = Rect;
    const int W = R.right - R.left, H = R.bottom - R.top;
    if (H > W) {
      const int D = H - W;
      R.top += D / 2;
      R.bottom -= D / 2 + D % 2;
    } else if (W > H) {
      const int D = W - H;
      R.left += D / 2;
      R.right -= D / 2 + D % 2;
    }
    if (Flat) R = Inflated(R, -1);
    Key.Pressed = PressedPart != 0;
    Key.CheckState = static_cast<std::uint8_t>(CheckState);
    PutFace(DC, R, Key);
    if (Flat) {
      R = Inflated(R, 1);
      if (Active)
        win::DrawEdge(DC, &R, win::BDR_SUNKENOUTER, win::BF_RECT);
      else
        FrameWith(DC, R, Surface);
    }
    return;
  }
  const bool FlatPlain = Flat && !Active && !Themed;
  win::RECT R = FlatPlain ? Inflated(Rect, -1) : Rect;
  if (DrawKind == bdkUpDown) {
    R = Rect;
    const int H = R.bottom - R.top;
    win::RECT Upper{R.left, R.top, R.right, R.top + H / 2};
    win::RECT Lower{R.left, R.bottom - H / 2, R.right, R.bottom};
    if (FlatPlain) {
      Upper = Inflated(Upper, -1);
      Lower = Inflated(Lower, -1);
    }
    Key.Part = 0;
    Key.Pressed = PressedPart == 1;
    PutFace(DC, Upper, Key);
    Key.Part = 1;
    Key.Pressed = PressedPart == 2;
    PutFace(DC, Lower, Key);
    if (FlatPlain) R = Inflated(R, -1);
    const bool Odd = (R.bottom - R.top) % 2 != 0;
    if (Odd || FlatPlain) {
      const int M = (R.top + R.bottom) / 2;
      win::RECT Line{R.left, M, R.right, Odd ? M + 1 : M};
      if (FlatPlain) {
        Line.top -= 1;
        Line.bottom += 1;
      }
      FillWith(DC, Line, Surface);
    }
  } else {
    Key.Pressed = PressedPart != 0;
    PutFace(DC, R, Key);
  }
  if (FlatPlain) FrameWith(DC, Inflated(R, 1), Surface);
}

int ComputeFlatButtonWidth() {
  win::HDC DC = win::GetDC(nullptr);
  win::TEXTMETRIC TM;
  win::GetTextMetrics(DC, &TM);
  win::ReleaseDC(nullptr, DC);
  return FlatButtonWidthFor(TM.tmHeight, win::GetSystemMetrics(win::SM_CXVSCROLL));
}

int FlatButtonWidthFor(int FontHeight, int ScrollBarWidth) {
  int W = static_cast<int>(Round(FontHeight * 2.0 / 3.0));
  if (W % 2 == 0) --W;
  return std::min(W, ScrollBarWidth);
}

void DrawImageInRect(win::HDC DC, const win::RECT& Rect, TCustomImageList* ImageList, bool Selected, int Index) {
  if (!ImageList || Index < 0 || Index >= ImageList->Count()) return;
  const int W = ImageList->Width(), H = ImageList->Height();
  const int X = (Rect.left + Rect.right - W) / 2, Y = (Rect.top + Rect.bottom - H) / 2;
  TCanvas Canvas;
  Canvas.SetHandle(DC);
  auto Paint = [&] {
    ImageList->Draw(&Canvas, X, Y, Index, Selected ? dsSelected : dsNormal,
                    ImageList->ImageType() == itMask ? itMask : itImage, true);
  };
  if (X >= Rect.left && Y >= Rect.top && X + W <= Rect.right && Y + H <= Rect.bottom) {
    Paint();
  } else {
    TClipRectGuard Clip(DC, Rect);
    Paint();
  }
  Canvas.SetHandle(nullptr);
}

namespace {
// The unit's start-up: the flat button width and the platform's check-box size.
struct TEditButtonsUnit {
  TEditButtonsUnit() {
    DefaultFlatButtonWidth = ComputeFlatButtonWidth();
    win::HBITMAP Boxes = win::LoadBitmap(nullptr, win::OBM_CHECKBOXES);
    win::BITMAP BM;
    if (Boxes && win::GetObject(Boxes, sizeof BM, &BM)) {
      DefaultCheckBoxWidth = BM.bmWidth / 4;
      DefaultCheckBoxHeight = BM.bmHeight / 3;
    }
    if (Boxes) win::DeleteObject(Boxes);
    EditButtonBitmapCache();
  }
} EditButtonsUnit;
}  // namespace
