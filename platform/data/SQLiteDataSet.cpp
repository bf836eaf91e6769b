// TSQLiteDataSet: tables by row id, queries read once, writes in transactions.
#include "platform/data/SQLiteDataSet.h"

#include <sqlite3.h>

#include <algorithm>
#include <exception>
#include <cctype>

#include "platform/data/DataConvert.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

namespace {

const char* const RowIdColumn = "vantrel_rowid__";
const char* const RowNotInsertedText = "The row was not inserted: the table's rules ignored it.";

// Where the word w (upper case) stands alone in u, npos when it does not.
size_t FindWord(const std::string& u, const char* w) {
  size_t p = 0, n = std::strlen(w);
  while ((p = u.find(w, p)) != std::string::npos) {
    bool before = p == 0 || !std::isalnum(static_cast<unsigned char>(u[p - 1]));
    bool after = p + n >= u.size() || !std::isalnum(static_cast<unsigned char>(u[p + n]));
    if (before && after) return p;
    p += n;
  }
  return std::string::npos;
}

// The table of a plain "SELECT ... FROM name ..." over one table; empty for anything else.
std::string SingleTableOf(const std::string& sql) {
  std::string u = UpperCase(sql);
  auto word = [&](const char* w) { return FindWord(u, w); };
  size_t start = u.find_first_not_of(" \t\r\n");
  if (start == std::string::npos || u.compare(start, 6, "SELECT") != 0) return {};
  for (const char* w : {"JOIN", "UNION", "GROUP", "DISTINCT", "INTERSECT", "EXCEPT"})
    if (word(w) != std::string::npos) return {};
  size_t from = word("FROM");
  if (from == std::string::npos) return {};
  size_t p = sql.find_first_not_of(" \t\r\n", from + 4);
  if (p == std::string::npos) return {};
  std::string name;
  if (sql[p] == '"' || sql[p] == '[' || sql[p] == '`') {
    char close = sql[p] == '[' ? ']' : sql[p];
    size_t e = sql.find(close, p + 1);
    if (e == std::string::npos) return {};
    name = sql.substr(p + 1, e - p - 1);
    p = e + 1;
  } else {
    size_t e = p;
    while (e < sql.size() && (std::isalnum(static_cast<unsigned char>(sql[e])) || sql[e] == '_')) ++e;
    name = sql.substr(p, e - p);
    p = e;
  }
  size_t next = sql.find_first_not_of(" \t\r\n", p);
  if (next != std::string::npos && sql[next] == ',') return {};
  return name;
}

}  // namespace

TSQLiteDataSet::TSQLiteDataSet(TComponent* AOwner)
    : TRowDataSet(AOwner), FStatement(std::make_unique<TStringList>()) {
  // A changed statement closes the dataset.
  FStatement->SetOnChange(TNotifyEvent([this](TObject*) {
    if (Active()) Close();
  }));
}
TSQLiteDataSet::~TSQLiteDataSet() {
  CloseOnDestroy();
  SetConnectionComponent(nullptr);
}

void TSQLiteDataSet::SetConnectionComponent(TCustomConnection* v) {
  if (v == FConnection) return;
  if (!ComponentState().Contains(csDestroying)) CheckInactive();
  if (FConnection) {
    FConnection->UnRegisterClient(this);
    FConnection->RemoveFreeNotification(this);
  }
  FConnection = v;
  if (v) {
    v->FreeNotification(this);
    v->RegisterClient(this);
  }
}

void TSQLiteDataSet::SetSourceText(const std::string& v) {
  if (FRowSource == rsTable) CheckInactive();
  else if (Active()) Close();
  FSourceText = v;
}

std::string TSQLiteDataSet::TableNameForData() const {
  if (FRowSource == rsTable) {
    if (FSourceText.empty()) Error("Missing TableName property");
    return FSourceText;
  }
  std::string t = Trim(FSourceText);
  if (FRowSource == rsStatement || t.empty() || t.find_first_of(" \t\r\n(") != std::string::npos) return {};
  return t;
}

std::string TSQLiteDataSet::SelectText() const {
  return FRowSource == rsStatement ? FStatement->Text() : FSourceText;
}

void TSQLiteDataSet::Notification(TComponent* AComponent, TOperation Operation) {
  TRowDataSet::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FConnection) {
    Close();
    FConnection = nullptr;
  }
}

TSQLiteDatabase* TSQLiteDataSet::ConnectedDatabase() {
  if (!FConnection) Error(MissingConnectionText());
  return FConnection->Database();
}

void TSQLiteDataSet::NoSQLError() const {
  throw EDatabaseError(ClassName() + " is not SQL based dataset");
}

bool TSQLiteDataSet::CanModify() const { return !FTable.empty(); }

void TSQLiteDataSet::DefineFromTable(TSQLiteDatabase* db, const std::string& table) {
  TSQLiteStatement info(db->Db(), "PRAGMA table_info(" + QuoteIdent(table) + ")");
  struct TCol {
    std::string Name, Type;
    bool NotNull;
    int Pk;
  };
  std::vector<TCol> cols;
  int pkCount = 0;
  while (info.Step()) {
    TCol c{info.Column(1, ftString).AsString(), VarToStr(info.Column(2, ftString)), info.ColumnInt64(3) != 0,
           static_cast<int>(info.ColumnInt64(5))};
    if (c.Pk > 0) ++pkCount;
    cols.push_back(c);
  }
  if (cols.empty()) Error("Table '" + table + "' not found");
  FieldDefs().Clear();
  FColumns.clear();
  FRowIdColumn = -1;
  for (const TCol& c : cols) {
    // An INTEGER PRIMARY KEY is the row id: the engine numbers new rows.
    bool rowId = c.Pk == 1 && pkCount == 1 && AnsiSameText(Trim(c.Type), "INTEGER");
    if (rowId) FRowIdColumn = static_cast<int>(FColumns.size());
    int size = 0;
    TFieldType type = FieldTypeOfDecl(c.Type, rowId, size);
    TFieldDef* d = FieldDefs().Add(c.Name, type, type == ftWideString ? size : 0, c.NotNull && !rowId);
    if (type == ftAutoInc) d->SetAttributes({faReadonly});
    FColumns.push_back(c.Name);
  }
}

void TSQLiteDataSet::InternalInitFieldDefs() {
  TSQLiteDatabase* db = ConnectedDatabase();
  std::string table = TableNameForData();
  if (!table.empty()) {
    DefineFromTable(db, table);
    return;
  }
  std::string sql = SelectText();
  if (Trim(sql).empty()) Error("No SQL statement available");
  TSQLiteStatement st(db->Db(), sql);
  FieldDefs().Clear();
  for (int i = 0; i < st.ColumnCount(); ++i) {
    int size = 0;
    TFieldType type = FieldTypeOfDecl(st.ColumnDeclType(i), false, size);
    FieldDefs().Add(st.ColumnName(i), type, type == ftWideString ? size : 0);
  }
}

void TSQLiteDataSet::OpenEngine() {
  FDb = ConnectedDatabase();
  FPager.reset();
  std::string table = TableNameForData();
  FTableMode = !table.empty();
  if (FTableMode) {
    // Texts written through the table read back as written, whatever its declared types.
    GiveTextColumnsTextAffinity(*FDb, table);
    DefineFromTable(FDb, table);
    FTable = table;
    std::string cols;
    for (const std::string& c : FColumns) cols += (cols.empty() ? "" : ", ") + QuoteIdent(c);
    FFetch.Sql = "SELECT " + cols + " FROM " + QuoteIdent(table) + " WHERE rowid = ?";
    FFetch.Statement.reset();
    FEngineWhere = EngineFilterWhere();
    PrepareKeyset();
    FSeg.clear();
    FSegAtStart = true;
    FSegAtEnd = false;
    FSegFirstPos = 0;
    FSegCur = -1;
  } else {
    ReadQuery(FDb);
  }
  ParseSort(FSort);
}

void TSQLiteDataSet::ReadQuery(TSQLiteDatabase* db) {
  std::string sql = SelectText();
  if (Trim(sql).empty()) Error("No SQL statement available");
  std::string base = SingleTableOf(sql);
  auto st = std::make_unique<TSQLiteStatement>(db->Db(), sql);
  struct TTableColumn {
    std::string Name;
    bool RowId;
  };
  std::vector<TTableColumn> tableCols;
  if (!base.empty()) {
    TSQLiteStatement info(db->Db(), "PRAGMA table_info(" + QuoteIdent(base) + ")");
    int pkCount = 0;
    while (info.Step()) {
      const int pk = static_cast<int>(info.ColumnInt64(5));
      if (pk > 0) ++pkCount;
      tableCols.push_back({info.Column(1, ftString).AsString(),
                           pk == 1 && AnsiSameText(Trim(VarToStr(info.Column(2, ftString))), "INTEGER")});
    }
    if (pkCount != 1)
      for (TTableColumn& c : tableCols) c.RowId = false;
  }
  // The rows are named by their row id, so that edits can be written back to the table: a
  // column that is the table's row id (its INTEGER PRIMARY KEY) names them already;
  // otherwise the row id is read too, ahead of the columns.
  int rowIdColumn = -1, injectedColumn = -1;
  for (int i = 0; !base.empty() && i < st->ColumnCount() && rowIdColumn < 0; ++i) {
    const char* table = sqlite3_column_table_name(st->Handle(), i);
    const char* origin = sqlite3_column_origin_name(st->Handle(), i);
    if (!table || !origin || !AnsiSameText(table, base)) continue;
    for (const TTableColumn& c : tableCols)
      if (c.RowId && AnsiSameText(c.Name, origin)) rowIdColumn = i;
  }
  std::string rowSql = sql;
  if (!base.empty() && rowIdColumn < 0) {
    // After the statement's own columns, so that an ORDER BY by column number still
    // counts them as written.
    const size_t from = FindWord(UpperCase(sql), "FROM");
    std::string injected = sql.substr(0, from) + ", rowid AS " + RowIdColumn + " " + sql.substr(from);
    try {
      st = std::make_unique<TSQLiteStatement>(db->Db(), injected);
      rowSql = injected;
      rowIdColumn = injectedColumn = st->ColumnCount() - 1;
    } catch (const EDatabaseError&) {
      base.clear();
    }
  }
  FieldDefs().Clear();
  FColumnTypes.clear();
  FQueryColumns.clear();
  for (int i = 0; i < st->ColumnCount(); ++i) {
    if (i == injectedColumn) continue;
    int size = 0;
    std::string decl = st->ColumnDeclType(i);
    TFieldType type = FieldTypeOfDecl(decl, false, size);
    std::string name = st->ColumnName(i);
    if (FieldDefs().IndexOf(name) >= 0) name += "_" + std::to_string(i);
    FieldDefs().Add(name, type, type == ftWideString ? size : 0);
    FColumnTypes.push_back(type);
    FQueryColumns.push_back(i);
  }
  FColumns.clear();
  for (int i = 0; i < FieldDefs().Count(); ++i) FColumns.push_back(FieldDefs().Items(i)->Name());
  // Rows of a query that does not order or limit them itself may be read in row id order,
  // found window by window by their row ids.
  FQueryKeyName.clear();
  const std::string upper = UpperCase(sql);
  if (rowIdColumn >= 0 && FindWord(upper, "ORDER") == std::string::npos &&
      FindWord(upper, "LIMIT") == std::string::npos) {
    const std::string key = st->ColumnName(rowIdColumn);
    bool unique = true;
    for (int i = 0; i < st->ColumnCount(); ++i)
      if (i != rowIdColumn && AnsiSameText(st->ColumnName(i), key)) unique = false;
    if (unique) FQueryKeyName = QuoteIdent(key);
  }
  FQueryColumnNames.clear();
  for (int i = 0; i < st->ColumnCount(); ++i) FQueryColumnNames.push_back(st->ColumnName(i));
  st.reset();
  FQuerySql = rowSql;
  FQueryRowIdColumn = rowIdColumn;
  OpenPager();
  // Only plain columns of the table can be written back.
  FTable = base;
  for (const std::string& c : FColumns)
    if (std::none_of(tableCols.begin(), tableCols.end(),
                     [&](const TTableColumn& t) { return AnsiSameText(t.Name, c); }))
      FTable.clear();
}

void TSQLiteDataSet::CloseEngine() {
  FWalk = nullptr;
  FLastRowWrite = {};
  FWriteStatements.clear();
  std::exception_ptr failed;
  try {
    EndHeldWrites();
  } catch (const EDatabaseError&) {
    if (!ComponentState().Contains(csDestroying)) failed = std::current_exception();
  }
  for (TLazyStatement* s : {&FFetch, &FNextKeys, &FPriorKeys, &FLastKeys, &FExists, &FNthKey, &FBatchForward,
                            &FBatchBackward, &FNextRows})
    s->Statement.reset();
  FFirstRows.reset();
  ReleaseBatch();
  FSeg.clear();
  FTotal = -1;
  FPager.reset();
  FQueryCur = -1;
  FTable.clear();
  FDb = nullptr;
  if (failed) std::rethrow_exception(failed);
}

bool TSQLiteDataSet::FilterNeedsRows() const {
  if (!Filtered()) return false;
  if (OnFilterRecord()) return true;
  return FEngineWhere.empty() && !Trim(Filter()).empty();
}

std::string TSQLiteDataSet::EngineFilterWhere() const {
  if (!Filtered() || OnFilterRecord() || Trim(Filter()).empty()) return {};
  TFilterExpr expr(Filter());
  std::string where;
  const bool ok = expr.ToSQL(
      [&](const std::string& name, std::string& column, TFieldType& type) {
        const int def = FieldDefs().IndexOf(name);
        if (def < 0) return false;
        type = FieldDefs().Items(def)->DataType();
        if (FTableMode) {
          column = QuoteIdent(FColumns[static_cast<std::size_t>(def)]);
          return true;
        }
        // A query's column by its name in the statement, when that names one column only.
        const std::string& own = FQueryColumnNames[static_cast<std::size_t>(FQueryColumns[static_cast<std::size_t>(def)])];
        int uses = 0;
        for (const std::string& n : FQueryColumnNames) uses += AnsiSameText(n, own) ? 1 : 0;
        if (uses != 1) return false;
        column = QuoteIdent(own);
        return true;
      },
      where);
  return ok ? where : std::string();
}

bool TSQLiteDataSet::EngineKeeps(std::int64_t key) {
  if (FEngineWhere.empty() || !FTableMode) return true;
  TSQLiteStatement st(FDb->Db(), "SELECT 1 FROM " + QuoteIdent(FTable) + " WHERE rowid = ? AND " + FEngineWhere);
  st.BindInt64(1, key);
  return st.Step();
}

std::vector<TSQLiteDataSet::TSortItem> TSQLiteDataSet::ParseSort(const std::string& text) const {
  std::vector<TSortItem> items;
  size_t start = 0;
  while (start < text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    std::string part = Trim(text.substr(start, comma - start));
    start = comma + 1;
    if (part.empty()) continue;
    bool desc = false;
    std::string upper = UpperCase(part);
    auto endsWith = [&](const char* w) {
      size_t n = std::strlen(w);
      return upper.size() > n && upper.compare(upper.size() - n, n, w) == 0 &&
             std::isspace(static_cast<unsigned char>(upper[upper.size() - n - 1]));
    };
    if (endsWith("DESC")) {
      desc = true;
      part = Trim(part.substr(0, part.size() - 4));
    } else if (endsWith("ASC")) {
      part = Trim(part.substr(0, part.size() - 3));
    }
    if (part.size() >= 2 && part.front() == '[' && part.back() == ']') part = part.substr(1, part.size() - 2);
    int def = FieldDefs().IndexOf(part);
    if (def < 0) Error("Field '" + part + "' not found");
    items.push_back({def, desc});
  }
  return items;
}

void TSQLiteDataSet::SetSortText(const std::string& v) {
  if (v == FSort) return;
  if (!Active()) {
    FSort = v;
    return;
  }
  ParseSort(v);
  CheckBrowseMode();
  std::string old = FSort;
  std::int64_t key = ActiveKey();
  FSort = v;
  {
    auto undo = AtScopeFailure([&] {
      FSort = old;
      Reposition(key);
    });
    Reposition(key);
  }
  Resync({});
}

std::vector<std::int64_t> TSQLiteDataSet::LoadOrder() {
  std::vector<TSortItem> sort = ParseSort(FSort);
  std::vector<std::int64_t> order;
  if (KeysetMode()) return order;
  if (FTableMode) {
    std::string sql = "SELECT rowid FROM " + QuoteIdent(FTable) + (FEngineWhere.empty() ? "" : " WHERE " + FEngineWhere) +
                      " ORDER BY ";
    for (const TSortItem& s : sort) sql += QuoteIdent(FColumns[static_cast<size_t>(s.Def)]) + (s.Desc ? " DESC, " : ", ");
    sql += "rowid";
    TSQLiteStatement st(FDb->Db(), sql);
    while (st.Step()) order.push_back(st.ColumnInt64(0));
    return order;
  }
  // A filtered query: the keys of the rows (in sorted order when sorted), which the
  // filter then thins out.
  if (PagedMode() || !FPager) return order;
  for (std::int64_t pos = 0; FPager->Load(pos); ++pos) order.push_back(QueryKeyAt(pos));
  return order;
}

bool TSQLiteDataSet::LoadRowValues(std::int64_t key, std::vector<Variant>& values) {
  if (!FTableMode) {
    std::int64_t pos = QueryRowOf(key);
    // Rows another program deleted move the rows after them up: a row found where
    // another one stands now is looked for again in the rows as they are.
    if (QueryKeys() && pos >= 0 && !(FPager->Load(pos) && FPager->RowId(pos) == key)) {
      FPager->Reset();
      pos = QueryRowOf(key);
    }
    if (!FPager->Load(pos)) return false;
    // Handed over, so that the row is read again, as it is then, when next asked for.
    if (values.size() == FColumnTypes.size()) return FPager->Take(pos, values);
    const auto& row = FPager->Values(pos);
    for (size_t i = 0; i < values.size() && i < row.size(); ++i) values[i] = row[i];
    return true;
  }
  if (KeysetMode()) {
    std::int64_t row = LoadBatchRow(key);
    if (row >= 0) {
      // Rows are mostly shown once as the cursor passes: the values are handed over, not
      // copied, and the batch keeps what it gets back for the next read.
      std::vector<Variant>& batch = FBatchValues[static_cast<std::size_t>(row)];
      if (batch.size() == values.size()) {
        values.swap(batch);
      } else {
        for (std::size_t i = 0; i < values.size() && i < batch.size(); ++i) values[i].Swap(batch[i]);
      }
      FBatchTaken[static_cast<std::size_t>(row)] = 1;
      return true;
    }
  }
  TSQLiteStatement& fetch = Prepared(FFetch);
  fetch.Reset();
  fetch.BindInt64(1, key);
  const bool found = fetch.Step();
  if (found) {
    for (size_t i = 0; i < values.size(); ++i)
      values[i] = fetch.Column(static_cast<int>(i), FieldDefs().Items(static_cast<int>(i))->DataType());
  }
  fetch.Reset();
  return found;
}

void TSQLiteDataSet::CheckRowPresent(std::int64_t key) {
  if (FTable.empty()) return;  // nothing is written through a dataset without a table
  TSQLiteStatement st(FDb->Db(), "SELECT 1 FROM " + QuoteIdent(FTable) + " WHERE rowid = ?");
  st.BindInt64(1, BaseRowId(key));
  if (!st.Step()) throw EDatabaseError(RowNotLocatedText);
}

bool TSQLiteDataSet::TakeRowValues(std::int64_t key, std::vector<Variant>& slots,
                                   const std::vector<std::pair<int, int>>& dataMap) {
  if (FPager)
    return PagedMode() && WholeRowRecords() && slots.size() == FColumnTypes.size() && FPager->Take(QueryRowOf(key), slots);
  if (!FTableMode || !KeysetMode()) return false;
  std::int64_t row = LoadBatchRow(key);
  if (row < 0) return false;
  std::vector<Variant>& batch = FBatchValues[static_cast<std::size_t>(row)];
  const std::size_t n = batch.size();
  if (WholeRowRecords() && slots.size() == n) {
    slots.swap(batch);
  } else {
    for (auto [slot, def] : dataMap) {
      Variant& v = slots[static_cast<std::size_t>(slot)];
      if (static_cast<std::size_t>(def) < n) v.Swap(batch[static_cast<std::size_t>(def)]);
      else v.SetNull();
    }
  }
  FBatchTaken[static_cast<std::size_t>(row)] = 1;
  return true;
}

std::int64_t TSQLiteDataSet::BaseRowId(std::int64_t key) const {
  // A query that is written to has row ids: its keys.
  return key;
}

template <class Write>
void TSQLiteDataSet::RunWrite(const Write& write, bool OneStatement) {
  if (FTable.empty()) Error("Cannot modify a read-only dataset");
  // A running statement lets go of the file before it is written.
  if (FPager) FPager->Reset();
  StopWalk();
  // In a write batch the writes share one transaction, committed when the batch ends;
  // each write still stands or falls alone inside it.
  const bool shared = FHeldWrites || (FWriteBatches > 0 && sqlite3_get_autocommit(FDb->Db()));
  const bool savepoint = shared && !OneStatement;
  try {
    if (shared && !FHeldWrites) {
      FDb->Exec("BEGIN IMMEDIATE");
      FHeldWrites = true;
    }
    if (savepoint) RunWriteStatement("SAVEPOINT vantrel_write");
    else if (!shared) FDb->Exec("BEGIN IMMEDIATE");
  } catch (const EDatabaseError& e) {
    Error(e.Message());
  }
  bool located = false;
  try {
    located = write();
    if (savepoint && !located) RunWriteStatement("ROLLBACK TO vantrel_write");
    if (savepoint) RunWriteStatement("RELEASE vantrel_write");
    else if (!shared) FDb->Exec(located ? "COMMIT" : "ROLLBACK");
  } catch (const EDatabaseError& e) {
    try {
      if (savepoint) FDb->Exec("ROLLBACK TO vantrel_write; RELEASE vantrel_write");
      else if (!shared) FDb->Exec("ROLLBACK");
    } catch (...) {
    }
    Error(e.Message());
  }
  if (!located) throw EDatabaseError(RowNotLocatedText);
}

TSQLiteStatement& TSQLiteDataSet::WriteStatement(const std::string& Sql) {
  std::unique_ptr<TSQLiteStatement>& made = FWriteStatements[Sql];
  if (!made) made = std::make_unique<TSQLiteStatement>(FDb->Db(), Sql);
  made->Reset();
  return *made;
}

void TSQLiteDataSet::RunWriteStatement(const std::string& Sql) {
  TSQLiteStatement& st = WriteStatement(Sql);
  st.Step();
  st.Reset();
}

void TSQLiteDataSet::EndHeldWrites() {
  if (!FHeldWrites) return;
  FHeldWrites = false;
  if (!FDb || sqlite3_get_autocommit(FDb->Db())) return;
  // The connection stays usable; the caller learns that the writes were lost.
  auto rollBackOnFailure = AtScopeFailure([this] { FDb->Exec("ROLLBACK"); });
  FDb->Exec("COMMIT");
}

void TSQLiteDataSet::EndWriteBatch() {
  if (FWriteBatches > 0 && --FWriteBatches == 0) EndHeldWrites();
}

bool TSQLiteDataSet::RowStillHolds(std::int64_t rowId, const std::vector<size_t>& cols,
                                   const std::vector<Variant>& oldValues) {
  if (oldValues.empty()) return true;
  std::string list;
  for (size_t c : cols) list += (list.empty() ? "" : ", ") + QuoteIdent(FColumns[c]);
  TSQLiteStatement st(FDb->Db(), "SELECT " + list + " FROM " + QuoteIdent(FTable) + " WHERE rowid = ?");
  st.BindInt64(1, rowId);
  if (!st.Step()) return false;
  // Compared as the fields read them, so a value stored in another form ("no" for
  // false) still counts as the value read.
  for (size_t k = 0; k < cols.size(); ++k) {
    TFieldType type = FieldDefs().Items(static_cast<int>(cols[k]))->DataType();
    if (!SameFieldValue(st.Column(static_cast<int>(k), type), oldValues[cols[k]])) return false;
  }
  return true;
}

TSQLiteStatement& TSQLiteDataSet::RowWriteStatement(bool Insert, const std::vector<size_t>& cols) {
  // The write that used it last reset it.
  if (FLastRowWrite.Statement && FLastRowWrite.Insert == Insert && FLastRowWrite.Cols == cols)
    return *FLastRowWrite.Statement;
  std::string sql;
  if (Insert) {
    std::string names, marks;
    for (size_t c : cols) {
      names += (names.empty() ? "" : ", ") + QuoteIdent(FColumns[c]);
      marks += marks.empty() ? "?" : ", ?";
    }
    sql = cols.empty() ? "INSERT INTO " + QuoteIdent(FTable) + " DEFAULT VALUES"
                       : "INSERT INTO " + QuoteIdent(FTable) + " (" + names + ") VALUES (" + marks + ")";
  } else {
    std::string sets;
    for (size_t c : cols) sets += (sets.empty() ? "" : ", ") + QuoteIdent(FColumns[c]) + " = ?";
    sql = "UPDATE " + QuoteIdent(FTable) + " SET " + sets + " WHERE rowid = ?";
  }
  TSQLiteStatement& st = WriteStatement(sql);
  FLastRowWrite = {Insert, cols, &st};
  return st;
}

std::int64_t TSQLiteDataSet::WriteRow(std::int64_t key, const std::vector<Variant>& values,
                                      const std::vector<bool>& present, std::int64_t,
                                      const std::vector<Variant>& oldValues) {
  ClearBatch();
  std::vector<size_t>& cols = FWriteCols;
  cols.clear();
  for (size_t i = 0; i < values.size(); ++i) {
    if (!present[i]) continue;
    // The engine numbers new rows; a row id is never rewritten.
    if (FieldDefs().Items(static_cast<int>(i))->DataType() == ftAutoInc &&
        (key >= 0 || values[i].IsNull() || values[i].IsEmpty()))
      continue;
    cols.push_back(i);
  }
  // An edit whose changes are all in columns never written (the row id) writes nothing.
  if (key >= 0 && cols.empty()) {
    CheckRowPresent(key);
    return key;
  }
  // A query's row is named by its row id, read before the write lets go of the rows.
  const std::int64_t baseId = key >= 0 ? BaseRowId(key) : -1;
  std::int64_t rowId = -1;
  RunWrite(
      [&] {
        // Only where the row still holds what was read of the columns written: another
        // program may have changed or deleted it since.
        if (key >= 0 && !RowStillHolds(baseId, cols, oldValues)) return false;
        TSQLiteStatement& st = RowWriteStatement(key < 0, cols);
        int n = 1;
        // The texts are bound from FBindTexts, which holds them until the reset.
        auto release = AtScopeExit([&] { st.Reset(); });
        if (FBindTexts.size() < cols.size()) FBindTexts.resize(cols.size());
        for (size_t c : cols) {
          st.BindHeld(n, values[c], FieldDefs().Items(static_cast<int>(c))->DataType(),
                      FBindTexts[static_cast<size_t>(n - 1)]);
          ++n;
        }
        if (key >= 0) st.BindInt64(n, baseId);
        st.Step();
        // A new row the table's own rules dropped (a conflict clause that ignores it, a
        // trigger raising IGNORE) was not written, and the last row id names another row.
        if (key < 0 && FDb->Changes() == 0) throw EDatabaseError(RowNotInsertedText);
        if (key >= 0 && FDb->Changes() == 0) return false;
        rowId = key < 0 ? FDb->LastInsertRowId() : baseId;
        return true;
      },
      true);
  if (FTableMode) return rowId;
  return rowId;
}

void TSQLiteDataSet::EraseRow(std::int64_t key) {
  ClearBatch();
  const std::int64_t baseId = BaseRowId(key);
  RunWrite([&] {
    TSQLiteStatement st(FDb->Db(), "DELETE FROM " + QuoteIdent(FTable) + " WHERE rowid = ?");
    st.BindInt64(1, baseId);
    st.Step();
    return FDb->Changes() != 0;  // another program deleted it first
  });
}
