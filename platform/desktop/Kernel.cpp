// Last error, named mutexes (a file lock shared between processes), the module path,
// the command line and the version.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <thread>

#include "platform/desktop/internal/State.h"
#include "platform/rtl/Utf8.h"

namespace win {
using namespace detail;

namespace {
thread_local DWORD lastError = 0;

struct KernelObject {
  int Fd = -1;
};

std::map<HANDLE, KernelObject>& Objects() {
  static std::map<HANDLE, KernelObject> objects;
  return objects;
}

std::uintptr_t nextKernelHandle = 0x100;

std::string LockDirectory() {
  const char* run = std::getenv("XDG_RUNTIME_DIR");
  if (run && *run && access(run, W_OK) == 0) return run;
  return "/tmp";
}

// A file name that stands for the mutex name: letters and digits kept, others as %XX.
std::string LockFileName(const std::string& name) {
  std::string out = "vantrel-mutex-";
  static const char* hex = "0123456789ABCDEF";
  for (unsigned char c : name) {
    if (std::isalnum(c) || c == '-' || c == '_') {
      out += char(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out + ".lock";
}

std::vector<std::string>& Arguments() {
  static std::vector<std::string> args;
  return args;
}
}  // namespace

DWORD GetLastError() { return lastError; }
void SetLastError(DWORD code) { lastError = code; }

HANDLE CreateMutexA(const SECURITY_ATTRIBUTES*, BOOL, LPCSTR name) {
  KernelObject obj;
  DWORD result = ERROR_SUCCESS;
  if (name && *name) {
    std::string path = LockDirectory() + "/" + LockFileName(name);
    obj.Fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (obj.Fd < 0) {
      SetLastError(ERROR_ACCESS_DENIED);
      return nullptr;
    }
    int r;
    do {
      r = ::flock(obj.Fd, LOCK_EX | LOCK_NB);
    } while (r != 0 && errno == EINTR);
    if (r != 0) {
      if (errno != EWOULDBLOCK) {
        ::close(obj.Fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
      }
      // Someone holds the name: the handle refers to the existing mutex.
      result = ERROR_ALREADY_EXISTS;
    }
  }
  nextKernelHandle += 4;
  HANDLE h = reinterpret_cast<HANDLE>(nextKernelHandle);
  Objects()[h] = obj;
  SetLastError(result);
  return h;
}

BOOL CloseHandle(HANDLE handle) {
  auto it = Objects().find(handle);
  if (it == Objects().end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (it->second.Fd >= 0) ::close(it->second.Fd);  // closing releases the lock
  Objects().erase(it);
  return TRUE;
}

BOOL GetVersionExA(OSVERSIONINFOA* info) {
  if (!info || info->dwOSVersionInfoSize < sizeof(OSVERSIONINFOA)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  info->dwMajorVersion = 6;
  info->dwMinorVersion = 1;
  info->dwBuildNumber = 7601;
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
  return TRUE;
}

std::string ExecutablePath() {
  char buf[4096];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n > 0) return std::string(buf, std::size_t(n));
  return Arguments().empty() ? std::string() : Arguments().front();
}

DWORD GetModuleFileNameA(HMODULE, LPSTR buffer, DWORD size) {
  if (!buffer || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::string path = ExecutablePath();
  std::string cut = Utf8Truncate(path, size - 1);
  std::memcpy(buffer, cut.data(), cut.size());
  buffer[cut.size()] = 0;
  SetLastError(cut.size() < path.size() ? ERROR_INSUFFICIENT_BUFFER : ERROR_SUCCESS);
  return DWORD(cut.size());
}

HINSTANCE GetModuleHandleA(LPCSTR) { return reinterpret_cast<HINSTANCE>(std::uintptr_t(0x400000)); }

void SetProgramArguments(int argc, const char* const* argv) {
  Arguments().clear();
  for (int i = 0; i < argc; ++i) Arguments().push_back(argv[i] ? argv[i] : "");
}

LPCSTR GetCommandLineA() {
  static std::string line;
  line.clear();
  auto& args = Arguments();
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i) line += ' ';
    bool quote = args[i].empty() || args[i].find_first_of(" \t\"") != std::string::npos;
    if (quote) line += '"';
    for (char c : args[i]) {
      if (c == '"') line += '\\';
      line += c;
    }
    if (quote) line += '"';
  }
  return line.c_str();
}

DWORD GetCurrentProcessId() { return DWORD(::getpid()); }

DWORD GetCurrentThreadId() {
  return DWORD(std::hash<std::thread::id>()(std::this_thread::get_id()));
}

void Sleep(DWORD ms) {
  if (CurrentBackend().UsesManualClock()) return;  // nothing sleeps on the headless desktop
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace win

int ParamCount() {
  auto& args = win::Arguments();
  return args.empty() ? 0 : int(args.size()) - 1;
}

std::string ParamStr(int index) {
  if (index == 0) return win::ExecutablePath();
  auto& args = win::Arguments();
  if (index < 0 || std::size_t(index) >= args.size()) return {};
  return args[std::size_t(index)];
}
