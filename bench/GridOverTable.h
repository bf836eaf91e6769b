#pragma once
// A form with the data grid over a table of a benchmark's SQLite file through an ADO
// table: as it is made (nothing opened), or opened and sized to show a number of data
// rows, its grid focused.
#include <memory>
#include <stdexcept>
#include <string>

#include "grid/DBGridGx.h"
#include "platform/controls/Forms.h"
#include "platform/data/ADODB.h"
#include "platform/data/DataSource.h"

namespace bench_grid {

// The grid over table Name of the file at Path, closed.
struct TGridOnTable {
  std::unique_ptr<TForm> Form;
  TADOTable* Table = nullptr;
  TDBGridGx* Grid = nullptr;

  TGridOnTable(const std::string& Path, const std::string& Name) : Form(std::make_unique<TForm>(nullptr)) {
    Form->SetBounds(0, 0, 640, 900);
    auto* Conn = new TADOConnection(Form.get());
    Conn->SetLoginPrompt(false);
    Conn->SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + Path);
    Table = new TADOTable(Form.get());
    Table->SetConnection(Conn);
    Table->SetTableName(Name);
    auto* Source = new TDataSource(Form.get());
    Source->SetDataSet(Table);
    Grid = new TDBGridGx(Form.get());
    Grid->SetParent(Form.get());
    Grid->SetDataSource(Source);
  }
};

// The grid over the snippet table "TSet", opened and showing Rows data rows.
struct TGridOverTable : TGridOnTable {
  TGridOverTable(const std::string& Path, int Rows) : TGridOnTable(Path, "TSet") {
    Table->Open();
    Form->Show();
    // The lowest height that shows the rows.
    int Low = 50, High = 2000;
    while (Low < High) {
      const int Mid = (Low + High) / 2;
      Grid->SetBounds(0, 0, 600, Mid);
      if (Grid->VisibleDataRowCount() >= Rows) High = Mid;
      else Low = Mid + 1;
    }
    Grid->SetBounds(0, 0, 600, Low);
    if (Grid->VisibleDataRowCount() != Rows)
      throw std::runtime_error("the grid shows " + std::to_string(Grid->VisibleDataRowCount()) + " rows, not " +
                               std::to_string(Rows));
    Grid->SetFocus();
  }
};

}  // namespace bench_grid
