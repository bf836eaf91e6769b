#pragma once
// Where a title's content (caption or image) sits across its cell: by the title's
// alignment, and centred whatever the alignment with multi-level titles.
#include <gtest/gtest.h>

#include <vector>

#include "grid/DBGridGx.h"
#include "platform/data/DBTypes.h"
#include "platform/graphics/Gdi.h"
#include "tests/support/CellDrawing.h"

struct TitlePlacement {
  enum Place { AtLeft, AtRight, Centred };
  const char* Name;
  TAlignment Alignment;
  bool MultiTitle;
  Place Where;
};

inline const std::vector<TitlePlacement>& TitlePlacements() {
  static const std::vector<TitlePlacement> Cases{
      {"left", taLeftJustify, false, TitlePlacement::AtLeft},
      {"right", taRightJustify, false, TitlePlacement::AtRight},
      {"centre", taCenter, false, TitlePlacement::Centred},
      {"multi-level titles centre", taRightJustify, true, TitlePlacement::Centred}};
  return Cases;
}

// Box lies inside Cell, within 3 pixels of the side or the centre the case asks for.
inline void ExpectPlaced(const win::RECT& Box, const win::RECT& Cell, const TitlePlacement& Case) {
  EXPECT_GE(Box.left, Cell.left);
  EXPECT_LE(Box.right, Cell.right);
  switch (Case.Where) {
    case TitlePlacement::AtLeft: EXPECT_LE(Box.left, Cell.left + 3); break;
    case TitlePlacement::AtRight: EXPECT_GE(Box.right, Cell.right - 3); break;
    case TitlePlacement::Centred: EXPECT_NEAR((Box.left + Box.right) / 2, (Cell.left + Cell.right) / 2, 3); break;
  }
}

// Paints Grid once per case with the title of its first column set up for it, and hands
// Check the case, the title cell's rectangle, what the paint drew and what the cell drew.
template <class F>
void ForEachTitlePlacement(TDBGridGx* Grid, F Check) {
  TColumnGx* Column = Grid->Columns()->ColumnAt(0);
  for (const TitlePlacement& C : TitlePlacements()) {
    SCOPED_TRACE(C.Name);
    Grid->SetUseMultiTitle(C.MultiTitle);
    Column->Title()->SetAlignment(C.Alignment);
    const std::vector<win::DrawOp> Ops = PaintAndRecord(Grid->Handle());
    Check(C, Grid->CellRect(1, 0), Ops, DrawnInCell(Grid, Ops, 1, 0));
  }
}
