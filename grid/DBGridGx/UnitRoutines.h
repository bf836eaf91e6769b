#pragma once
// Small routines of the grid unit that the other grid pieces call.
#include <string>

#include "platform/controls/Grids.h"
#include "platform/rtl/Classes.h"

class TCanvas;

// True when every field of the list (of TField) can be modified; True for an empty list.
bool AllFieldsCanModify(TList* Fields);
// Raises EInvalidGridOperation with Message.
[[noreturn]] void RaiseInvalidGridOperation(const std::string& Message);
// The name under which a component keeps its layout: form class name + control name.
std::string OwnerQualifiedName(TComponent* Component);
// Removes one queued message with that number; a WM_QUIT taken with it is posted again.
void DropQueuedMessage(win::HWND Window, win::UINT Msg);
// Removes every queued message with that number, leaving a pending WM_QUIT in place.
void DropQueuedMessages(win::HWND Window, win::UINT Msg);
// Invalidates the cells (0..ColCount - 1, Row) one by one.
void InvalidateRowCells(TCustomGrid* Grid, int Row);
// Measures Text on the grid's canvas as a cell of Rect would show it; true when it does
// not fit the cell less its margins.
bool TextOverflowsCell(TCustomGrid* Grid, int HMargin, int VMargin, const std::string& Text, const win::RECT& Rect,
                       bool WordWrap, int& Width, int& Height);
// The width of Text on one line.
int MeasureTextWidth(TCanvas* Canvas, const std::string& Text);
TGridRect MakeGridRect(int Left, int Top, int Right, int Bottom);
bool GridRectContains(int Col, int Row, const TGridRect& GridRect);
// Keeps Left and Top and exchanges width and height (rotated title text).
void SwapRectExtent(win::RECT& Rect);
// Color as RGB with every channel raised by a Divisor-th of itself (at most 255).
TColor BrightenColor(TColor Color, int Divisor);
inline int LargerInt(int A, int B) { return A > B ? A : B; }
inline int SmallerInt(int A, int B) { return A < B ? A : B; }
inline int PickInt(bool Condition, int A, int B) { return Condition ? A : B; }
