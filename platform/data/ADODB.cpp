// ADO-style connection and datasets.
#include "platform/data/ADODB.h"

#include "platform/rtl/SysUtils.h"

namespace {

// Splits "a=1;b=\"x;y\"" into upper-cased keys and their values.
std::map<std::string, std::string> ParseConnectionString(const std::string& s) {
  std::map<std::string, std::string> out;
  size_t i = 0;
  while (i < s.size()) {
    size_t eq = s.find('=', i);
    size_t semi = s.find(';', i);
    if (eq == std::string::npos || (semi != std::string::npos && semi < eq)) {
      if (semi == std::string::npos) break;
      i = semi + 1;
      continue;
    }
    std::string key = UpperCase(Trim(s.substr(i, eq - i)));
    size_t j = eq + 1;
    while (j < s.size() && s[j] == ' ') ++j;
    std::string value;
    if (j < s.size() && (s[j] == '"' || s[j] == '\'')) {
      char q = s[j++];
      for (; j < s.size(); ++j) {
        if (s[j] == q) {
          if (j + 1 < s.size() && s[j + 1] == q) {
            value += q;
            ++j;
            continue;
          }
          ++j;
          break;
        }
        value += s[j];
      }
      size_t end = s.find(';', j);
      i = end == std::string::npos ? s.size() : end + 1;
    } else {
      size_t end = s.find(';', j);
      value = Trim(s.substr(j, end == std::string::npos ? std::string::npos : end - j));
      i = end == std::string::npos ? s.size() : end + 1;
    }
    if (!key.empty()) out[key] = value;
  }
  return out;
}

}  // namespace

TADOConnection::TADOConnection(TComponent* AOwner) : TCustomConnection(AOwner) {}

void TADOConnection::Publish(TClassBuilder<TADOConnection>& b) {
  b.Property("Connected", &TADOConnection::Connected, &TADOConnection::SetConnected).Default(false);
  b.Property("ConnectionString", &TADOConnection::ConnectionString, &TADOConnection::SetConnectionString);
  b.Property("LoginPrompt", &TADOConnection::LoginPrompt, &TADOConnection::SetLoginPrompt).Default(true);
  b.Property("Mode", &TADOConnection::Mode, &TADOConnection::SetMode).Default(cmUnknown);
  b.Property("Provider", &TADOConnection::Provider, &TADOConnection::SetProvider);
}

void TADOConnection::SetConnectionString(const std::string& v) {
  CheckDisconnected();
  FConnectionString = v;
  FValues = ParseConnectionString(v);
  auto it = FValues.find("PROVIDER");
  if (it != FValues.end()) FProvider = it->second;
}

void TADOConnection::SetProvider(const std::string& v) {
  CheckDisconnected();
  FProvider = v;
}

void TADOConnection::SetMode(TConnectMode v) {
  CheckDisconnected();
  FMode = v;
}

std::string TADOConnection::ConnectionValue(const std::string& key) const {
  auto it = FValues.find(UpperCase(key));
  return it == FValues.end() ? std::string() : it->second;
}

bool TADOConnection::ReadOnlyMode() const {
  if (FMode == cmRead) return true;
  return AnsiSameText(ConnectionValue("Mode"), "Read");
}

void TADOConnection::CheckSettings() const {
  if (!AnsiSameText(FProvider, "Microsoft.Jet.OLEDB.4.0") && !AnsiSameText(FProvider, "Microsoft.ACE.OLEDB.12.0"))
    DatabaseError("Provider '" + FProvider + "' cannot be found. It may not be properly installed.", this);
  if (DatabasePath().empty()) DatabaseError("The connection string names no Data Source", this);
}

void TCustomADODataSet::Publish(TClassBuilder<TCustomADODataSet>& b) {
  b.Property("Connection", &TCustomADODataSet::Connection, &TCustomADODataSet::SetConnection);
  b.Property("Sort", &TCustomADODataSet::Sort, &TCustomADODataSet::SetSort).Stored(false);
}

void TADOTable::Publish(TClassBuilder<TADOTable>& b) {
  b.Property("TableName", &TADOTable::TableName, &TADOTable::SetTableName);
}

void TADOQuery::Publish(TClassBuilder<TADOQuery>& b) { b.Property("SQL", &TADOQuery::SQL, &TADOQuery::SetSQL); }

void TADODataSet::Publish(TClassBuilder<TADODataSet>& b) {
  b.Property("CommandText", &TADODataSet::CommandText, &TADODataSet::SetCommandText);
}

