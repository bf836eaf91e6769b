#include "grid/DBGridGx/Style.h"

#include <algorithm>
#include <memory>

#include "grid/DBGridGx/GridPrivate.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/Gdi.h"
#include "platform/rtl/SysUtils.h"

namespace {
TDBGridGxStyle* GDefaultGridStyle = nullptr;
// The style the grid unit made; whoever frees it first, the unit's end does not again.
// The owner lives to the end of the process: a style still held then stays with the
// window system its window belongs to.
std::unique_ptr<TDBGridGxStyle>& UnitStyle() {
  static auto* Style = new std::unique_ptr<TDBGridGxStyle>;
  return *Style;
}
}  // namespace

TDBGridGxStyle* DefaultGridStyle() { return GDefaultGridStyle; }
void SetDefaultGridStyle(TDBGridGxStyle* Value) { GDefaultGridStyle = Value; }

void MakeUnitGridStyle() {
  if (UnitStyle()) return;
  UnitStyle() = std::make_unique<TDBGridGxStyle>();
  GDefaultGridStyle = UnitStyle().get();
}

void FreeUnitGridStyle() { UnitStyle().reset(); }

TDBGridGxStyle::TDBGridGxStyle() : FGridList(std::make_unique<TList>()) {
  FNotifyWindow = win::AllocateHWnd([this](win::HWND, win::UINT Msg, win::WPARAM W, win::LPARAM L) {
    TMessage Message;
    Message.Msg = Msg;
    Message.WParam = W;
    Message.LParam = L;
    NotifyWndProc(Message);
    return Message.Result;
  });
  ReadScreenColors();
}

TDBGridGxStyle::~TDBGridGxStyle() {
  if (FNotifyWindow) win::DeallocateHWnd(FNotifyWindow);
  FNotifyWindow = nullptr;
  if (GDefaultGridStyle == this) GDefaultGridStyle = nullptr;
  // Freed by someone else, the unit's owner lets go of it.
  if (UnitStyle().get() == this) (void)UnitStyle().release();
  // Each grid leaves the list through its own style assignment.
  for (int I = FGridList->Count() - 1; I >= 0; --I) {
    if (I >= FGridList->Count()) continue;
    auto* Grid = static_cast<IDBGridGxStyleClient*>(FGridList->Items(I));
    Grid->SetGridStyle(nullptr);
    FGridList->Remove(Grid);
  }
}

void TDBGridGxStyle::AddGrid(IDBGridGxStyleClient* Grid) {
  if (!HasGrid(Grid)) FGridList->Add(Grid);
}

void TDBGridGxStyle::RemoveGrid(IDBGridGxStyleClient* Grid) { FGridList->Remove(Grid); }

bool TDBGridGxStyle::HasGrid(IDBGridGxStyleClient* Grid) const { return FGridList->IndexOf(Grid) >= 0; }

TColor TDBGridGxStyle::BlendColor(TColor Color, TColor Glass, bool Contrast) {
  const win::COLORREF A = ColorToRGB(Color), G = ColorToRGB(Glass);
  auto Channel = [Contrast](int a, int g) {
    double c = a + (g - a) * 0.5;
    c = c + (225 - c) * 0.6;
    if (Contrast) c = c - (122 - c) * 0.25;
    return static_cast<int>(std::clamp<std::int64_t>(Round(c), 0, 255));
  };
  return static_cast<TColor>(win::RGB(Channel(win::GetRValue(A), win::GetRValue(G)),
                                      Channel(win::GetGValue(A), win::GetGValue(G)),
                                      Channel(win::GetBValue(A), win::GetBValue(G))));
}

void TDBGridGxStyle::NotifyWndProc(TMessage& Message) {
  if (Message.Msg == win::WM_SYSCOLORCHANGE) {
    try {
      ReadScreenColors();
    } catch (...) {
      if (Application) Application->HandleException(this);
    }
    return;
  }
  Message.Result = win::DefWindowProc(FNotifyWindow, Message.Msg, Message.WParam, Message.LParam);
}

void TDBGridGxStyle::ReadScreenColors() {
  win::HDC DC = win::GetDC(nullptr);
  FScreenColorCount = win::GetDeviceCaps(DC, win::NUMCOLORS);
  win::ReleaseDC(nullptr, DC);
}

bool DataCellHighlighted(const TDataCellColorQuery& Cell, bool& FocusHighlight) {
  FocusHighlight = Cell.GridFocused && Cell.HighlightFocus;
  bool Selected = Cell.Selected;
  if (Cell.RowHighlight && Cell.CurrentRow && Cell.SelectionKindNone && !Cell.CurrentCol) {
    FocusHighlight = true;
    Selected = true;
  }
  if (Cell.MultiSelectActive) return Cell.InMultiSelection;
  return (Selected || (Cell.CurrentRow && Cell.RowSelect)) && (Cell.AlwaysShowSelection || FocusHighlight) &&
         (Cell.UpdateLockCount == 0 || Cell.RowSelect);
}

bool TDBGridGxStyle::DataCellColors(const TDataCellColorQuery& Cell, TColor& Background, TFont* Font) {
  bool FocusHighlight = false;
  if (!DataCellHighlighted(Cell, FocusHighlight)) return false;
  const bool CurrentCell = Cell.CurrentRow && (Cell.CurrentCol || Cell.RowSelect);
  auto Nearest = [&](TColor C) {
    return Cell.Canvas ? static_cast<TColor>(win::GetNearestColor(Cell.Canvas, ColorToRGB(C))) : C;
  };
  if (Cell.SelectionHasFocus) {
    if (FLightenSelection && TrueColorScreen() && !CurrentCell) {
      Background = Nearest(BlendColor(Background, clHighlight, true));
    } else {
      Background = clHighlight;
      Font->SetColor(clHighlightText);
    }
  } else if (CurrentCell && (FocusHighlight || Cell.AlwaysShowSelection)) {
    Background = clBtnShadow;
    Font->SetColor(clHighlightText);
  } else if (TrueColorScreen()) {
    Background = Nearest(BlendColor(Background, clBtnShadow, false));
  } else {
    Background = clBtnFace;
  }
  return true;
}

bool TDBGridGxStyle::FixedCellColors(const TFixedCellColorQuery& Cell, TColor& Background, TFont* Font) {
  if (!Cell.Selected) return false;
  if (Cell.PressedLook) {
    Background = static_cast<TColor>(win::RGB(64, 64, 64));
    Font->SetColor(clWhite);
  } else if (Cell.SelectionHasFocus && FLightenSelection && TrueColorScreen()) {
    Background = BlendColor(Background, clHighlight, true);
  } else if (Cell.SelectionHasFocus) {
    Background = clHighlight;
    Font->SetColor(clHighlightText);
  } else if (TrueColorScreen()) {
    Background = BlendColor(Background, clBtnShadow, false);
  } else {
    Background = clBtnFace;
  }
  return true;
}

TColor BrightenColor(TColor Color, int Divisor) {
  const win::COLORREF C = ColorToRGB(Color);
  auto Up = [Divisor](int V) { return std::min(255, V + V / Divisor); };
  return static_cast<TColor>(win::RGB(Up(win::GetRValue(C)), Up(win::GetGValue(C)), Up(win::GetBValue(C))));
}

// ---- the grid's link to its style ----

void TCustomDBGridGx::SetGridStyle(TDBGridGxStyle* Value) {
  if (Value == P->FStyle) return;
  if (P->FStyle) P->FStyle->RemoveGrid(this);
  P->FStyle = Value;
  if (Value) Value->AddGrid(this);
  else UseDefaultGridStyle();
}

void TCustomDBGridGx::UseDefaultGridStyle() {
  TDBGridGxStyle* Default = DefaultGridStyle();
  if (!Default) {
    P->FStyle = nullptr;
    GridStyleChanged();
    return;
  }
  if (P->FStyle == Default) return;
  P->FStyle = Default;
  Default->AddGrid(this);
}

void TCustomDBGridGx::GridStyleChanged() {
  if (P->FColumns) RequestLayout();
}
