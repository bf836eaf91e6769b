#pragma once
// A shown form holding one grid over a small dataset, painted on the headless desktop;
// tests ask what each cell drew.
#include "tests/support/CellDrawing.h"
#include "tests/support/GridFixture.h"

#include "grid/DBGridGx/GridDataLink.h"

class GridPaintTest : public GridTest {
protected:
  // A grid (of class G) of 300x200 client pixels over Fields with Rows records (record
  // r's strings read "r<r>"), on a shown form.
  template <class G = TDBGridGx>
  G* ShownGrid(std::initializer_list<const char*> Fields, int Rows) {
    Form->SetBounds(10, 10, 500, 400);
    G* Grid = NewGrid<G>();
    Grid->SetBounds(0, 0, 300, 200);
    Grid->SetDataSource(NewSource(Fields, Rows, [](int R) { return "r" + std::to_string(R + 1); }));
    Form->Show();
    Grid->HandleNeeded();
    win::headless::ProcessMessages();
    Grid->DataSource()->DataSet()->First();
    return Grid;
  }
  std::vector<win::DrawOp> Paint(TDBGridGx* Grid) { return PaintAndRecord(Grid->Handle()); }
  CellDrawing Cell(TDBGridGx* Grid, const std::vector<win::DrawOp>& Ops, int ACol, int ARow) {
    return DrawnInCell(Grid, Ops, ACol, ARow);
  }
};
