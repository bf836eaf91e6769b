// File helpers: the configuration directory and atomic replacement of files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/desktop/Backend.h"
#include "platform/desktop/internal/Files.h"

namespace win::detail {

std::string& ConfigHomeOverride() {
  static std::string dir;
  return dir;
}

namespace {
// The manual-clock desktop runs tests: they get a directory of their own, removed at
// exit, so no test touches the user's real configuration or autostart entries.
std::string TestConfigHome() {
  static const std::string dir = [] {
    std::string d = "/tmp/vantrel-headless-" + std::to_string(::getpid());
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all("/tmp/vantrel-headless-" + std::to_string(::getpid()), ec);
    });
    return d;
  }();
  return dir;
}
}  // namespace

std::string ConfigHome() {
  if (!ConfigHomeOverride().empty()) return ConfigHomeOverride();
  if (const char* v = std::getenv("VANTREL_CONFIG_HOME"); v && *v == '/') return v;
  if (CurrentBackend().UsesManualClock()) return TestConfigHome();
  if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x == '/') return x;
  if (const char* h = std::getenv("HOME"); h && *h) return std::string(h) + "/.config";
  return "/tmp/vantrel-config";
}

bool MakeDirectories(const std::string& path) {
  if (path.empty()) return false;
  std::string cur;
  std::size_t pos = 0;
  while (pos != std::string::npos) {
    pos = path.find('/', pos + 1);
    cur = path.substr(0, pos);
    if (cur.empty()) continue;
    if (::mkdir(cur.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

namespace {
bool WriteAll(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += std::size_t(n);
  }
  return true;
}
}  // namespace

bool AtomicWriteFile(const std::string& path, const std::string& contents,
                     const std::function<bool(const std::string&)>& beforeRename) {
  std::size_t slash = path.rfind('/');
  std::string dir = slash == std::string::npos ? "." : path.substr(0, slash);
  if (!MakeDirectories(dir)) return false;
  std::string tmp = path + ".tmp." + std::to_string(::getpid());
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, contents) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok && beforeRename) ok = beforeRename(tmp);
  if (!ok || ::rename(tmp.c_str(), path.c_str()) != 0) {
    ::unlink(tmp.c_str());
    return false;
  }
  int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return true;
}

bool ReadWholeFile(const std::string& path, std::string* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  if (in.bad()) return false;
  *out = ss.str();
  return true;
}

}  // namespace win::detail
