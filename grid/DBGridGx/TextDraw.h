#pragma once
// Text and images in a cell rectangle: horizontal text with wrapping, ellipsis and
// margins, bottom-to-top text for vertical titles, images aligned and clipped in a cell,
// and the off-screen bitmap that every grid shares.
#include <string>

#include "platform/controls/StdCtrls.h"
#include "platform/data/DBTypes.h"
#include "platform/graphics/Graphics.h"

class TCustomImageList;

// The bitmap all grids draw dithered or wrapped text through; it only grows.
// Grids acquire it in their constructor and release it in their destructor.
TBitmap* SharedDrawBitmap();
void AcquireDrawBitmap();
void ReleaseDrawBitmap();

// Text cut at the end with "..." until it fits MaxWidth; "..." alone at the shortest.
// Cuts fall between whole UTF-8 characters.
std::string ShortenWithEllipsis(const std::string& Text, TCanvas* Canvas, int MaxWidth);

void PaintHorizontalCellText(TCanvas* Canvas, const win::RECT& Rect, int DX, int DY, const std::string& Text,
                             TAlignment Alignment, TTextLayout Layout, bool WordWrap, bool EndEllipsis, int LeftMargin,
                             int RightMargin, bool RightToLeft);

// A font like Font turned to run upward; the caller deletes it.
win::HFONT CreateRotatedFont(TFont* Font);

// Writes Text upward in Rect and returns its extent along the rotated baseline;
// CalcOnly measures without drawing.
int PaintVerticalCellText(TCanvas* Canvas, const win::RECT& Rect, bool UseBitmap, int DX, int DY,
                          const std::string& Text, TAlignment Alignment, TTextLayout Layout, bool CalcOnly);

// Draws image ImageIndex of ImageList (or Graphic when no list is given) aligned in Rect,
// vertically centred, clipped to Rect when it does not fit.
void DrawImageInCell(TCustomImageList* ImageList, TGraphic* Graphic, TCanvas* Canvas, const win::RECT& Rect,
                     int ImageIndex, int DX, TAlignment Alignment);

void SwapInts(int& A, int& B);
