// Text columns whose declared type lacks text affinity (such as MEMO): SQLite stores a
// text that looks like a number in them as that number ("007" becomes 7). They are given
// text affinity by rewriting their declared type in the table's schema, after a backup.
#include "platform/data/SQLiteDatabase.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "platform/data/DataConvert.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

namespace {

enum class TAffinity { Text, Numeric, Integer, Real, Blob };

// SQLite's rules for the affinity of a declared type.
TAffinity AffinityOfDecl(const std::string& decl) {
  const std::string u = UpperCase(decl);
  auto has = [&u](const char* what) { return u.find(what) != std::string::npos; };
  if (has("INT")) return TAffinity::Integer;
  if (has("CHAR") || has("CLOB") || has("TEXT")) return TAffinity::Text;
  if (has("BLOB") || Trim(u).empty()) return TAffinity::Blob;
  if (has("REAL") || has("FLOA") || has("DOUB")) return TAffinity::Real;
  return TAffinity::Numeric;
}

struct TToken {
  enum Kind { Word, Quoted, Literal, Punct } Kind;
  std::size_t From, To;  // bytes of the statement, To past the end
  std::string Text;      // a word in upper case; a quoted name without its quotes
};

// The tokens of an SQL statement, comments and white space left out.
std::vector<TToken> Tokens(const std::string& s) {
  std::vector<TToken> out;
  std::size_t i = 0;
  const std::size_t n = s.size();
  auto wordChar = [](unsigned char c) { return std::isalnum(c) || c == '_' || c == '$' || c >= 0x80; };
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (std::isspace(c)) {
      ++i;
    } else if (c == '-' && i + 1 < n && s[i + 1] == '-') {
      i = s.find('\n', i);
      if (i == std::string::npos) i = n;
    } else if (c == '/' && i + 1 < n && s[i + 1] == '*') {
      const std::size_t e = s.find("*/", i + 2);
      i = e == std::string::npos ? n : e + 2;
    } else if (c == '"' || c == '`' || c == '[' || c == '\'') {
      const char close = c == '[' ? ']' : static_cast<char>(c);
      std::string text;
      std::size_t j = i + 1;
      while (j < n) {
        if (s[j] == close) {
          // A doubled quote stands for itself (not inside brackets).
          if (close != ']' && j + 1 < n && s[j + 1] == close) {
            text += close;
            j += 2;
            continue;
          }
          break;
        }
        text += s[j++];
      }
      out.push_back({c == '\'' ? TToken::Literal : TToken::Quoted, i, std::min(j + 1, n), text});
      i = std::min(j + 1, n);
    } else if (wordChar(c)) {
      std::size_t j = i;
      while (j < n && wordChar(static_cast<unsigned char>(s[j]))) ++j;
      out.push_back({TToken::Word, i, j, UpperCase(s.substr(i, j - i))});
      i = j;
    } else {
      out.push_back({TToken::Punct, i, i + 1, std::string(1, static_cast<char>(c))});
      ++i;
    }
  }
  return out;
}

bool IsConstraintWord(const TToken& t) {
  if (t.Kind != TToken::Word) return false;
  for (const char* w : {"CONSTRAINT", "PRIMARY", "NOT", "NULL", "UNIQUE", "CHECK", "DEFAULT", "COLLATE", "REFERENCES",
                        "GENERATED", "AS", "FOREIGN"})
    if (t.Text == w) return true;
  return false;
}

struct TTypeSpan {
  std::string Column;
  std::size_t From, To;  // the declared type's bytes; empty when the column has none
};

// Where each column's declared type stands in a CREATE TABLE statement.
std::vector<TTypeSpan> ColumnTypeSpans(const std::string& sql) {
  const std::vector<TToken> t = Tokens(sql);
  std::vector<TTypeSpan> out;
  std::size_t i = 0;
  while (i < t.size() && !(t[i].Kind == TToken::Punct && t[i].Text == "(")) {
    if (t[i].Kind == TToken::Word && t[i].Text == "AS") return out;  // CREATE TABLE ... AS SELECT
    ++i;
  }
  ++i;
  while (i < t.size()) {
    // One column definition or table constraint, up to a comma or the closing bracket.
    std::size_t end = i;
    int depth = 0;
    for (; end < t.size(); ++end) {
      if (t[end].Kind != TToken::Punct) continue;
      if (t[end].Text == "(") ++depth;
      else if (t[end].Text == ")" && depth-- == 0) break;
      else if (t[end].Text == "," && depth == 0) break;
    }
    if (end > i && (t[i].Kind == TToken::Word || t[i].Kind == TToken::Quoted) && !IsConstraintWord(t[i]) &&
        !(t[i].Kind == TToken::Word && t[i].Text == "PRIMARY")) {
      const std::string name = t[i].Kind == TToken::Word ? sql.substr(t[i].From, t[i].To - t[i].From) : t[i].Text;
      std::size_t k = i + 1;
      const std::size_t from = k < end ? t[k].From : t[i].To;
      std::size_t to = from;
      while (k < end && (t[k].Kind == TToken::Word || t[k].Kind == TToken::Quoted) && !IsConstraintWord(t[k]))
        to = t[k++].To;
      if (to != from && k < end && t[k].Kind == TToken::Punct && t[k].Text == "(") {
        int d = 0;
        for (; k < end; ++k) {
          if (t[k].Kind != TToken::Punct) continue;
          if (t[k].Text == "(") ++d;
          else if (t[k].Text == ")" && --d == 0) break;
        }
        if (k < end) to = t[k].To;
      }
      out.push_back({name, from, to});
    }
    if (end >= t.size() || t[end].Text == ")") break;
    i = end + 1;
  }
  return out;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

// A copy of the whole file beside it, under a name not yet taken: the copy's path.
std::string BackUp(TSQLiteDatabase& db) {
  std::string path = db.Path() + ".bak";
  for (int n = 2; FileExists(path); ++n) path = db.Path() + ".bak" + std::to_string(n);
  sqlite3* copy = nullptr;
  auto close = AtScopeExit([&copy] { sqlite3_close(copy); });
  int rc = sqlite3_open_v2(path.c_str(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (rc == SQLITE_OK) {
    sqlite3_backup* b = sqlite3_backup_init(copy, "main", db.Db(), "main");
    if (b) {
      sqlite3_backup_step(b, -1);
      sqlite3_backup_finish(b);
    }
    rc = sqlite3_errcode(copy);
  }
  if (rc != SQLITE_OK) {
    const std::string why = copy ? sqlite3_errmsg(copy) : "out of memory";
    std::remove(path.c_str());
    throw EDatabaseError("Cannot back up '" + db.Path() + "' to '" + path + "': " + why);
  }
  return path;
}

}  // namespace

TTextAffinitySchema TextAffinitySchema(const std::string& CreateSql) {
  // The new type keeps the field the column gives: TEXT for a memo, VARCHAR(n) for a
  // string of n characters.
  struct TChange {
    std::size_t From, To;
    std::string Type;
  };
  std::vector<TChange> changes;
  TTextAffinitySchema out;
  for (const TTypeSpan& span : ColumnTypeSpans(CreateSql)) {
    const std::string decl = CreateSql.substr(span.From, span.To - span.From);
    int size = 0;
    const TFieldType type = FieldTypeOfDecl(decl, false, size);
    if (type != ftMemo && type != ftWideString) continue;
    const TAffinity affinity = AffinityOfDecl(decl);
    if (affinity == TAffinity::Text || affinity == TAffinity::Blob) continue;
    changes.push_back({span.From, span.To, type == ftMemo ? "TEXT" : "VARCHAR(" + std::to_string(size) + ")"});
    out.Columns.push_back(span.Column);
  }
  if (changes.empty()) return out;
  out.Sql = CreateSql;
  for (auto c = changes.rbegin(); c != changes.rend(); ++c) out.Sql.replace(c->From, c->To - c->From, c->Type);
  return out;
}

std::string GiveTextColumnsTextAffinity(TSQLiteDatabase& db, const std::string& table) {
  if (sqlite3_db_readonly(db.Db(), "main") != 0) return {};
  std::string sql;
  {
    TSQLiteStatement st(db.Db(), "SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE");
    st.Bind(1, Variant(table), ftWideString);
    if (!st.Step()) return {};
    sql = VarToStr(st.Column(0, ftMemo));
  }
  const TTextAffinitySchema schema = TextAffinitySchema(sql);
  if (schema.Columns.empty()) return {};

  const std::string backup = BackUp(db);
  db.Exec("BEGIN IMMEDIATE");
  bool done = false;
  auto rollback = AtScopeExit([&] {
    if (!done) sqlite3_exec(db.Db(), "PRAGMA writable_schema = OFF; ROLLBACK", nullptr, nullptr, nullptr);
  });
  std::int64_t version = 0;
  {
    TSQLiteStatement st(db.Db(), "PRAGMA schema_version");
    if (st.Step()) version = st.ColumnInt64(0);
  }
  db.Exec("PRAGMA writable_schema = ON");
  {
    TSQLiteStatement st(db.Db(), "UPDATE sqlite_master SET sql = ? WHERE type = 'table' AND name = ? COLLATE NOCASE");
    st.Bind(1, Variant(schema.Sql), ftMemo);
    st.Bind(2, Variant(table), ftWideString);
    st.Step();
  }
  db.Exec("PRAGMA schema_version = " + std::to_string(version + 1));
  db.Exec("PRAGMA writable_schema = OFF");
  // Numbers the old type made of texts become texts again, as a text column holds them.
  for (const std::string& c : schema.Columns)
    db.Exec("UPDATE " + QuoteIdent(table) + " SET " + QuoteIdent(c) + " = CAST(" + QuoteIdent(c) +
            " AS TEXT) WHERE typeof(" + QuoteIdent(c) + ") IN ('integer', 'real')");
  db.Exec("COMMIT");
  done = true;
  return backup;
}
