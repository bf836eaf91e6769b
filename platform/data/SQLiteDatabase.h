#pragma once
// A connection to an SQLite file, shared by the engine families' connection components.
// Opening never creates a file: a missing file, a file that is not a database and a
// file that cannot be opened raise EDatabaseError naming the file.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/data/DBTypes.h"
#include "platform/rtl/Variant.h"

struct sqlite3;
struct sqlite3_stmt;

class TSQLiteStatement {
public:
  TSQLiteStatement(sqlite3* db, const std::string& sql);
  ~TSQLiteStatement();
  TSQLiteStatement(const TSQLiteStatement&) = delete;
  TSQLiteStatement& operator=(const TSQLiteStatement&) = delete;

  void Reset();
  void Bind(int index, const Variant& v, TFieldType type);
  // As Bind, but a text or binary value is bound from hold, which receives it (reusing
  // its storage) and must stay unchanged until the statement is reset: the engine makes
  // no copy of its own.
  void BindHeld(int index, const Variant& v, TFieldType type, std::string& hold);
  void BindInt64(int index, std::int64_t v);
  // True while a row is available; raises EDatabaseError on failure.
  bool Step();
  int ColumnCount() const;
  std::string ColumnName(int i) const;
  std::string ColumnDeclType(int i) const;
  int ColumnStorage(int i) const;
  std::int64_t ColumnInt64(int i) const;
  Variant Column(int i, TFieldType type) const;
  // A row's values into out[0..n), whose text storage is reused: out[k] from column
  // columns[k] as types[k]; a column of -1 is rowId, as an integer.
  void ReadRow(const int* columns, const TFieldType* types, std::size_t n, std::int64_t rowId, Variant* out) const;
  sqlite3_stmt* Handle() const { return FStmt; }

private:
  sqlite3* FDb;
  sqlite3_stmt* FStmt = nullptr;
};

class TSQLiteDatabase {
public:
  // Opens an existing file; readOnly opens it for reading only.
  TSQLiteDatabase(const std::string& path, bool readOnly);
  ~TSQLiteDatabase();
  sqlite3* Db() const { return FDb; }
  const std::string& Path() const { return FPath; }
  void Exec(const std::string& sql);
  std::string ErrorText() const;
  std::int64_t LastInsertRowId() const;
  // The rows the last INSERT, UPDATE or DELETE changed.
  int Changes() const;

private:
  sqlite3* FDb = nullptr;
  std::string FPath;
};

// How long a connection waits for another connection's lock before it fails.
inline constexpr int SQLiteBusyTimeoutMs = 5000;
// Replaces how a connection waiting for a lock sleeps for ms milliseconds (tests pass one
// that takes no time); nullptr restores real sleeping.
void SetSQLiteBusySleep(std::function<void(int ms)> sleep);

// The field type of a declared column type ("BOOLEAN", "TEXT(50)", "MEMO", ...); size
// receives a declared size. Autoinc marks an INTEGER PRIMARY KEY or AUTOINCREMENT column.
TFieldType FieldTypeOfDecl(const std::string& decl, bool autoInc, int& size);
// Gives the text and memo columns of table whose declared type lacks text affinity (such
// as MEMO, where SQLite would store "007" as the number 7) the type TEXT, or VARCHAR(n)
// for a sized one, after copying the file to a backup beside it ("<file>.bak", or
// "<file>.bak2", ... when taken). Numbers the old type made of stored texts become texts
// ("007" stored as 7 reads "7" as before). Nothing happens
// on a read-only connection or when every text column keeps text already. The backup's
// path, empty when nothing changed; raises EDatabaseError when the backup or the change
// fails.
std::string GiveTextColumnsTextAffinity(TSQLiteDatabase& db, const std::string& table);
// A CREATE TABLE statement with those columns' types changed, and the columns' names; no
// columns (and an empty statement) when none needs the change.
struct TTextAffinitySchema {
  std::string Sql;
  std::vector<std::string> Columns;
};
TTextAffinitySchema TextAffinitySchema(const std::string& CreateSql);
// Double-quoted SQL identifier.
std::string QuoteIdent(const std::string& name);
