// SQLite connections and statements for the data engines.
#include "platform/data/SQLiteDatabase.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

#include "platform/data/DataConvert.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

namespace {

[[noreturn]] void Fail(const std::string& msg) { throw EDatabaseError(msg); }

std::string IsoText(TDateTime dt) { return StoredDateTimeText(dt, ftDateTime); }

// "YYYY-MM-DD[ HH:MM[:SS[.fff]]]" or "HH:MM[:SS]".
bool ParseIso(const std::string& s, TDateTime& out) {
  int y = 0, m = 0, d = 0, h = 0, n = 0, sec = 0, ms = 0;
  TDateTime date = 0, time = 0;
  if (std::sscanf(s.c_str(), "%4d-%2d-%2d", &y, &m, &d) == 3) {
    if (!TryEncodeDate(y, m, d, date)) return false;
    size_t sp = s.find_first_of(" T");
    if (sp != std::string::npos) {
      int got = std::sscanf(s.c_str() + sp + 1, "%2d:%2d:%2d.%3d", &h, &n, &sec, &ms);
      if (got >= 2 && !TryEncodeTime(h, n, sec, ms, time)) return false;
    }
    out = ComposeDateTime(date, time);
    return true;
  }
  if (std::sscanf(s.c_str(), "%2d:%2d:%2d", &h, &n, &sec) >= 2 && TryEncodeTime(h, n, sec, 0, time)) {
    out = time;
    return true;
  }
  return false;
}

bool Contains(const std::string& upper, const char* what) { return upper.find(what) != std::string::npos; }

std::function<void(int)>& BusySleep() {
  static std::function<void(int)> sleep;
  return sleep;
}

// Waits for another connection's lock in growing steps until SQLiteBusyTimeoutMs have
// passed; count is the number of waits so far for this lock.
int WaitForLock(void*, int count) {
  static const int steps[] = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50, 100};
  constexpr int n = sizeof steps / sizeof steps[0];
  long waited = 0;
  for (int i = 0; i < count; ++i) waited += steps[i < n ? i : n - 1];
  if (waited >= SQLiteBusyTimeoutMs) return 0;
  int ms = static_cast<int>(std::min<long>(steps[count < n ? count : n - 1], SQLiteBusyTimeoutMs - waited));
  if (BusySleep()) BusySleep()(ms);
  else std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  return 1;
}

}  // namespace

std::string QuoteIdent(const std::string& name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

TFieldType FieldTypeOfDecl(const std::string& decl, bool autoInc, int& size) {
  std::string u = UpperCase(decl);
  size = 0;
  size_t paren = u.find('(');
  if (paren != std::string::npos) size = std::atoi(u.c_str() + paren + 1);
  if (autoInc || Contains(u, "AUTOINC") || Contains(u, "COUNTER")) return ftAutoInc;
  if (Contains(u, "BOOL") || Contains(u, "BIT") || Contains(u, "YESNO")) return ftBoolean;
  if (Contains(u, "MEMO") || Contains(u, "NOTE") || Contains(u, "LONGTEXT") || Contains(u, "CLOB")) return ftMemo;
  if (Contains(u, "CHAR") || Contains(u, "TEXT") || Contains(u, "STRING")) {
    // Text without a size has no limit here: a memo keeps every character.
    if (size <= 0) return ftMemo;
    return ftWideString;
  }
  if (Contains(u, "BIGINT") || Contains(u, "INT64")) return ftLargeint;
  if (Contains(u, "SMALLINT") || Contains(u, "SHORT")) return ftSmallint;
  if (Contains(u, "TINYINT") || Contains(u, "BYTE")) return ftWord;
  if (Contains(u, "INT") || Contains(u, "LONG")) return ftInteger;
  if (Contains(u, "CURRENCY") || Contains(u, "MONEY")) return ftCurrency;
  if (Contains(u, "DEC") || Contains(u, "NUMERIC")) return ftBCD;
  if (Contains(u, "REAL") || Contains(u, "FLOA") || Contains(u, "DOUB") || Contains(u, "SINGLE")) return ftFloat;
  if (Contains(u, "DATETIME") || Contains(u, "TIMESTAMP")) return ftDateTime;
  if (Contains(u, "DATE")) return ftDate;
  if (Contains(u, "TIME")) return ftTime;
  if (Contains(u, "BLOB") || Contains(u, "BINARY") || Contains(u, "IMAGE") || Contains(u, "OLE")) return ftBlob;
  size = 255;
  return ftWideString;
}

void SetSQLiteBusySleep(std::function<void(int ms)> sleep) { BusySleep() = std::move(sleep); }

// TSQLiteDatabase

TSQLiteDatabase::TSQLiteDatabase(const std::string& path, bool readOnly) : FPath(path) {
  if (path.empty()) Fail("No database file is given");
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) Fail("Could not find file '" + path + "'.");
  if (S_ISDIR(st.st_mode)) Fail("'" + path + "' is a directory, not a database file.");
  int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
  int rc = sqlite3_open_v2(path.c_str(), &FDb, flags, nullptr);
  if (rc != SQLITE_OK) {
    std::string why = FDb ? sqlite3_errmsg(FDb) : "out of memory";
    sqlite3_close(FDb);
    FDb = nullptr;
    Fail("Cannot open database file '" + path + "': " + why);
  }
  // A lock another program holds is waited for, as a desktop database engine does.
  sqlite3_busy_handler(FDb, WaitForLock, nullptr);
  // Reading the schema tells a database from any other file.
  rc = sqlite3_exec(FDb, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
  if (rc != SQLITE_OK) {
    std::string why = sqlite3_errmsg(FDb);
    int code = rc & 0xff;
    sqlite3_close(FDb);
    FDb = nullptr;
    if (code == SQLITE_NOTADB) Fail("'" + path + "' is not an SQLite database file (" + why + ").");
    Fail("Cannot read database file '" + path + "': " + why);
  }
}

TSQLiteDatabase::~TSQLiteDatabase() {
  if (FDb) sqlite3_close_v2(FDb);
}

std::string TSQLiteDatabase::ErrorText() const { return FDb ? sqlite3_errmsg(FDb) : ""; }

void TSQLiteDatabase::Exec(const std::string& sql) {
  char* err = nullptr;
  if (sqlite3_exec(FDb, sql.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
    std::string msg = err ? err : ErrorText();
    sqlite3_free(err);
    Fail(msg);
  }
}

std::int64_t TSQLiteDatabase::LastInsertRowId() const { return sqlite3_last_insert_rowid(FDb); }
int TSQLiteDatabase::Changes() const { return sqlite3_changes(FDb); }

// TSQLiteStatement

TSQLiteStatement::TSQLiteStatement(sqlite3* db, const std::string& sql) : FDb(db) {
  if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &FStmt, nullptr) != SQLITE_OK)
    Fail(sqlite3_errmsg(db));
  if (!FStmt) Fail("Empty SQL statement");
}

TSQLiteStatement::~TSQLiteStatement() { sqlite3_finalize(FStmt); }

void TSQLiteStatement::Reset() {
  sqlite3_reset(FStmt);
  sqlite3_clear_bindings(FStmt);
}

bool TSQLiteStatement::Step() {
  int rc = sqlite3_step(FStmt);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  std::string msg = sqlite3_errmsg(FDb);
  sqlite3_reset(FStmt);
  Fail(msg);
}

void TSQLiteStatement::BindInt64(int index, std::int64_t v) { sqlite3_bind_int64(FStmt, index, v); }

void TSQLiteStatement::Bind(int index, const Variant& v, TFieldType type) {
  if (v.IsNull() || v.IsEmpty()) {
    sqlite3_bind_null(FStmt, index);
    return;
  }
  switch (type) {
    case ftBoolean:
      sqlite3_bind_int(FStmt, index, v.AsBoolean() ? 1 : 0);
      break;
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint:
      sqlite3_bind_int64(FStmt, index, v.AsInt64());
      break;
    case ftFloat: case ftCurrency: case ftBCD: case ftFMTBcd:
      sqlite3_bind_double(FStmt, index, v.AsDouble());
      break;
    case ftDate: case ftTime: case ftDateTime: case ftTimeStamp: {
      std::string s = type == ftTime ? FormatDateTime("hh:nn:ss", v.AsDateTime()) : IsoText(v.AsDateTime());
      if (type == ftDate) s = s.substr(0, 10);
      sqlite3_bind_text(FStmt, index, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
      break;
    }
    case ftBlob: case ftGraphic: case ftTypedBinary: case ftBytes: case ftVarBytes: {
      std::string s = v.AsString();
      sqlite3_bind_blob(FStmt, index, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
      break;
    }
    default: {
      std::string s = v.AsString();
      sqlite3_bind_text(FStmt, index, s.c_str(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
      break;
    }
  }
}

void TSQLiteStatement::BindHeld(int index, const Variant& v, TFieldType type, std::string& hold) {
  if (!VarIsStr(v)) return Bind(index, v, type);
  switch (type) {
    case ftBlob: case ftGraphic: case ftTypedBinary: case ftBytes: case ftVarBytes:
      hold = v.AsString();
      sqlite3_bind_blob(FStmt, index, hold.data(), static_cast<int>(hold.size()), SQLITE_STATIC);
      return;
    case ftBoolean: case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint: case ftFloat:
    case ftCurrency: case ftBCD: case ftFMTBcd: case ftDate: case ftTime: case ftDateTime: case ftTimeStamp:
      return Bind(index, v, type);
    default:
      hold = v.AsString();
      sqlite3_bind_text(FStmt, index, hold.c_str(), static_cast<int>(hold.size()), SQLITE_STATIC);
      return;
  }
}

int TSQLiteStatement::ColumnCount() const { return sqlite3_column_count(FStmt); }
std::string TSQLiteStatement::ColumnName(int i) const { return sqlite3_column_name(FStmt, i); }

std::string TSQLiteStatement::ColumnDeclType(int i) const {
  const char* t = sqlite3_column_decltype(FStmt, i);
  return t ? t : "";
}

int TSQLiteStatement::ColumnStorage(int i) const { return sqlite3_column_type(FStmt, i); }
std::int64_t TSQLiteStatement::ColumnInt64(int i) const { return sqlite3_column_int64(FStmt, i); }

namespace {
std::string_view TextOf(sqlite3_value* value) {
  const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(value));
  return p ? std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(value))) : std::string_view();
}

// A stored flag that is not an integer: a float is true unless 0; texts "true", "yes",
// "on" and "false", "no", "off" in any case, or a whole number. Anything else is no
// value (Null).
void ReadFlagOther(sqlite3_value* value, int storage, Variant& out) {
  if (storage == SQLITE_FLOAT) return out.SetBoolean(sqlite3_value_double(value) != 0);
  std::string s = Trim(std::string(TextOf(value)));
  for (const char* t : {"true", "yes", "on"})
    if (AnsiSameText(s, t)) return out.SetBoolean(true);
  for (const char* f : {"false", "no", "off"})
    if (AnsiSameText(s, f)) return out.SetBoolean(false);
  std::int64_t i;
  if (TryStrToInt64(s, i)) return out.SetBoolean(i != 0);
  out.SetNull();
}

// A stored flag: an integer is true unless 0; other values as ReadFlagOther reads them.
[[gnu::always_inline]] inline void ReadFlag(sqlite3_value* value, int storage, Variant& out) {
  if (storage == SQLITE_INTEGER) return out.SetBoolean(sqlite3_value_int64(value) != 0);
  ReadFlagOther(value, storage, out);
}

// A stored whole number that is not an integer: a float rounded half to even, or a text
// holding a whole number; false for anything else.
bool ReadWholeOther(sqlite3_value* value, int storage, std::int64_t& out) {
  if (storage == SQLITE_FLOAT) {
    double r = std::nearbyint(sqlite3_value_double(value));  // half to even
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) return false;
    out = static_cast<std::int64_t>(r);
    return true;
  }
  return TryStrToInt64(Trim(std::string(TextOf(value))), out);
}

// A stored whole number within lo..hi; a number outside the range or a text that is not
// a number is no value (Null), never a value cut to fit.
[[gnu::always_inline]] inline bool ReadWhole(sqlite3_value* value, int storage, std::int64_t lo, std::int64_t hi,
                                             std::int64_t& out) {
  if (storage == SQLITE_INTEGER) out = sqlite3_value_int64(value);
  else if (!ReadWholeOther(value, storage, out)) return false;
  return out >= lo && out <= hi;
}

// One look-up of the column; its value is read at once, on this thread, before the
// statement moves on.
[[gnu::always_inline]] inline void ReadValue(sqlite3_value* value, TFieldType type, Variant& out) {
  int storage = sqlite3_value_type(value);
  if (storage == SQLITE_NULL) return out.SetNull();
  switch (type) {
    case ftBoolean:
      return ReadFlag(value, storage, out);
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: {
      std::int64_t i;
      if (!ReadWhole(value, storage, INT32_MIN, INT32_MAX, i)) return out.SetNull();
      return out.SetInteger(varInteger, i);
    }
    case ftLargeint: {
      std::int64_t i;
      if (!ReadWhole(value, storage, INT64_MIN, INT64_MAX, i)) return out.SetNull();
      return out.SetInteger(varInt64, i);
    }
    case ftFloat:
      return out.SetFloat(varDouble, sqlite3_value_double(value));
    case ftCurrency: case ftBCD: case ftFMTBcd:
      return out.SetCurrency(Currency::FromDouble(sqlite3_value_double(value)));
    case ftDate: case ftTime: case ftDateTime: case ftTimeStamp: {
      if (storage == SQLITE_TEXT) {
        std::string s = reinterpret_cast<const char*>(sqlite3_value_text(value));
        TDateTime dt;
        if (ParseIso(s, dt)) return out.SetFloat(varDate, dt);
        return out.SetNull();
      }
      return out.SetFloat(varDate, sqlite3_value_double(value));
    }
    default: {
      const void* p = storage == SQLITE_BLOB ? sqlite3_value_blob(value)
                                             : static_cast<const void*>(sqlite3_value_text(value));
      int n = sqlite3_value_bytes(value);
      return out.SetText(std::string_view(static_cast<const char*>(p), static_cast<size_t>(n)));
    }
  }
}
}  // namespace

Variant TSQLiteStatement::Column(int i, TFieldType type) const {
  Variant v;
  ReadValue(sqlite3_column_value(FStmt, i), type, v);
  return v;
}

void TSQLiteStatement::ReadRow(const int* columns, const TFieldType* types, std::size_t n, std::int64_t rowId,
                               Variant* out) const {
  for (std::size_t k = 0; k < n; ++k) {
    if (columns[k] < 0) out[k].SetInteger(varInteger, static_cast<std::int32_t>(rowId));
    else ReadValue(sqlite3_column_value(FStmt, columns[k]), types[k], out[k]);
  }
}
