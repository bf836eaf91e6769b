#pragma once
// A page of a grid drawn the way a plain cairo program draws it: cell fills, texts, check
// boxes and grid lines on an image surface. The grid benchmarks use it as the reference
// that does the grid's drawing work without the grid; each describes its page (where the
// cells and lines are, which colours) and hands the texts in through a callback.
#include <cairo/cairo.h>

#include <functional>
#include <string>
#include <vector>

namespace bench_grid {

struct TRgb {
  double R = 0, G = 0, B = 0;
};

// Grid lines of one colour, each from (X0, Y0) to (X1, Y1) in cairo coordinates (pixel
// centres for one-pixel lines).
struct TCairoLines {
  TRgb Color;
  struct TSegment {
    double X0, Y0, X1, Y1;
  };
  std::vector<TSegment> Segments;
};

enum class TCairoCellKind { Text, RightText, CheckBox };

struct TCairoGridPage {
  // Data columns, left to right, and rows, the title row first; pixels.
  std::vector<int> ColLefts, ColWidths;
  std::vector<TCairoCellKind> ColKinds;
  std::vector<int> RowTops, RowHeights;
  // The rows drawn: 0 is the title row (a scrolled page leaves it as it is).
  int FirstRow = 0, LastRow = 0;
  // Before the cells: the whole image painted in Background, or only what lies right of
  // and below the cells.
  bool PaintWhole = false;
  TRgb Background{1, 1, 1}, TitleFill{0.83, 0.82, 0.78}, CellFill{1, 1, 1}, TextColor{0, 0, 0};
  // The indicator column left of the data columns, filled with TitleFill; 0 wide: none.
  int IndicatorWidth = 0;
  // Title and indicator cells with a raised edge (light top and left, shadow bottom and right).
  bool RaisedFixedCells = false;
  TRgb Light{1, 1, 1}, Shadow{0.5, 0.5, 0.5};
  // The current cell (a data row from 1 and a column), highlighted; its row's indicator
  // shows an arrow. -1: none.
  int CurrentRow = -1, CurrentCol = -1;
  TRgb HighlightFill{0, 0, 0.5}, HighlightText{1, 1, 1};
  // Text: left edge from the cell's left, right margin for right-aligned texts, baseline
  // from the cell's top.
  double TextLeft = 2, TextRight = 3, Baseline = 14;
  std::string FontFamily = "DejaVu Sans";
  double FontSize = 11;
  const cairo_font_options_t* FontOptions = nullptr;  // nullptr: cairo's defaults
  // Drawn after the cells, in order.
  std::vector<TCairoLines> Lines;
};

// The text of a cell (row 0 is the title row) and whether a data cell's box is checked.
using TCairoCellText = std::function<std::string(int Row, int Col)>;
using TCairoCellChecked = std::function<bool(int Row, int Col)>;

inline void DrawCairoGridPage(cairo_surface_t* Surface, const TCairoGridPage& P, const TCairoCellText& Text,
                              const TCairoCellChecked& Checked) {
  cairo_t* cr = cairo_create(Surface);
  cairo_select_font_face(cr, P.FontFamily.c_str(), CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, P.FontSize);
  if (P.FontOptions) cairo_set_font_options(cr, P.FontOptions);
  auto color = [cr](const TRgb& C) { cairo_set_source_rgb(cr, C.R, C.G, C.B); };
  const int cols = static_cast<int>(P.ColLefts.size());
  const int right = cols ? P.ColLefts.back() + P.ColWidths.back() : 0;
  const int top = P.RowTops[P.FirstRow], bottom = P.RowTops[P.LastRow] + P.RowHeights[P.LastRow];
  const int width = cairo_image_surface_get_width(Surface), height = cairo_image_surface_get_height(Surface);
  color(P.Background);
  if (P.PaintWhole) {
    cairo_paint(cr);
  } else {
    cairo_rectangle(cr, right, top, width - right, bottom - top);
    cairo_rectangle(cr, 0, bottom, width, height - bottom);
    cairo_fill(cr);
  }
  auto raised = [&](double x, double y, double w, double h) {
    color(P.Light);
    cairo_rectangle(cr, x, y, w - 1, 1);
    cairo_rectangle(cr, x, y + 1, 1, h - 2);
    cairo_fill(cr);
    color(P.Shadow);
    cairo_rectangle(cr, x, y + h - 1, w, 1);
    cairo_rectangle(cr, x + w - 1, y, 1, h - 1);
    cairo_fill(cr);
  };
  for (int R = P.FirstRow; R <= P.LastRow; ++R) {
    const double y = P.RowTops[R], h = P.RowHeights[R];
    if (P.IndicatorWidth > 0) {
      color(P.TitleFill);
      cairo_rectangle(cr, 0, y, P.IndicatorWidth, h);
      cairo_fill(cr);
      if (P.RaisedFixedCells) raised(0, y, P.IndicatorWidth, h);
      if (R == P.CurrentRow) {
        const double cy = y + h / 2, ax = P.IndicatorWidth - 3;
        color(P.TextColor);
        cairo_move_to(cr, ax, cy);
        cairo_line_to(cr, ax - 4, cy - 4);
        cairo_line_to(cr, ax - 4, cy + 4);
        cairo_close_path(cr);
        cairo_fill(cr);
      }
    }
    for (int C = 0; C < cols; ++C) {
      const double x = P.ColLefts[C], w = P.ColWidths[C];
      const bool current = R == P.CurrentRow && C == P.CurrentCol;
      color(R == 0 ? P.TitleFill : current ? P.HighlightFill : P.CellFill);
      cairo_rectangle(cr, x, y, w, h);
      cairo_fill(cr);
      color(current ? P.HighlightText : P.TextColor);
      if (R == 0 || P.ColKinds[C] != TCairoCellKind::CheckBox) {
        const std::string t = Text(R, C);
        double tx = x + P.TextLeft;
        if (R > 0 && P.ColKinds[C] == TCairoCellKind::RightText) {
          cairo_text_extents_t e;
          cairo_text_extents(cr, t.c_str(), &e);
          tx = x + w - e.x_advance - P.TextRight;
        }
        cairo_move_to(cr, tx, y + P.Baseline);
        cairo_show_text(cr, t.c_str());
      } else {
        const double cx = x + P.ColWidths[C] / 2, cy = y + P.RowHeights[R] / 2;
        cairo_rectangle(cr, cx - 6.5, y + (P.RowHeights[R] - 13) / 2 + 0.5, 13, 13);
        cairo_stroke(cr);
        if (Checked(R, C)) {
          cairo_move_to(cr, cx - 4, cy);
          cairo_line_to(cr, cx - 1, cy + 3);
          cairo_line_to(cr, cx + 4, cy - 4);
          cairo_stroke(cr);
        }
      }
      if (R == 0 && P.RaisedFixedCells) raised(x, y, w, h);
    }
  }
  cairo_set_line_width(cr, 1);
  for (const TCairoLines& L : P.Lines) {
    color(L.Color);
    for (const auto& S : L.Segments) {
      cairo_move_to(cr, S.X0, S.Y0);
      cairo_line_to(cr, S.X1, S.Y1);
    }
    cairo_stroke(cr);
  }
  cairo_destroy(cr);
  cairo_surface_flush(Surface);
}

}  // namespace bench_grid
