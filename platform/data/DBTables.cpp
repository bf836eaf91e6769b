// The table/query engine family.
#include "platform/data/DBTables.h"

#include <algorithm>
#include <vector>

#include "platform/rtl/SysUtils.h"

namespace {
std::vector<TDatabase*>& Databases() {
  static std::vector<TDatabase*> list;
  return list;
}
}  // namespace

TDatabase::TDatabase(TComponent* AOwner) : TCustomConnection(AOwner), FParams(std::make_unique<TStringList>()) {
  Databases().push_back(this);
}

TDatabase::~TDatabase() {
  auto& list = Databases();
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void TDatabase::Publish(TClassBuilder<TDatabase>& b) {
  b.Property("Connected", &TDatabase::Connected, &TDatabase::SetConnected).Default(false);
  b.Property("DatabaseName", &TDatabase::DatabaseName, &TDatabase::SetDatabaseName);
  b.Property("DriverName", &TDatabase::DriverName, &TDatabase::SetDriverName);
  b.Property("LoginPrompt", &TDatabase::LoginPrompt, &TDatabase::SetLoginPrompt).Default(true);
  b.Property("Params", &TDatabase::Params, &TDatabase::SetParams);
}

void TDatabase::SetDatabaseName(const std::string& v) {
  CheckDisconnected();
  FDatabaseName = v;
}

void TDatabase::SetDriverName(const std::string& v) {
  CheckDisconnected();
  FDriverName = v;
}

std::string TDatabase::DriverTypeName() const { return FDriverName.empty() ? "STANDARD" : UpperCase(FDriverName); }

std::string TDatabase::DatabasePath() const {
  for (const char* key : {"PATH", "DATABASE NAME", "DATABASE"}) {
    std::string v = FParams->Values(key);
    if (!v.empty()) return v;
  }
  return {};
}

TDatabase* TDatabase::FindDatabase(const std::string& name) {
  if (name.empty()) return nullptr;
  for (TDatabase* d : Databases())
    if (AnsiSameText(d->DatabaseName(), name)) return d;
  return nullptr;
}

void TDBDataSet::Publish(TClassBuilder<TDBDataSet>& b) {
  b.Property("DatabaseName", &TDBDataSet::DatabaseName, &TDBDataSet::SetDatabaseName);
}

void TDBDataSet::SetDatabaseName(const std::string& v) {
  CheckInactive();
  FDatabaseName = v;
}

TSQLiteDatabase* TDBDataSet::ConnectedDatabase() {
  SetConnectionComponent(Database());
  return TSQLiteDataSet::ConnectedDatabase();
}

void TTable::Publish(TClassBuilder<TTable>& b) { b.Property("TableName", &TTable::TableName, &TTable::SetTableName); }

void TQuery::Publish(TClassBuilder<TQuery>& b) { b.Property("SQL", &TQuery::SQL, &TQuery::SetSQL); }
