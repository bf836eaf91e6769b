#pragma once
// The colour style of data grids: how selected and current cells are highlighted.
#include "platform/controls/Messages.h"
#include "platform/desktop/Windows.h"
#include "platform/graphics/Colors.h"
#include "platform/rtl/Classes.h"

class TDBGridGxStyle;

// What a style needs of a grid that uses it: leaving the style when it is freed.
class IDBGridGxStyleClient {
public:
  // Assigning nil leaves the old style and takes DefaultGridStyle (or none).
  virtual void SetStyle(TDBGridGxStyle* Value) = 0;

protected:
  ~IDBGridGxStyleClient() = default;
};

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

// The process-wide default style (or nil); the grid unit's start-up makes it.
TDBGridGxStyle* DefaultGridStyle();
void SetDefaultGridStyle(TDBGridGxStyle* Value);
