// The registry store, the autostart entry of the Run key, and the named mutex.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "tests/platform/desktop/Recorder.h"

using namespace win;
namespace fs = std::filesystem;

namespace {

// Runs fn in a child process and returns its exit code.
int InChild(const std::function<int()>& fn) {
  pid_t pid = fork();
  if (pid == 0) _exit(fn());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class RegistryTest : public rec::DesktopTest {
protected:
  void SetUp() override {
    rec::DesktopTest::SetUp();
    char tmpl[] = "/tmp/vantrel-reg-XXXXXX";
    dir = mkdtemp(tmpl);
    headless::SetConfigHome(dir);
  }
  void TearDown() override {
    headless::SetRegistryWriteHook(nullptr);
    headless::SetConfigHome("");
    fs::remove_all(dir);
    rec::DesktopTest::TearDown();
  }
  LSTATUS SetString(HKEY k, const char* name, const std::string& v) {
    return RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()), DWORD(v.size() + 1));
  }
  std::string GetString(HKEY k, const char* name) {
    char buf[256] = {};
    DWORD size = sizeof buf, type = 0;
    if (RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != 0) return "<missing>";
    return buf;
  }
  HKEY Create(HKEY root, const char* path) {
    HKEY k = nullptr;
    EXPECT_EQ(RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr), 0);
    return k;
  }
  static std::string Slurp(const fs::path& p) {
    std::ifstream in(p);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  std::string dir;
};

TEST_F(RegistryTest, ValuesSurviveAReopenOfTheStore) {
  HKEY k = Create(HKEY_CURRENT_USER, "Software\\Microsoft\\Quenlar\\GridSave\\Main");
  ASSERT_EQ(SetString(k, "Widths", "10,20,30"), 0);
  DWORD n = 42;
  ASSERT_EQ(RegSetValueExA(k, "Count", 0, REG_DWORD, reinterpret_cast<BYTE*>(&n), 4), 0);
  const BYTE bin[] = {0, 1, 2, 0xFF};
  ASSERT_EQ(RegSetValueExA(k, "Blob", 0, REG_BINARY, bin, 4), 0);
  RegCloseKey(k);
  headless::ReloadRegistry();
  HKEY r = nullptr;
  // Key names are case-insensitive.
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "software\\MICROSOFT\\quenlar\\gridsave\\main", 0, KEY_READ, &r), 0);
  EXPECT_EQ(GetString(r, "widths"), "10,20,30");
  DWORD type = 0, value = 0, size = 4;
  ASSERT_EQ(RegQueryValueExA(r, "Count", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), 0);
  EXPECT_EQ(type, REG_DWORD);
  EXPECT_EQ(value, 42u);
  BYTE got[8];
  size = 2;
  EXPECT_EQ(RegQueryValueExA(r, "Blob", nullptr, &type, got, &size), LSTATUS(ERROR_MORE_DATA));
  EXPECT_EQ(size, 4u);
  size = sizeof got;
  ASSERT_EQ(RegQueryValueExA(r, "Blob", nullptr, &type, got, &size), 0);
  EXPECT_EQ(std::vector<BYTE>(got, got + 4), std::vector<BYTE>(bin, bin + 4));
  // Enumeration of values, in the order written, and of subkeys.
  char name[32];
  DWORD nameSize = sizeof name;
  ASSERT_EQ(RegEnumValueA(r, 1, name, &nameSize, nullptr, nullptr, nullptr, nullptr), 0);
  EXPECT_STREQ(name, "Count");
  nameSize = sizeof name;
  EXPECT_EQ(RegEnumValueA(r, 3, name, &nameSize, nullptr, nullptr, nullptr, nullptr), LSTATUS(ERROR_NO_MORE_ITEMS));
  RegCloseKey(r);
  HKEY parent = nullptr;
  RegOpenKeyExA(HKEY_CURRENT_USER, "\\Software\\Microsoft\\Quenlar", 0, KEY_READ, &parent);  // leading backslash
  ASSERT_NE(parent, nullptr);
  nameSize = sizeof name;
  ASSERT_EQ(RegEnumKeyExA(parent, 0, name, &nameSize, nullptr, nullptr, nullptr, nullptr), 0);
  EXPECT_STREQ(name, "GridSave");
  RegCloseKey(parent);
}

TEST_F(RegistryTest, DeletingKeysAndValues) {
  HKEY k = Create(HKEY_CURRENT_USER, "Software\\Test\\A\\B");
  SetString(k, "v", "1");
  EXPECT_EQ(RegDeleteValueA(k, "V"), 0);
  EXPECT_EQ(RegDeleteValueA(k, "v"), LSTATUS(ERROR_FILE_NOT_FOUND));
  SetString(k, "v", "2");
  // Deleting a key takes its subkeys with it; an open handle below it then fails.
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Test\\A"), 0);
  EXPECT_EQ(GetString(k, "v"), "<missing>");
  EXPECT_EQ(SetString(k, "v", "3"), LSTATUS(ERROR_KEY_DELETED));
  HKEY r = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Test\\A\\B", 0, KEY_READ, &r), LSTATUS(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Test\\A"), LSTATUS(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, ""), LSTATUS(ERROR_INVALID_PARAMETER));
  RegCloseKey(k);
  EXPECT_EQ(RegCloseKey(k), LSTATUS(ERROR_INVALID_HANDLE));
  headless::ReloadRegistry();
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Test\\A", 0, KEY_READ, &r), LSTATUS(ERROR_FILE_NOT_FOUND));
}

TEST_F(RegistryTest, AnInterruptedWriteKeepsTheOldState) {
  HKEY k = Create(HKEY_CURRENT_USER, "Software\\Vantrel");
  ASSERT_EQ(SetString(k, "Value", "old"), 0);
  ASSERT_EQ(RegCloseKey(k), 0);
  int writes = 0;
  headless::SetRegistryWriteHook([&](const std::string& tmp) {
    ++writes;
    EXPECT_TRUE(fs::exists(tmp));  // the new contents were complete on disk
    return false;                  // the crash comes before the rename
  });
  k = Create(HKEY_CURRENT_USER, "Software\\Vantrel");
  EXPECT_EQ(SetString(k, "Value", "new"), 0);
  HKEY sub = Create(k, "Sub");
  EXPECT_EQ(RegCloseKey(sub), LSTATUS(ERROR_CANTWRITE));  // reported where the store is written
  EXPECT_EQ(writes, 1);
  EXPECT_EQ(RegCloseKey(k), 0);  // nothing left to write
  // Memory and disk both keep the old state; no temporary file is left behind.
  k = Create(HKEY_CURRENT_USER, "Software\\Vantrel");
  EXPECT_EQ(GetString(k, "Value"), "old");
  EXPECT_EQ(RegOpenKeyExA(k, "Sub", 0, KEY_READ, &sub), LSTATUS(ERROR_FILE_NOT_FOUND));
  // Through a root key the write happens, and fails, at once.
  EXPECT_EQ(RegSetValueExA(HKEY_CURRENT_USER, "Direct", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2),
            LSTATUS(ERROR_CANTWRITE));
  headless::SetRegistryWriteHook(nullptr);
  headless::ReloadRegistry();
  EXPECT_EQ(GetString(k, "Value"), "old");
  for (const auto& e : fs::directory_iterator(dir + "/vantrel"))
    EXPECT_EQ(e.path().filename(), "registry") << e.path();
}

TEST_F(RegistryTest, ChangesReachTheStoreWhenTheKeyIsClosedOrFlushed) {
  HKEY k = Create(HKEY_CURRENT_USER, "Software\\Layout");
  for (int i = 0; i < 50; ++i) SetString(k, ("Col" + std::to_string(i)).c_str(), "80");
  EXPECT_EQ(Slurp(dir + "/vantrel/registry").find("436f6c3439"), std::string::npos);  // "Col49" not yet
  ASSERT_EQ(RegFlushKey(k), 0);
  EXPECT_NE(Slurp(dir + "/vantrel/registry").find("436f6c3439"), std::string::npos);
  SetString(k, "Last", "1");
  RegCloseKey(k);
  headless::ReloadRegistry();
  k = Create(HKEY_CURRENT_USER, "Software\\Layout");
  EXPECT_EQ(GetString(k, "Col49"), "80");
  EXPECT_EQ(GetString(k, "Last"), "1");
}

TEST_F(RegistryTest, AnUnreadableStoreIsKeptAside) {
  fs::create_directories(dir + "/vantrel");
  std::ofstream(dir + "/vantrel/registry") << "not a registry\n";
  headless::ReloadRegistry();
  HKEY k = Create(HKEY_CURRENT_USER, "Software\\X");
  EXPECT_EQ(SetString(k, "a", "b"), 0);
  int aside = 0;
  for (const auto& e : fs::directory_iterator(dir + "/vantrel"))
    if (e.path().filename().string().find("unreadable") != std::string::npos) {
      ++aside;
      EXPECT_EQ(Slurp(e.path()), "not a registry\n");
    }
  EXPECT_EQ(aside, 1);
}

TEST_F(RegistryTest, AStoreThatCannotBeReadIsKeptAsideToo) {
  HKEY k = Create(HKEY_CURRENT_USER, "Software\\Kept");
  ASSERT_EQ(SetString(k, "Other", "precious"), 0);
  ASSERT_EQ(RegCloseKey(k), 0);
  const std::string store = dir + "/vantrel/registry";
  const std::string saved = Slurp(store);
  fs::permissions(store, fs::perms::none);
  fs::permissions(dir, fs::perms::all);
  fs::permissions(dir + "/vantrel", fs::perms::all);
  // The program runs as a user the store's rights shut out (rights bind no super-user).
  int code = InChild([&] {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 2;
    if (access(store.c_str(), R_OK) == 0) return 3;
    headless::ReloadRegistry();
    HKEY x = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &x, nullptr))
      return 4;
    return SetString(x, "a", "b") == 0 && RegCloseKey(x) == 0 ? 0 : 5;
  });
  ASSERT_EQ(code, 0);
  int aside = 0;
  for (const auto& e : fs::directory_iterator(dir + "/vantrel"))
    if (e.path().filename().string().find("unreadable") != std::string::npos) {
      ++aside;
      EXPECT_EQ(Slurp(e.path()), saved);
    }
  EXPECT_EQ(aside, 1);
  headless::ReloadRegistry();
  HKEY r = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\New", 0, KEY_READ, &r), 0);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Kept", 0, KEY_READ, &r), LSTATUS(ERROR_FILE_NOT_FOUND));
}

TEST_F(RegistryTest, TheRunValueWritesAndEmptiesTheAutostartEntry) {
  HKEY run = Create(HKEY_LOCAL_MACHINE, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  fs::path entry = fs::path(dir) / "autostart" / "Vantrel.desktop";
  ASSERT_EQ(SetString(run, "Vantrel", "/opt/vantrel/vantrel --tray"), 0);
  std::string text = Slurp(entry);
  EXPECT_NE(text.find("[Desktop Entry]"), std::string::npos);
  EXPECT_NE(text.find("\nExec=/opt/vantrel/vantrel --tray\n"), std::string::npos);
  EXPECT_EQ(text.find("Hidden=true"), std::string::npos);
  // An emptied value switches the entry off.
  ASSERT_EQ(SetString(run, "Vantrel", ""), 0);
  text = Slurp(entry);
  EXPECT_NE(text.find("\nHidden=true\n"), std::string::npos);
  EXPECT_NE(text.find("\nExec=\n"), std::string::npos);
  // A value cannot smuggle extra keys into the entry.
  ASSERT_EQ(SetString(run, "Vantrel", "a\nHidden=false %u"), 0);
  text = Slurp(entry);
  EXPECT_NE(text.find("\nExec=\"a\\nHidden=false\" %%u\n"), std::string::npos) << text;
  // Deleting the value removes the entry; the user's Run key is not the machine's.
  ASSERT_EQ(RegDeleteValueA(run, "Vantrel"), 0);
  EXPECT_FALSE(fs::exists(entry));
  HKEY userRun = Create(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  SetString(userRun, "Vantrel", "x");
  EXPECT_FALSE(fs::exists(entry));
  // A name with a path separator stays inside the autostart directory.
  SetString(run, "../evil", "x");
  EXPECT_TRUE(fs::exists(fs::path(dir) / "autostart" / ".._evil.desktop") ||
              fs::exists(fs::path(dir) / "autostart" / "_.._evil.desktop"));
  EXPECT_FALSE(fs::exists(fs::path(dir) / "evil.desktop"));
}

TEST_F(RegistryTest, TheAutostartCommandIsQuotedAsTheEntryFormatRequires) {
  HKEY run = Create(HKEY_LOCAL_MACHINE, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  // Programs that exist, named with the characters the format reserves.
  fs::create_directories(dir + "/My Apps");
  for (const char* name : {"/My Apps/vantrel", "/My Apps/it's \"$HOME\" `x` a\\b 100%"})
    std::ofstream(dir + name) << "";
  struct TCase {
    std::string Value, Exec;  // Exec as the file holds it
  } cases[] = {
      {dir + "/My Apps/vantrel", "\"" + dir + "/My Apps/vantrel\""},
      {dir + "/My Apps/it's \"$HOME\" `x` a\\b 100%",
       "\"" + dir + "/My Apps/it's \\\\\"\\\\$HOME\\\\\" \\\\`x\\\\` a\\\\\\\\b 100%%\""},
      // A quoted program with its arguments, and plain words, stay apart.
      {"\"" + dir + "/My Apps/vantrel\" --tray", "\"" + dir + "/My Apps/vantrel\" --tray"},
      {"/opt/vantrel/vantrel --tray", "/opt/vantrel/vantrel --tray"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Value);
    ASSERT_EQ(SetString(run, "Vantrel", c.Value), 0);
    std::string text = Slurp(fs::path(dir) / "autostart" / "Vantrel.desktop");
    EXPECT_NE(text.find("\nExec=" + c.Exec + "\n"), std::string::npos) << text;
  }
}

TEST_F(RegistryTest, ARunValueWhoseAutostartEntryCannotFollowIsNotKept) {
  HKEY run = Create(HKEY_LOCAL_MACHINE, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  ASSERT_EQ(SetString(run, "Old", "/opt/old"), 0);
  fs::path entries = fs::path(dir) / "autostart";
  fs::remove_all(entries);
  std::ofstream(entries.string()) << "in the way\n";  // no entry can be written now
  struct TCase {
    const char* Name;
    std::function<LSTATUS()> Change;
    const char* Left;
  } cases[] = {
      {"a new value", [&] { return SetString(run, "Vantrel", "/opt/vantrel"); }, "<missing>"},
      {"a changed value", [&] { return SetString(run, "Old", "/opt/new"); }, "/opt/old"},
      {"a deleted value", [&] { return RegDeleteValueA(run, "Old"); }, "/opt/old"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(c.Change(), LSTATUS(ERROR_CANTWRITE));
    const char* name = std::string(c.Name) == "a new value" ? "Vantrel" : "Old";
    EXPECT_EQ(GetString(run, name), c.Left);
    headless::ReloadRegistry();
    EXPECT_EQ(GetString(run, name), c.Left);
  }
}

TEST_F(RegistryTest, KeyInformationAndLimits) {
  HKEY k = Create(HKEY_CURRENT_USER, "Software\\Info");
  SetString(k, "LongerName", "12345");
  SetString(k, "a", "1");
  HKEY sub = Create(k, "Child");
  RegCloseKey(sub);
  DWORD subKeys = 0, maxSub = 0, values = 0, maxName = 0, maxData = 0;
  ASSERT_EQ(RegQueryInfoKeyA(k, nullptr, nullptr, nullptr, &subKeys, &maxSub, nullptr, &values, &maxName, &maxData,
                             nullptr, nullptr),
            0);
  EXPECT_EQ(subKeys, 1u);
  EXPECT_EQ(maxSub, 5u);
  EXPECT_EQ(values, 2u);
  EXPECT_EQ(maxName, 10u);
  EXPECT_EQ(maxData, 6u);
  // Over-long names and over-deep paths are refused rather than stored.
  HKEY bad = nullptr;
  std::string longName(256, 'x');
  EXPECT_EQ(RegCreateKeyExA(k, longName.c_str(), 0, nullptr, 0, 0, nullptr, &bad, nullptr),
            LSTATUS(ERROR_INVALID_PARAMETER));
  std::string deep;
  for (int i = 0; i < 600; ++i) deep += "d\\";
  EXPECT_EQ(RegCreateKeyExA(k, deep.c_str(), 0, nullptr, 0, 0, nullptr, &bad, nullptr),
            LSTATUS(ERROR_INVALID_PARAMETER));
  // A store file with such a path is not read.
  fs::create_directories(dir + "/vantrel");
  std::string line = "K 80000001 ";
  for (int i = 0; i < 600; ++i) line += "615c";  // "a\\" repeated
  std::ofstream(dir + "/vantrel/registry") << "VANTREL-REGISTRY 1\n" << line << "61\n";
  headless::ReloadRegistry();
  HKEY r = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "a", 0, KEY_READ, &r), LSTATUS(ERROR_FILE_NOT_FOUND));
}

TEST_F(RegistryTest, TestsNeverTouchTheUsersRealConfiguration) {
  headless::SetConfigHome("");
  setenv("XDG_CONFIG_HOME", dir.c_str(), 1);  // what a desktop session would have
  HKEY run = Create(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Run");
  ASSERT_EQ(SetString(run, "Vantrel", "/usr/bin/vantrel"), 0);
  RegCloseKey(run);
  std::string own = "/tmp/vantrel-headless-" + std::to_string(getpid());
  EXPECT_TRUE(fs::exists(own + "/vantrel/registry"));
  EXPECT_TRUE(fs::exists(own + "/autostart/Vantrel.desktop"));
  EXPECT_FALSE(fs::exists(dir + "/autostart"));
  EXPECT_FALSE(fs::exists(dir + "/vantrel"));
  unsetenv("XDG_CONFIG_HOME");
}

// ---- named mutex ----
std::string UniqueName() { return "VantrelTest-" + std::to_string(getpid()) + "-" + std::to_string(rand()); }

// The lock files go to a runtime directory of the test's own.
class NamedMutexTest : public ::testing::Test {
protected:
  void SetUp() override {
    char tmpl[] = "/tmp/vantrel-run-XXXXXX";
    dir = mkdtemp(tmpl);
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("XDG_RUNTIME_DIR");
    fs::remove_all(dir);
  }
  std::string dir;
};

TEST_F(NamedMutexTest, ASecondProcessSeesItWhileTheFirstLives) {
  std::string name = UniqueName();
  HANDLE first = CreateMutexA(nullptr, FALSE, name.c_str());
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  auto probe = [&] {
    HANDLE h = CreateMutexA(nullptr, FALSE, name.c_str());
    return h && GetLastError() == ERROR_ALREADY_EXISTS ? 1 : 0;
  };
  EXPECT_EQ(InChild(probe), 1);
  // Within the process a second create sees it too.
  HANDLE second = CreateMutexA(nullptr, FALSE, name.c_str());
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  CloseHandle(second);
  CloseHandle(first);
  EXPECT_EQ(InChild(probe), 0);
  EXPECT_FALSE(CloseHandle(first));
  EXPECT_FALSE(fs::is_empty(dir));  // the lock lives in the runtime directory
}

TEST_F(NamedMutexTest, TakenAfterTheHolderExits) {
  std::string name = UniqueName();
  int toChild[2], fromChild[2];
  ASSERT_EQ(pipe(toChild), 0);
  ASSERT_EQ(pipe(fromChild), 0);
  pid_t pid = fork();
  if (pid == 0) {
    HANDLE h = CreateMutexA(nullptr, FALSE, name.c_str());
    char c = (h && GetLastError() == ERROR_SUCCESS) ? 'y' : 'n';
    (void)!write(fromChild[1], &c, 1);
    (void)!read(toChild[0], &c, 1);  // hold it until told to exit; never closes the handle
    _exit(0);
  }
  char c = 0;
  ASSERT_EQ(read(fromChild[0], &c, 1), 1);
  EXPECT_EQ(c, 'y');
  HANDLE h = CreateMutexA(nullptr, FALSE, name.c_str());
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  CloseHandle(h);
  (void)!write(toChild[1], "x", 1);
  waitpid(pid, nullptr, 0);
  h = CreateMutexA(nullptr, FALSE, name.c_str());
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  CloseHandle(h);
  for (int fd : {toChild[0], toChild[1], fromChild[0], fromChild[1]}) close(fd);
}

TEST(Kernel, VersionModuleAndArguments) {
  OSVERSIONINFOA v;
  ASSERT_TRUE(GetVersionExA(&v));
  EXPECT_EQ(v.dwPlatformId, VER_PLATFORM_WIN32_NT);
  char path[8];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  EXPECT_LE(n, 7u);
  EXPECT_EQ(path[n], '\0');
  const char* argv[] = {"prog", "one", "two words"};
  SetProgramArguments(3, argv);
  EXPECT_EQ(ParamCount(), 2);
  EXPECT_EQ(ParamStr(2), "two words");
  EXPECT_EQ(ParamStr(3), "");
  EXPECT_EQ(ParamStr(0), ExecutablePath());
  EXPECT_EQ(std::string(GetCommandLineA()), "prog one \"two words\"");
}

}  // namespace
