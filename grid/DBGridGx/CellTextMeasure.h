#pragma once
// Measuring text as a grid cell shows it, on the grid's canvas.
#include <string>

#include "platform/controls/Grids.h"

class TCanvas;

// Measures Text on the grid's canvas as a cell of Rect would show it; true when it does
// not fit the cell less its margins.
bool TextOverflowsCell(TCustomGrid* Grid, int HMargin, int VMargin, const std::string& Text, const win::RECT& Rect,
                       bool WordWrap, int& Width, int& Height);
// The width of Text on one line.
int MeasureTextWidth(TCanvas* Canvas, const std::string& Text);
// Keeps Left and Top and exchanges width and height (rotated title text).
void SwapRectExtent(win::RECT& Rect);
