// make-sample-db [PATH]
// Creates a sample snippet database (table "TSet") at PATH, by default "data.mdb"
// beside this executable. An existing file is never touched.
#include <sqlite3.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

// Column types are the names the data layer maps to its field classes.
const char* const kSchema =
    "CREATE TABLE \"TSet\" ("
    "\"ID\" INTEGER PRIMARY KEY AUTOINCREMENT, "
    "\"shift\" BOOLEAN, "
    "\"control\" BOOLEAN, "
    "\"alt\" BOOLEAN, "
    "\"win\" BOOLEAN, "
    "\"KeyIndex\" INTEGER, "
    "\"Content\" TEXT)";

// Key ordinals, as the program stores them (KeyIndex).
enum Key {
#define VANTREL_VIRTKEY(Name, Code) vk##Name,
#include "app/VirtKeys.inc"
#undef VANTREL_VIRTKEY
};

struct SampleRow {
  bool shift, control, alt, win;
  Key key;
  const char* content;
};

// Ctrl+Alt+Shift with a letter: X keeps Ctrl+Alt+F-keys (console switching) and
// Ctrl+Alt+Backspace for itself, and desktops and common programs bind Ctrl+Alt or
// Ctrl+Shift letters and most Super combinations.
const SampleRow kRows[] = {
    {true, true, true, false, vkH, "Hello from Vantrel!"},
    {true, true, true, false, vkN, "你好，世界！这是一段中文示例文本。"},
    {false, false, false, false, vkNone, "没有热键的片段 (this row has no hot key)"},
    {true, true, true, false, vkS, "Best regards,\nThe Vantrel user"},
    {true, true, true, false, vkE, "vantrel@example.com"},
};

std::string DefaultPath() {
  char buf[4096];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "data.mdb";
  std::string exe(buf, static_cast<size_t>(n));
  auto slash = exe.rfind('/');
  return slash == std::string::npos ? "data.mdb" : exe.substr(0, slash + 1) + "data.mdb";
}

bool Exec(sqlite3* db, const char* sql) {
  char* err = nullptr;
  if (sqlite3_exec(db, sql, nullptr, nullptr, &err) == SQLITE_OK) return true;
  std::fprintf(stderr, "make-sample-db: %s\n", err ? err : sqlite3_errmsg(db));
  sqlite3_free(err);
  return false;
}

bool Fill(sqlite3* db) {
  if (!Exec(db, "BEGIN") || !Exec(db, kSchema)) return false;
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db,
                         "INSERT INTO \"TSet\" (\"shift\", \"control\", \"alt\", \"win\", "
                         "\"KeyIndex\", \"Content\") VALUES (?, ?, ?, ?, ?, ?)",
                         -1, &st, nullptr) != SQLITE_OK) {
    std::fprintf(stderr, "make-sample-db: %s\n", sqlite3_errmsg(db));
    return false;
  }
  bool ok = true;
  for (const SampleRow& r : kRows) {
    sqlite3_bind_int(st, 1, r.shift);
    sqlite3_bind_int(st, 2, r.control);
    sqlite3_bind_int(st, 3, r.alt);
    sqlite3_bind_int(st, 4, r.win);
    sqlite3_bind_int(st, 5, r.key);
    sqlite3_bind_text(st, 6, r.content, -1, SQLITE_STATIC);
    if (sqlite3_step(st) != SQLITE_DONE) {
      std::fprintf(stderr, "make-sample-db: %s\n", sqlite3_errmsg(db));
      ok = false;
      break;
    }
    sqlite3_reset(st);
  }
  sqlite3_finalize(st);
  return ok && Exec(db, "COMMIT");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2) {
    std::fprintf(stderr, "usage: make-sample-db [PATH]\n");
    return 2;
  }
  const std::string path = argc == 2 ? argv[1] : DefaultPath();
  if (path.empty()) {
    std::fprintf(stderr, "make-sample-db: the path is empty\n");
    return 2;
  }

  // Claim the name atomically: an existing file (or anything else there) is left alone.
  int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  if (fd < 0) {
    if (errno == EEXIST)
      std::fprintf(stderr, "make-sample-db: %s already exists; it is left untouched\n",
                   path.c_str());
    else
      std::fprintf(stderr, "make-sample-db: cannot create %s: %s\n", path.c_str(),
                   std::strerror(errno));
    return 1;
  }
  close(fd);

  sqlite3* db = nullptr;
  bool ok = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
  if (!ok) std::fprintf(stderr, "make-sample-db: %s\n", db ? sqlite3_errmsg(db) : "out of memory");
  ok = ok && Fill(db);
  sqlite3_close(db);
  if (!ok) {
    unlink(path.c_str());  // leave no half-written database behind
    return 1;
  }
  std::printf("make-sample-db: wrote %s\n", path.c_str());
  return 0;
}
