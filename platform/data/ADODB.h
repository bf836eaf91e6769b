#pragma once
// ADO-style connection and datasets. The Jet provider opens its "Data Source" as an
// SQLite file; nothing is created when the file is missing.
#include <map>
#include <memory>
#include <string>

#include "platform/data/SQLiteDataSet.h"
#include "platform/rtl/Strings.h"

enum TConnectMode {
  cmUnknown, cmRead, cmWrite, cmReadWrite, cmShareDenyRead, cmShareDenyWrite, cmShareExclusive, cmShareDenyNone
};
VANTREL_ENUM(TConnectMode, "cmUnknown", "cmRead", "cmWrite", "cmReadWrite", "cmShareDenyRead", "cmShareDenyWrite",
             "cmShareExclusive", "cmShareDenyNone")

class TADOConnection : public TCustomConnection {
  VANTREL_CLASS(TADOConnection, TCustomConnection)
public:
  explicit TADOConnection(TComponent* AOwner);
  static void Publish(TClassBuilder<TADOConnection>& b);

  const std::string& ConnectionString() const { return FConnectionString; }
  // Raises while connected. A "Provider" entry also sets Provider.
  void SetConnectionString(const std::string& v);
  const std::string& Provider() const { return FProvider; }
  void SetProvider(const std::string& v);
  TConnectMode Mode() const { return FMode; }
  void SetMode(TConnectMode v);
  // The value of a key of the connection string ("Data Source"), empty when absent.
  std::string ConnectionValue(const std::string& key) const;

protected:
  std::string DatabasePath() const override { return ConnectionValue("Data Source"); }
  bool ReadOnlyMode() const override;
  void CheckSettings() const override;

private:
  std::string FConnectionString;
  std::string FProvider = "MSDASQL.1";
  TConnectMode FMode = cmUnknown;
  std::map<std::string, std::string> FValues;  // keys upper-cased
};

class TCustomADODataSet : public TSQLiteDataSet {
  VANTREL_CLASS(TCustomADODataSet, TSQLiteDataSet)
public:
  explicit TCustomADODataSet(TComponent* AOwner) : TSQLiteDataSet(AOwner) {}
  static void Publish(TClassBuilder<TCustomADODataSet>& b);
  TADOConnection* Connection() const { return dynamic_cast<TADOConnection*>(ConnectionComponent()); }
  void SetConnection(TADOConnection* v) { SetConnectionComponent(v); }
  // "A DESC, B": written while open, the rows are sorted again.
  const std::string& Sort() const { return SortText(); }
  void SetSort(const std::string& v) { SetSortText(v); }
};

class TADOTable : public TCustomADODataSet {
  VANTREL_CLASS(TADOTable, TCustomADODataSet)
public:
  explicit TADOTable(TComponent* AOwner) : TCustomADODataSet(AOwner) { SetRowSource(rsTable); }
  static void Publish(TClassBuilder<TADOTable>& b);
  const std::string& TableName() const { return SourceText(); }
  void SetTableName(const std::string& v) { SetSourceText(v); }
};

class TADOQuery : public TCustomADODataSet {
  VANTREL_CLASS(TADOQuery, TCustomADODataSet)
public:
  explicit TADOQuery(TComponent* AOwner) : TCustomADODataSet(AOwner) {}
  static void Publish(TClassBuilder<TADOQuery>& b);
  TStrings* SQL() const { return Statement(); }
  void SetSQL(TStrings* v) { Statement()->Assign(v); }
};

class TADODataSet : public TCustomADODataSet {
  VANTREL_CLASS(TADODataSet, TCustomADODataSet)
public:
  explicit TADODataSet(TComponent* AOwner) : TCustomADODataSet(AOwner) { SetRowSource(rsCommandText); }
  static void Publish(TClassBuilder<TADODataSet>& b);
  // A bare name is a table; anything else is an SQL statement.
  const std::string& CommandText() const { return SourceText(); }
  void SetCommandText(const std::string& v) { SetSourceText(v); }
};
