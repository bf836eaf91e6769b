// The InterBase-style engine family.
#include "platform/data/IBX.h"

void TIBDatabase::Publish(TClassBuilder<TIBDatabase>& b) {
  b.Property("Connected", &TIBDatabase::Connected, &TIBDatabase::SetConnected).Default(false);
  b.Property("DatabaseName", &TIBDatabase::DatabaseName, &TIBDatabase::SetDatabaseName);
  b.Property("LoginPrompt", &TIBDatabase::LoginPrompt, &TIBDatabase::SetLoginPrompt).Default(true);
  b.Property("Params", &TIBDatabase::Params, &TIBDatabase::SetParams);
}

void TIBDatabase::SetDatabaseName(const std::string& v) {
  CheckDisconnected();
  FDatabaseName = v;
}

void TIBCustomDataSet::Publish(TClassBuilder<TIBCustomDataSet>& b) {
  b.Property("Database", &TIBCustomDataSet::Database, &TIBCustomDataSet::SetDatabase);
}

void TIBQuery::Publish(TClassBuilder<TIBQuery>& b) { b.Property("SQL", &TIBQuery::SQL, &TIBQuery::SetSQL); }

void TIBDataSet::Publish(TClassBuilder<TIBDataSet>& b) {
  b.Property("SelectSQL", &TIBDataSet::SelectSQL, &TIBDataSet::SetSelectSQL);
}
