#pragma once
// The parameters of one data or footer cell, handed to the cell-parameter events.
#include <string>

#include "platform/controls/StdCtrls.h"
#include "platform/controls/grids/GridTypes.h"
#include "platform/data/DBTypes.h"
#include "platform/graphics/Colors.h"
#include "platform/rtl/Classes.h"

class TFont;

class TColCellParamsGx : public TObject {
  VANTREL_CLASS(TColCellParamsGx, TObject)
public:
  TColCellParamsGx() = default;

  TAlignment Alignment = taLeftJustify;
  TColor Background = clWindow;
  TCheckBoxState CheckState = cbUnchecked;
  int Col = -1;           // grid column; -1 outside drawing
  TFont* Font = nullptr;  // not owned
  int ImageIndex = -1;
  bool ReadOnly = false;
  int Row = -1;           // grid row; -1 outside drawing
  TGridDrawState State;
  std::string Text;
};
