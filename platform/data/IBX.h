#pragma once
// The InterBase-style engine family: a database whose DatabaseName is the file, a
// query with SQL and a dataset with SelectSQL.
#include <memory>
#include <string>

#include "platform/data/SQLiteDataSet.h"

class TIBDatabase : public TCustomConnection {
  VANTREL_CLASS(TIBDatabase, TCustomConnection)
public:
  explicit TIBDatabase(TComponent* AOwner) : TCustomConnection(AOwner), FParams(std::make_unique<TStringList>()) {}
  static void Publish(TClassBuilder<TIBDatabase>& b);
  const std::string& DatabaseName() const { return FDatabaseName; }
  void SetDatabaseName(const std::string& v);
  TStrings* Params() const { return FParams.get(); }
  void SetParams(TStrings* v) { FParams->Assign(v); }

protected:
  std::string DatabasePath() const override { return FDatabaseName; }

private:
  std::string FDatabaseName;
  std::unique_ptr<TStringList> FParams;
};

class TIBCustomDataSet : public TSQLiteDataSet {
  VANTREL_CLASS(TIBCustomDataSet, TSQLiteDataSet)
public:
  explicit TIBCustomDataSet(TComponent* AOwner) : TSQLiteDataSet(AOwner) {}
  static void Publish(TClassBuilder<TIBCustomDataSet>& b);
  TIBDatabase* Database() const { return dynamic_cast<TIBDatabase*>(ConnectionComponent()); }
  void SetDatabase(TIBDatabase* v) { SetConnectionComponent(v); }

protected:
  std::string MissingConnectionText() const override { return "Database not assigned"; }
};

class TIBQuery : public TIBCustomDataSet {
  VANTREL_CLASS(TIBQuery, TIBCustomDataSet)
public:
  explicit TIBQuery(TComponent* AOwner) : TIBCustomDataSet(AOwner) {}
  static void Publish(TClassBuilder<TIBQuery>& b);
  TStrings* SQL() const { return Statement(); }
  void SetSQL(TStrings* v) { Statement()->Assign(v); }
};

class TIBDataSet : public TIBCustomDataSet {
  VANTREL_CLASS(TIBDataSet, TIBCustomDataSet)
public:
  explicit TIBDataSet(TComponent* AOwner) : TIBCustomDataSet(AOwner) {}
  static void Publish(TClassBuilder<TIBDataSet>& b);
  TStrings* SelectSQL() const { return Statement(); }
  void SetSelectSQL(TStrings* v) { Statement()->Assign(v); }
};
