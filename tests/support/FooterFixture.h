#pragma once
// Grids whose footers total a small dataset of every numeric kind, with the sum list on.
#include <string>

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridSumList.h"
#include "tests/support/PaintFixture.h"

class FooterTest : public GridPaintTest {
protected:
  // Three records: Name "7", "8", "9"; Qty 1, 4, empty; Price 1.5, 2.25, 0.5; Cost
  // (money) 10, 20.5, empty; Amount (decimal) 1.25, 2.5, 3. Shown: on a shown form,
  // painted on the headless desktop.
  TDBGridGx* SummedGrid(bool Shown = false) {
    TDBGridGx* Grid = nullptr;
    if (Shown) {
      Grid = ShownGrid({"Name", "%Qty", "#Price", "$Cost", "^Amount"}, 3);
    } else {
      Grid = NewGrid();
      Grid->SetDataSource(NewSource({"Name", "%Qty", "#Price", "$Cost", "^Amount"}, 3,
                                    [](int R) { return std::to_string(R + 7); }));
    }
    TDataSet* DataSet = Grid->DataSource()->DataSet();
    const char* Values[3][4] = {{"1", "1.5", "10", "1.25"}, {"4", "2.25", "20.5", "2.5"}, {"", "0.5", "", "3"}};
    const char* Names[4] = {"Qty", "Price", "Cost", "Amount"};
    DataSet->First();
    for (auto& Row : Values) {
      DataSet->Edit();
      for (int I = 0; I < 4; ++I)
        if (*Row[I]) DataSet->FieldByName(Names[I])->SetAsString(Row[I]);
      DataSet->Post();
      DataSet->Next();
    }
    DataSet->First();
    Grid->SumList()->SetActive(true);
    return Grid;
  }

  static std::string FooterText(TDBGridGx* Grid, TColumnGx* Column, int Row) {
    std::string Text = "not set";
    Grid->FooterValueText(Row, Column, Text);
    return Text;
  }
};
