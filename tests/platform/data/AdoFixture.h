#pragma once
// The program's connection and snippet table over a temporary database.
#include "platform/data/ADODB.h"
#include "tests/platform/data/DataFixtures.h"
#include "tests/platform/data/SQLiteFixture.h"

struct TAdoFixture {
  TTestOwner T;
  TTempDatabase Db;
  TADOConnection* Conn = nullptr;
  TADOTable* Table = nullptr;

  explicit TAdoFixture(bool create = true) {
    if (create) Db.CreateSnippets();
    Conn = new TADOConnection(T.Owner.get());
    Conn->SetName("ADOConnection1");
    Conn->SetLoginPrompt(false);
    Conn->SetMode(cmShareDenyNone);
    Conn->SetProvider("Microsoft.Jet.OLEDB.4.0");
    Conn->SetConnectionString(JetConnectionString(Db.Path));
    Table = new TADOTable(T.Owner.get());
    Table->SetName("ADOTable1");
    Table->SetConnection(Conn);
    Table->SetTableName("TSet");
  }
};
