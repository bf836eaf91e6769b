#pragma once
// The SQL-connection engine family: a connection with a DriverName, and query and
// dataset classes on it. The database file is the connection's "Database" parameter.
#include <memory>
#include <string>

#include "platform/data/SQLiteDataSet.h"

class TSQLConnection : public TCustomConnection {
  VANTREL_CLASS(TSQLConnection, TCustomConnection)
public:
  explicit TSQLConnection(TComponent* AOwner)
      : TCustomConnection(AOwner), FParams(std::make_unique<TStringList>()) {}
  static void Publish(TClassBuilder<TSQLConnection>& b);
  const std::string& ConnectionName() const { return FConnectionName; }
  void SetConnectionName(const std::string& v) { FConnectionName = v; }
  const std::string& DriverName() const { return FDriverName; }
  void SetDriverName(const std::string& v);
  TStrings* Params() const { return FParams.get(); }
  void SetParams(TStrings* v) { FParams->Assign(v); }

protected:
  std::string DatabasePath() const override { return FParams->Values("Database"); }

private:
  std::string FConnectionName, FDriverName;
  std::unique_ptr<TStringList> FParams;
};

class TCustomSQLDataSet : public TSQLiteDataSet {
  VANTREL_CLASS(TCustomSQLDataSet, TSQLiteDataSet)
public:
  explicit TCustomSQLDataSet(TComponent* AOwner) : TSQLiteDataSet(AOwner) {}
  static void Publish(TClassBuilder<TCustomSQLDataSet>& b);
  TSQLConnection* SQLConnection() const { return dynamic_cast<TSQLConnection*>(ConnectionComponent()); }
  void SetSQLConnection(TSQLConnection* v) { SetConnectionComponent(v); }

protected:
  std::string MissingConnectionText() const override { return "Missing SQLConnection property"; }
};

class TSQLQuery : public TCustomSQLDataSet {
  VANTREL_CLASS(TSQLQuery, TCustomSQLDataSet)
public:
  explicit TSQLQuery(TComponent* AOwner) : TCustomSQLDataSet(AOwner) {}
  static void Publish(TClassBuilder<TSQLQuery>& b);
  TStrings* SQL() const { return Statement(); }
  void SetSQL(TStrings* v) { Statement()->Assign(v); }
};

class TSQLDataSet : public TCustomSQLDataSet {
  VANTREL_CLASS(TSQLDataSet, TCustomSQLDataSet)
public:
  explicit TSQLDataSet(TComponent* AOwner) : TCustomSQLDataSet(AOwner) { SetRowSource(rsCommandText); }
  static void Publish(TClassBuilder<TSQLDataSet>& b);
  const std::string& CommandText() const { return SourceText(); }
  void SetCommandText(const std::string& v) { SetSourceText(v); }
};
