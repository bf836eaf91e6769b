#pragma once
// The colour style of data grids: how selected and current cells are highlighted.
#include "platform/controls/Messages.h"
#include "platform/desktop/Windows.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/rtl/Classes.h"

class TDBGridGxStyle;

// What a style needs of a grid that uses it: leaving the style when it is freed.
class IDBGridGxStyleClient {
public:
  // Assigning nil leaves the old style and takes DefaultGridStyle (or none).
  virtual void SetGridStyle(TDBGridGxStyle* Value) = 0;

protected:
  ~IDBGridGxStyleClient() = default;
};

// What the style needs to know of a data cell; the grid fills it in.
struct TDataCellColorQuery {
  bool MultiSelectActive = false;    // dgMultiSelect with an active data link
  bool InMultiSelection = false;     // the selection holds the cell's record
  bool GridFocused = false;
  bool HighlightFocus = false;       // dghHighlightFocus
  bool RowHighlight = false;         // dghRowHighlight
  bool SelectionKindNone = true;     // no selection of the grid's own (gstNon)
  bool CurrentRow = false;
  bool CurrentCol = false;
  bool Selected = false;             // gdSelected in the draw state
  bool RowSelect = false;            // dgRowSelect
  bool AlwaysShowSelection = false;  // dgAlwaysShowSelection
  int UpdateLockCount = 0;
  bool SelectionHasFocus = false;
  win::HDC Canvas = nullptr;         // the grid canvas, for the nearest device colour
};

// What the style needs to know of a fixed cell.
struct TFixedCellColorQuery {
  bool Selected = false;
  // A selected indicator cell off the separator row, or a title or filter cell of a data column.
  bool PressedLook = false;
  bool SelectionHasFocus = false;
};

// Whether a data cell shows highlighted; FocusHighlight receives whether the focus
// highlight applies to it.
bool DataCellHighlighted(const TDataCellColorQuery& Cell, bool& FocusHighlight);

class TDBGridGxStyle : public TPersistent {
  VANTREL_CLASS(TDBGridGxStyle, TPersistent)
public:
  TDBGridGxStyle();
  ~TDBGridGxStyle() override;

  void AddGrid(IDBGridGxStyleClient* Grid);
  void RemoveGrid(IDBGridGxStyleClient* Grid);
  bool HasGrid(IDBGridGxStyleClient* Grid) const;
  int GridCount() const { return FGridList->Count(); }

  bool LightenSelection() const { return FLightenSelection; }
  void SetLightenSelection(bool Value) { FLightenSelection = Value; }
  // NUMCOLORS of the screen; -1 above 256 colours (true colour).
  int ScreenColorCount() const { return FScreenColorCount; }
  bool TrueColorScreen() const { return FScreenColorCount == -1; }
  win::HWND NotifyWindow() const { return FNotifyWindow; }

  // Moves each channel of Color halfway to Glass, then 60% towards 225, and with
  // Contrast a quarter further away from 122.
  static TColor BlendColor(TColor Color, TColor Glass, bool Contrast);

  // Colours a data cell: Background and the font colour change in place; the result is
  // whether the cell shows highlighted.
  virtual bool DataCellColors(const TDataCellColorQuery& Cell, TColor& Background, TFont* Font);
  // Colours a fixed cell the same way.
  virtual bool FixedCellColors(const TFixedCellColorQuery& Cell, TColor& Background, TFont* Font);

protected:
  virtual void NotifyWndProc(TMessage& Message);
  virtual void ReadScreenColors();
  void SetScreenColorCount(int Value) { FScreenColorCount = Value; }

private:
  std::unique_ptr<TList> FGridList;
  win::HWND FNotifyWindow = nullptr;
  bool FLightenSelection = true;
  int FScreenColorCount = -1;
};

// Color as RGB with every channel raised by a Divisor-th of itself (at most 255).
TColor BrightenColor(TColor Color, int Divisor);

// The process-wide default style (or nil); the grid unit's start-up makes it.
TDBGridGxStyle* DefaultGridStyle();
void SetDefaultGridStyle(TDBGridGxStyle* Value);
// The grid unit's own default style: made at its start-up, freed at its end unless it
// was freed before.
void MakeUnitGridStyle();
void FreeUnitGridStyle();
