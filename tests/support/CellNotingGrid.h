#pragma once
// A data grid that notes the cells it draws, (column, row) in drawing order.
#include <vector>

#include "grid/DBGridGx/GridControl.h"

class TCellNotingGrid : public TDBGridGx {
public:
  explicit TCellNotingGrid(TComponent* AOwner) : TDBGridGx(AOwner) {}
  std::vector<win::POINT> Drawn;

protected:
  void DrawCell(int ACol, int ARow, const win::RECT& ARect, TGridDrawState AState) override {
    Drawn.push_back({ACol, ARow});
    TDBGridGx::DrawCell(ACol, ARow, ARect, AState);
  }
};
