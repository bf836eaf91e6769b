#include "grid/DBGridGx/UnitRoutines.h"

#include <algorithm>

#include "platform/controls/Forms.h"
#include "platform/desktop/Windows.h"
#include "platform/data/Field.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/Gdi.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

TColor BrightenColor(TColor Color, int Divisor) {
  const win::COLORREF C = ColorToRGB(Color);
  auto Up = [Divisor](int V) { return std::min(255, V + V / Divisor); };
  return static_cast<TColor>(win::RGB(Up(win::GetRValue(C)), Up(win::GetGValue(C)), Up(win::GetBValue(C))));
}

bool AllFieldsCanModify(TList* Fields) {
  for (int I = 0; I < Fields->Count(); ++I)
    if (!static_cast<TField*>(Fields->Items(I))->CanModify()) return false;
  return true;
}

void RaiseInvalidGridOperation(const std::string& Message) { throw EInvalidGridOperation(Message); }

std::string OwnerQualifiedName(TComponent* Component) {
  if (!Component) return "";
  if (dynamic_cast<TCustomForm*>(Component)) return Component->ClassName();
  if (auto* Control = dynamic_cast<TControl*>(Component)) {
    if (TCustomForm* Form = GetParentForm(Control)) return Form->ClassName() + Control->Name();
    if (Control->Parent()) return Control->Parent()->Name() + Control->Name();
    return Control->Name();
  }
  if (Component->Owner() && dynamic_cast<TCustomForm*>(Component->Owner()))
    return Format("%s.%s", Component->Owner()->ClassName(), Component->Name());
  return Component->Name();
}

void DropQueuedMessage(win::HWND Window, win::UINT Msg) {
  win::MSG M{};
  if (win::PeekMessage(&M, Window, Msg, Msg, win::PM_REMOVE) && M.message == win::WM_QUIT)
    win::PostQuitMessage(static_cast<int>(M.wParam));
}

void DropQueuedMessages(win::HWND Window, win::UINT Msg) {
  win::MSG M{};
  // A filtered peek also takes a pending WM_QUIT, and finds it again every time.
  while (win::PeekMessage(&M, Window, Msg, Msg, win::PM_REMOVE)) {
    if (M.message == win::WM_QUIT) {
      win::PostQuitMessage(static_cast<int>(M.wParam));
      return;
    }
  }
}

void InvalidateRowCells(TCustomGrid* Grid, int Row) {
  for (int I = 0; I < Grid->ColCount(); ++I) Grid->InvalidateCell(I, Row);
}

bool TextOverflowsCell(TCustomGrid* Grid, int HMargin, int VMargin, const std::string& Text, const win::RECT& Rect,
                       bool WordWrap, int& Width, int& Height) {
  const int CellWidth = Rect.right - Rect.left, CellHeight = Rect.bottom - Rect.top;
  win::RECT R{0, 0, CellWidth - 2 - HMargin, 0};
  win::UINT Flags = win::DT_CALCRECT | win::DT_NOPREFIX;
  if (Grid->UseRightToLeftReading()) Flags |= win::DT_RTLREADING;
  if (WordWrap) Flags |= win::DT_WORDBREAK;
  TCanvas* Canvas = Grid->Canvas();
  win::DrawText(Canvas->Handle(), Text.c_str(), static_cast<int>(Text.size()), &R, Flags);
  Width = R.right - R.left;
  Height = R.bottom - R.top;
  return Width > CellWidth - 2 - HMargin || Height > CellHeight - VMargin + 1;
}

int MeasureTextWidth(TCanvas* Canvas, const std::string& Text) {
  win::RECT R{0, 0, 1, 0};
  win::DrawText(Canvas->Handle(), Text.c_str(), static_cast<int>(Text.size()), &R,
                win::DT_CALCRECT | win::DT_NOPREFIX);
  return R.right - R.left;
}

TGridRect MakeGridRect(int Left, int Top, int Right, int Bottom) { return TGridRect{Left, Top, Right, Bottom}; }

bool GridRectContains(int Col, int Row, const TGridRect& GridRect) { return GridRect.Contains(Col, Row); }

void SwapRectExtent(win::RECT& Rect) {
  const int W = Rect.right - Rect.left, H = Rect.bottom - Rect.top;
  Rect.bottom = Rect.top + W;
  Rect.right = Rect.left + H;
}
