// Runs the built make-sample-db tool and reads back what it wrote.
#include "app/GlobalHotKey.h"
#include "platform/data/ADODB.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <tuple>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The tool is built in <build>/tools; the test binary lives somewhere below <build>.
fs::path ToolPath() {
  for (fs::path d = fs::read_symlink("/proc/self/exe").parent_path(); d != d.root_path();
       d = d.parent_path())
    if (fs::exists(d / "tools" / "make-sample-db")) return d / "tools" / "make-sample-db";
  return "make-sample-db (not built)";
}

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

struct RunResult {
  int exitCode;
  std::string err;
};

class MakeSampleDbTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(ToolPath())) << ToolPath();
    char tmpl[] = "/tmp/vantrel-sampledb-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir = tmpl;
  }
  void TearDown() override { fs::remove_all(dir); }

  RunResult Run(const fs::path& tool, const std::vector<std::string>& args) {
    std::string cmd = Quote(tool.string());
    for (auto& a : args) cmd += " " + Quote(a);
    fs::path errFile = dir / "stderr.txt";
    cmd += " >/dev/null 2>" + Quote(errFile.string());
    int st = std::system(cmd.c_str());
    std::ifstream in(errFile);
    std::stringstream ss;
    ss << in.rdbuf();
    fs::remove(errFile);
    return {WIFEXITED(st) ? WEXITSTATUS(st) : -1, ss.str()};
  }

  fs::path dir;
};

struct Row {
  int id, shift, control, alt, win, keyIndex;
  std::string content;
};

std::vector<Row> ReadRows(const fs::path& db) {
  sqlite3* h = nullptr;
  std::vector<Row> rows;
  EXPECT_EQ(sqlite3_open_v2(db.c_str(), &h, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  sqlite3_stmt* st = nullptr;
  EXPECT_EQ(sqlite3_prepare_v2(h,
                               "SELECT ID, shift, control, alt, win, KeyIndex, Content "
                               "FROM TSet ORDER BY ID",
                               -1, &st, nullptr),
            SQLITE_OK);
  while (st && sqlite3_step(st) == SQLITE_ROW) {
    Row r{};
    r.id = sqlite3_column_int(st, 0);
    r.shift = sqlite3_column_int(st, 1);
    r.control = sqlite3_column_int(st, 2);
    r.alt = sqlite3_column_int(st, 3);
    r.win = sqlite3_column_int(st, 4);
    r.keyIndex = sqlite3_column_int(st, 5);
    r.content = reinterpret_cast<const char*>(sqlite3_column_text(st, 6));
    rows.push_back(r);
  }
  sqlite3_finalize(st);
  sqlite3_close(h);
  return rows;
}

// Declared column types, in table order.
std::vector<std::pair<std::string, std::string>> Columns(const fs::path& db) {
  sqlite3* h = nullptr;
  std::vector<std::pair<std::string, std::string>> cols;
  sqlite3_open_v2(db.c_str(), &h, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(h, "PRAGMA table_info(\"TSet\")", -1, &st, nullptr);
  while (st && sqlite3_step(st) == SQLITE_ROW)
    cols.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)),
                      reinterpret_cast<const char*>(sqlite3_column_text(st, 2)));
  sqlite3_finalize(st);
  sqlite3_close(h);
  return cols;
}

}  // namespace

TEST_F(MakeSampleDbTest, WritesTheSnippetTable) {
  fs::path db = dir / "data.mdb";
  RunResult r = Run(ToolPath(), {db.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;

  using Col = std::pair<std::string, std::string>;
  EXPECT_EQ(Columns(db), (std::vector<Col>{{"ID", "INTEGER"},
                                           {"shift", "BOOLEAN"},
                                           {"control", "BOOLEAN"},
                                           {"alt", "BOOLEAN"},
                                           {"win", "BOOLEAN"},
                                           {"KeyIndex", "INTEGER"},
                                           {"Content", "TEXT"}}));

  std::vector<Row> rows = ReadRows(db);
  ASSERT_GE(rows.size(), 3u);
  bool keyless = false, chinese = false;
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].id, static_cast<int>(i) + 1);
    EXPECT_GE(rows[i].keyIndex, 0);
    EXPECT_LE(rows[i].keyIndex, 102);
    for (int flag : {rows[i].shift, rows[i].control, rows[i].alt, rows[i].win})
      EXPECT_TRUE(flag == 0 || flag == 1);
    keyless |= rows[i].keyIndex == 0;
    chinese |= rows[i].content.find("你好") != std::string::npos;
  }
  EXPECT_TRUE(keyless) << "one row binds no key";
  EXPECT_TRUE(chinese) << "one row holds Chinese text";
}

TEST_F(MakeSampleDbTest, RefusesAnExistingFile) {
  fs::path db = dir / "data.mdb";
  { std::ofstream(db) << "not a database"; }
  RunResult r = Run(ToolPath(), {db.string()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(db.string()), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("already exists"), std::string::npos) << r.err;
  std::ifstream in(db);
  std::string content((std::istreambuf_iterator<char>(in)), {});
  EXPECT_EQ(content, "not a database");

  // A database the tool wrote itself is not overwritten on a second run either.
  fs::path second = dir / "second.mdb";
  ASSERT_EQ(Run(ToolPath(), {second.string()}).exitCode, 0);
  auto before = fs::file_size(second);
  size_t rows = ReadRows(second).size();
  EXPECT_EQ(Run(ToolPath(), {second.string()}).exitCode, 1);
  EXPECT_EQ(fs::file_size(second), before);
  EXPECT_EQ(ReadRows(second).size(), rows);
}

TEST_F(MakeSampleDbTest, ReportsAnUnwritablePathAndLeavesNothing) {
  fs::path db = dir / "missing-dir" / "data.mdb";
  RunResult r = Run(ToolPath(), {db.string()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("cannot create"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(db));
}

TEST_F(MakeSampleDbTest, DefaultsToDataMdbBesideTheExecutable) {
  fs::path copy = dir / "make-sample-db";
  fs::copy_file(ToolPath(), copy);
  fs::permissions(copy, fs::perms::owner_exec, fs::perm_options::add);
  RunResult r = Run(copy, {});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_FALSE(ReadRows(dir / "data.mdb").empty());
}

TEST_F(MakeSampleDbTest, TheDataLayerSeesTheSnippetFieldTypes) {
  fs::path db = dir / "data.mdb";
  ASSERT_EQ(Run(ToolPath(), {db.string()}).exitCode, 0);
  TADOConnection conn(nullptr);
  conn.SetLoginPrompt(false);
  conn.SetConnectionString("Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=" + db.string() +
                           ";Mode=Share Deny None");
  TADOTable table(nullptr);
  table.SetConnection(&conn);
  table.SetTableName("TSet");
  table.Open();
  struct Case {
    const char* field;
    TFieldType type;
  };
  const Case cases[] = {{"ID", ftAutoInc},      {"shift", ftBoolean},   {"control", ftBoolean},
                        {"alt", ftBoolean},     {"win", ftBoolean},     {"KeyIndex", ftInteger},
                        {"Content", ftMemo}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    TField* f = table.FieldByName(c.field);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->DataType(), c.type);
  }
  int rows = 0;
  for (; !table.Eof(); table.Next()) ++rows;
  EXPECT_EQ(static_cast<size_t>(rows), ReadRows(db).size());
  table.Close();
}

TEST_F(MakeSampleDbTest, KeyedRowsUseCombinationsLeftToPrograms) {
  fs::path db = dir / "data.mdb";
  ASSERT_EQ(Run(ToolPath(), {db.string()}).exitCode, 0);
  // Combinations the X server keeps (console switching, ending the server) or that
  // desktops and everyday programs take (terminal, lock screen, copy in terminals,
  // screenshots in chat programs): a row bound to one of them never fires, or steals it.
  struct Taken {
    bool shift, control, alt, win;
    TVirtKey key;
  };
  std::vector<Taken> taken = {{false, true, true, false, vkBack},  {false, true, true, false, vkDelete},
                              {false, true, true, false, vkT},     {false, true, true, false, vkL},
                              {false, true, true, false, vkD},     {false, true, true, false, vkA},
                              {true, true, false, false, vkC},     {true, true, false, false, vkV}};
  for (int f = vkF1; f <= vkF24; ++f) {
    taken.push_back({false, true, true, false, TVirtKey(f)});
    taken.push_back({true, true, true, false, TVirtKey(f)});  // some keymaps ignore Shift here
  }

  std::set<std::tuple<int, int, int, int, int>> seen;
  int keyed = 0;
  for (const Row& r : ReadRows(db)) {
    if (r.keyIndex == vkNone) continue;
    SCOPED_TRACE(r.content);
    ++keyed;
    for (const Taken& t : taken)
      EXPECT_FALSE(r.shift == t.shift && r.control == t.control && r.alt == t.alt && r.win == t.win &&
                   r.keyIndex == t.key)
          << VirtKeyNames[t.key];
    EXPECT_FALSE(r.win) << "desktops bind most Super combinations";
    EXPECT_TRUE(seen.insert({r.shift, r.control, r.alt, r.win, r.keyIndex}).second) << "used twice";
  }
  EXPECT_GE(keyed, 2);
}
