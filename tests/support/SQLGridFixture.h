#pragma once
// A grid over SQLite-backed datasets of every engine family: table "Items" with six rows,
// a dataset of the family asked for, its columns, and the names of the rows it shows.
#include <string>
#include <vector>

#include "grid/DbUtilsGx.h"
#include "platform/data/ADODB.h"
#include "platform/data/DBTables.h"
#include "platform/data/IBX.h"
#include "platform/data/SqlExpr.h"
#include "tests/platform/data/SQLiteFixture.h"
#include "tests/support/GridFixture.h"

class SQLGridTest : public GridTest {
protected:
  // The statement with a filter line, as a user prepares it.
  static constexpr const char* ItemsSQL =
      "SELECT ID, Name, Qty, Price, Done, Day, \"Order Date\" FROM Items\nWHERE\n/*FILTER*/ 1=1\n";

  void SetUp() override {
    Db.Exec("CREATE TABLE Items (ID INTEGER PRIMARY KEY, Name TEXT, Qty INTEGER, Price REAL, Done BOOLEAN,"
            " Day DATE, \"Order Date\" DATE);"
            "INSERT INTO Items VALUES (1, 'Smith', 12, 2.5, 1, '2024-03-15', '2024-01-01');"
            "INSERT INTO Items VALUES (2, 'O''Brien', 3, 1.25, 0, '2024-03-14', '2024-01-03');"
            "INSERT INTO Items VALUES (3, 'smythe', 40, 10.0, 1, '2024-04-01', '2024-01-02');"
            "INSERT INTO Items VALUES (4, 'Jones', 7, 1.5, 0, NULL, NULL);"
            "INSERT INTO Items VALUES (5, 'a''OR''a''=''a', 1, 0.5, 0, '2023-12-31', '2024-01-05');"
            "INSERT INTO Items VALUES (6, 'Brown', 25, 3.75, 1, '2024-03-16', '2024-01-04');");
    Grid = NewGrid();
  }

  // A dataset of class Family (its class name) over Items with SQL as its statement.
  TDataSet* NewDataSet(const std::string& Family, const std::string& SQL = ItemsSQL) {
    TComponent* O = Form.get();
    TDataSet* DataSet = nullptr;
    if (Family == "TADOQuery" || Family == "TADODataSet" || Family == "TADOTable") {
      auto* Conn = new TADOConnection(O);
      Conn->SetLoginPrompt(false);
      Conn->SetConnectionString(JetConnectionString(Db.Path));
      if (Family == "TADOQuery") {
        auto* Q = new TADOQuery(O);
        Q->SetConnection(Conn);
        Q->SQL()->SetText(SQL);
        DataSet = Q;
      } else if (Family == "TADODataSet") {
        auto* Q = new TADODataSet(O);
        Q->SetConnection(Conn);
        Q->SetCommandText(SQL);
        DataSet = Q;
      } else {
        auto* T = new TADOTable(O);
        T->SetConnection(Conn);
        T->SetTableName("Items");
        DataSet = T;
      }
    } else if (Family == "TQuery" || Family == "TTable") {
      auto* Database = new TDatabase(O);
      Database->SetDatabaseName("Items" + std::to_string(++Made));
      Database->Params()->Add("PATH=" + Db.Path);
      if (Family == "TQuery") {
        auto* Q = new TQuery(O);
        Q->SetDatabaseName(Database->DatabaseName());
        Q->SQL()->SetText(SQL);
        DataSet = Q;
      } else {
        auto* T = new TTable(O);
        T->SetDatabaseName(Database->DatabaseName());
        T->SetTableName("Items");
        DataSet = T;
      }
    } else if (Family == "TSQLQuery" || Family == "TSQLDataSet") {
      auto* Conn = new TSQLConnection(O);
      Conn->SetDriverName("Sqlite");
      Conn->Params()->Add("Database=" + Db.Path);
      if (Family == "TSQLQuery") {
        auto* Q = new TSQLQuery(O);
        Q->SetSQLConnection(Conn);
        Q->SQL()->SetText(SQL);
        DataSet = Q;
      } else {
        auto* Q = new TSQLDataSet(O);
        Q->SetSQLConnection(Conn);
        Q->SetCommandText(SQL);
        DataSet = Q;
      }
    } else if (Family == "TIBQuery" || Family == "TIBDataSet") {
      auto* Database = new TIBDatabase(O);
      Database->SetDatabaseName(Db.Path);
      if (Family == "TIBQuery") {
        auto* Q = new TIBQuery(O);
        Q->SetDatabase(Database);
        Q->SQL()->SetText(SQL);
        DataSet = Q;
      } else {
        auto* Q = new TIBDataSet(O);
        Q->SetDatabase(Database);
        Q->SelectSQL()->SetText(SQL);
        DataSet = Q;
      }
    }
    DataSet->SetName("Q" + std::to_string(++Made));
    return DataSet;
  }

  // Opens DataSet under the grid, with a column for each of its fields.
  void Show(TDataSet* DataSet) {
    auto* Source = new TDataSource(Form.get());
    Source->SetDataSet(DataSet);
    DataSet->Open();
    Grid->SetDataSource(Source);
    Grid->Columns()->Clear();
    for (TField* Field : DataSet->Fields().List()) Grid->Columns()->AddColumn()->SetFieldName(Field->FieldName());
  }

  TColumnGx* Column(const std::string& FieldName) { return Grid->ColumnByFieldName(FieldName); }

  // The Name of every row the dataset shows, in order.
  static std::vector<std::string> Names(TDataSet* DataSet) {
    std::vector<std::string> Out;
    for (DataSet->First(); !DataSet->Eof(); DataSet->Next()) Out.push_back(DataSet->FieldByName("Name")->AsString());
    DataSet->First();
    return Out;
  }

  TTempDatabase Db;
  TDBGridGx* Grid = nullptr;
  int Made = 0;
};
