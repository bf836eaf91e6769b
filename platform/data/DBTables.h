#pragma once
// The table/query engine family: a database component named by DatabaseName, a table
// without SQL and a query with SQL. The database file is the PATH (or DATABASE NAME)
// entry of the database's Params.
#include <memory>
#include <string>

#include "platform/data/SQLiteDataSet.h"

class TDatabase : public TCustomConnection {
  VANTREL_CLASS(TDatabase, TCustomConnection)
public:
  explicit TDatabase(TComponent* AOwner);
  ~TDatabase() override;
  static void Publish(TClassBuilder<TDatabase>& b);

  const std::string& DatabaseName() const { return FDatabaseName; }
  void SetDatabaseName(const std::string& v);
  const std::string& DriverName() const { return FDriverName; }
  void SetDriverName(const std::string& v);
  TStrings* Params() const { return FParams.get(); }
  void SetParams(TStrings* v) { FParams->Assign(v); }
  // The engine's name for the kind of database ("STANDARD" when no driver is named).
  std::string DriverTypeName() const;
  // The open database component with that DatabaseName, nullptr when none.
  static TDatabase* FindDatabase(const std::string& name);

protected:
  std::string DatabasePath() const override;

private:
  std::string FDatabaseName, FDriverName;
  std::unique_ptr<TStringList> FParams;
};

// Datasets that reach their database through DatabaseName.
class TDBDataSet : public TSQLiteDataSet {
  VANTREL_CLASS(TDBDataSet, TSQLiteDataSet)
public:
  explicit TDBDataSet(TComponent* AOwner) : TSQLiteDataSet(AOwner) {}
  static void Publish(TClassBuilder<TDBDataSet>& b);
  const std::string& DatabaseName() const { return FDatabaseName; }
  void SetDatabaseName(const std::string& v);
  // The database component of DatabaseName, nullptr when there is none.
  TDatabase* Database() const { return TDatabase::FindDatabase(FDatabaseName); }

protected:
  TSQLiteDatabase* ConnectedDatabase() override;
  std::string MissingConnectionText() const override { return "Unknown database: '" + FDatabaseName + "'"; }

private:
  std::string FDatabaseName;
};

class TTable : public TDBDataSet {
  VANTREL_CLASS(TTable, TDBDataSet)
public:
  explicit TTable(TComponent* AOwner) : TDBDataSet(AOwner) { SetRowSource(rsTable); }
  static void Publish(TClassBuilder<TTable>& b);
  const std::string& TableName() const { return SourceText(); }
  void SetTableName(const std::string& v) { SetSourceText(v); }
};

class TQuery : public TDBDataSet {
  VANTREL_CLASS(TQuery, TDBDataSet)
public:
  explicit TQuery(TComponent* AOwner) : TDBDataSet(AOwner) {}
  static void Publish(TClassBuilder<TQuery>& b);
  TStrings* SQL() const { return Statement(); }
  void SetSQL(TStrings* v) { Statement()->Assign(v); }
};
