#pragma once
// The files of a benchmark: a temporary directory of the process's own, removed when the
// process ends, and SQLite tables made in it once per process.
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <set>
#include <stdexcept>
#include <string>

namespace bench_files {

// "/tmp/vantrel-<Name>-bench-XXXXXX", made on first use.
inline const std::string& Dir(const std::string& Name) {
  static std::map<std::string, std::string> dirs;
  static struct TCleanUp {
    std::map<std::string, std::string>* Dirs;
    ~TCleanUp() {
      for (const auto& [name, dir] : *Dirs) std::filesystem::remove_all(dir);
    }
  } cleanUp{&dirs};
  std::string& dir = dirs[Name];
  if (!dir.empty()) return dir;
  std::string tmpl = "/tmp/vantrel-" + Name + "-bench-XXXXXX";
  if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  return dir = tmpl;
}

// The SQLite file File in Dir(Name), made by Sql (which creates and fills its tables)
// unless it was made before in this process.
inline std::string Database(const std::string& Name, const std::string& File, const std::string& Sql) {
  static std::set<std::string> made;
  const std::string path = Dir(Name) + "/" + File;
  if (made.count(path)) return path;
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  const int rc = sqlite3_exec(db, Sql.c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error("cannot make " + path);
  made.insert(path);
  return path;
}

}  // namespace bench_files
