#pragma once
// What a data cell shows for the dataset's current record. Drawing, tool tips, optimal
// widths, incremental search, export and printing all take a cell's content from here, so
// that none of them computes a text of its own.
#include <string>

#include "platform/controls/StdCtrls.h"
#include "platform/rtl/Set.h"

class TColumnGx;

// The parts of a cell's content a reader asks for; the others keep their empty values.
enum TCellContentPart { ccpText, ccpImage, ccpCheck };
using TCellContentParts = Set<TCellContentPart>;
inline constexpr TCellContentParts AllCellContent{ccpText, ccpImage, ccpCheck};

struct TCellContent {
  std::string DisplayText;                  // the column's display text (FormatCellText)
  std::string Text;                         // the text the cell shows
  int ImageIndex = -1;                      // the image of a key-image cell, else -1
  TCheckBoxState CheckState = cbUnchecked;  // the state of a check-box cell, else unchecked
};

// The content of Column's cell for the current record. A money column of a grid that
// formats money text shows its amount with the money style's decimal places.
TCellContent CellContentOf(TColumnGx* Column, TCellContentParts Parts = AllCellContent);
