#pragma once
// Grid events about one column, shared by the grid and the columns that hand them on to
// their popup grid.
#include "platform/controls/grids/GridTypes.h"
#include "platform/graphics/Colors.h"
#include "platform/rtl/Classes.h"

class TColumnGx;
class TFont;

using TTitleGxClickEvent = TEvent<void(TObject* Sender, int ACol, TColumnGx* Column)>;
using TCheckTitleGxBtnEvent = TEvent<void(TObject* Sender, int ACol, TColumnGx* Column, bool& Enabled)>;
using TDrawColumnGxCellEvent =
    TEvent<void(TObject* Sender, const win::RECT& Rect, int DataCol, TColumnGx* Column, TGridDrawState State)>;
using TGetCellGxParamsEvent =
    TEvent<void(TObject* Sender, TColumnGx* Column, TFont* AFont, TColor& Background, TGridDrawState State)>;
