// The SQL-connection engine family.
#include "platform/data/SqlExpr.h"

void TSQLConnection::Publish(TClassBuilder<TSQLConnection>& b) {
  b.Property("ConnectionName", &TSQLConnection::ConnectionName, &TSQLConnection::SetConnectionName);
  b.Property("Connected", &TSQLConnection::Connected, &TSQLConnection::SetConnected).Default(false);
  b.Property("DriverName", &TSQLConnection::DriverName, &TSQLConnection::SetDriverName);
  b.Property("LoginPrompt", &TSQLConnection::LoginPrompt, &TSQLConnection::SetLoginPrompt).Default(true);
  b.Property("Params", &TSQLConnection::Params, &TSQLConnection::SetParams);
}

void TSQLConnection::SetDriverName(const std::string& v) {
  CheckDisconnected();
  FDriverName = v;
}

void TCustomSQLDataSet::Publish(TClassBuilder<TCustomSQLDataSet>& b) {
  b.Property("SQLConnection", &TCustomSQLDataSet::SQLConnection, &TCustomSQLDataSet::SetSQLConnection);
}

void TSQLQuery::Publish(TClassBuilder<TSQLQuery>& b) { b.Property("SQL", &TSQLQuery::SQL, &TSQLQuery::SetSQL); }

void TSQLDataSet::Publish(TClassBuilder<TSQLDataSet>& b) {
  b.Property("CommandText", &TSQLDataSet::CommandText, &TSQLDataSet::SetCommandText);
}

