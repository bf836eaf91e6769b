#pragma once
// Kernel services: last error, global memory, text conversion, the clipboard, the
// registry, named mutexes, the module and the version.
#include <string>
#include <vector>

#include "platform/desktop/WinTypes.h"

namespace win {

// Error codes
inline constexpr DWORD ERROR_SUCCESS = 0, ERROR_FILE_NOT_FOUND = 2, ERROR_PATH_NOT_FOUND = 3,
    ERROR_ACCESS_DENIED = 5, ERROR_INVALID_HANDLE = 6, ERROR_NOT_ENOUGH_MEMORY = 8,
    ERROR_OUTOFMEMORY = 14, ERROR_NO_MORE_FILES = 18, ERROR_WRITE_FAULT = 29,
    ERROR_NOT_SUPPORTED = 50, ERROR_INVALID_PARAMETER = 87, ERROR_INSUFFICIENT_BUFFER = 122,
    ERROR_INVALID_NAME = 123, ERROR_ALREADY_EXISTS = 183, ERROR_MORE_DATA = 234,
    ERROR_NO_MORE_ITEMS = 259, ERROR_INVALID_FLAGS = 1004, ERROR_BADKEY = 1010,
    ERROR_CANTOPEN = 1011, ERROR_CANTREAD = 1012, ERROR_CANTWRITE = 1013,
    ERROR_KEY_DELETED = 1018, ERROR_NO_UNICODE_TRANSLATION = 1113,
    ERROR_INVALID_WINDOW_HANDLE = 1400, ERROR_INVALID_MENU_HANDLE = 1401,
    ERROR_CANNOT_FIND_WND_CLASS = 1407, ERROR_CLASS_ALREADY_EXISTS = 1410,
    ERROR_CLASS_DOES_NOT_EXIST = 1411, ERROR_CLASS_HAS_WINDOWS = 1412,
    ERROR_HOTKEY_ALREADY_REGISTERED = 1409, ERROR_HOTKEY_NOT_REGISTERED = 1419,
    ERROR_CLIPBOARD_NOT_OPEN = 1418, ERROR_WINDOW_OF_OTHER_THREAD = 1408,
    ERROR_TIMEOUT = 1460, ERROR_RESOURCE_NAME_NOT_FOUND = 1814;

DWORD GetLastError();
void SetLastError(DWORD code);

// ---- global memory ----
inline constexpr UINT GMEM_FIXED = 0x0000, GMEM_MOVEABLE = 0x0002, GMEM_ZEROINIT = 0x0040,
                      GMEM_DDESHARE = 0x2000, GMEM_SHARE = 0x2000, GHND = 0x0042, GPTR = 0x0040;
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
HGLOBAL GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags);
LPVOID GlobalLock(HGLOBAL mem);
BOOL GlobalUnlock(HGLOBAL mem);
// NULL on success; the handle itself when it could not be freed.
HGLOBAL GlobalFree(HGLOBAL mem);
SIZE_T GlobalSize(HGLOBAL mem);

// ---- text conversion (the system code page is UTF-8) ----
inline constexpr UINT CP_ACP = 0, CP_OEMCP = 1, CP_UTF8 = 65001;
inline constexpr DWORD MB_PRECOMPOSED = 0x01, MB_ERR_INVALID_CHARS = 0x08;
inline constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x400, WC_ERR_INVALID_CHARS = 0x80;
// cbMultiByte / cchWideChar -1 means zero-terminated input (the count includes the zero).
// A zero output size asks for the needed size.
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* src, int cbMultiByte, WCHAR* dst,
                        int cchWideChar);
int WideCharToMultiByte(UINT codePage, DWORD flags, const WCHAR* src, int cchWideChar, char* dst,
                        int cbMultiByte, const char* defaultChar, BOOL* usedDefaultChar);
UINT GetACP();

// ---- clipboard ----
BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
// The clipboard owns the block from then on; NULL data is not supported and fails.
HANDLE SetClipboardData(UINT format, HANDLE data);
HANDLE GetClipboardData(UINT format);
BOOL IsClipboardFormatAvailable(UINT format);
UINT EnumClipboardFormats(UINT format);
int CountClipboardFormats();
HWND GetClipboardOwner();
HWND GetOpenClipboardWindow();
// Registered formats share the numbers of registered window messages (>= 0xC000).
UINT RegisterClipboardFormatA(LPCSTR name);
inline UINT RegisterClipboardFormat(LPCSTR name) { return RegisterClipboardFormatA(name); }
int GetClipboardFormatNameA(UINT format, LPSTR buffer, int size);

// ---- registry ----
inline HKEY const HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(std::uintptr_t(0x80000000));
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t(0x80000001));
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t(0x80000002));
inline HKEY const HKEY_USERS = reinterpret_cast<HKEY>(std::uintptr_t(0x80000003));
inline HKEY const HKEY_CURRENT_CONFIG = reinterpret_cast<HKEY>(std::uintptr_t(0x80000005));
inline constexpr DWORD REG_NONE = 0, REG_SZ = 1, REG_EXPAND_SZ = 2, REG_BINARY = 3, REG_DWORD = 4,
                       REG_DWORD_BIG_ENDIAN = 5, REG_MULTI_SZ = 7, REG_QWORD = 11;
inline constexpr REGSAM KEY_QUERY_VALUE = 0x0001, KEY_SET_VALUE = 0x0002,
    KEY_CREATE_SUB_KEY = 0x0004, KEY_ENUMERATE_SUB_KEYS = 0x0008, KEY_NOTIFY = 0x0010,
    KEY_READ = 0x20019, KEY_WRITE = 0x20006, KEY_EXECUTE = 0x20019, KEY_ALL_ACCESS = 0xF003F;
inline constexpr DWORD REG_OPTION_NON_VOLATILE = 0, REG_OPTION_VOLATILE = 1;
inline constexpr DWORD REG_CREATED_NEW_KEY = 1, REG_OPENED_EXISTING_KEY = 2;

// The registry is kept in a file store under the user's configuration directory. Changes
// are written when the key is closed or flushed (RegCloseKey/RegFlushKey report a failed
// write as ERROR_CANTWRITE, and the tree then goes back to what the store holds), at once
// when made through a root key or to the machine's Run key, and at exit. A value of
// HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run also writes the user's
// autostart entry <name>.desktop (Exec = the value); an empty value keeps the entry with
// Hidden=true, and deleting the value removes it.
LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, HKEY* result);
LSTATUS RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options,
                        REGSAM access, const SECURITY_ATTRIBUTES* security, HKEY* result,
                        DWORD* disposition);
LSTATUS RegCloseKey(HKEY key);
LSTATUS RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                       DWORD size);
// data may be NULL to ask for the type and size; a short buffer gives ERROR_MORE_DATA and
// the needed size.
LSTATUS RegQueryValueExA(HKEY key, LPCSTR valueName, DWORD* reserved, DWORD* type, BYTE* data,
                         DWORD* size);
// Deletes the key with all its subkeys.
LSTATUS RegDeleteKeyA(HKEY key, LPCSTR subKey);
LSTATUS RegDeleteValueA(HKEY key, LPCSTR valueName);
LSTATUS RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, DWORD* nameSize, DWORD* reserved,
                      LPSTR keyClass, DWORD* classSize, FILETIME* lastWrite);
LSTATUS RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD nameSize);
LSTATUS RegEnumValueA(HKEY key, DWORD index, LPSTR name, DWORD* nameSize, DWORD* reserved,
                      DWORD* type, BYTE* data, DWORD* dataSize);
LSTATUS RegQueryInfoKeyA(HKEY key, LPSTR keyClass, DWORD* classSize, DWORD* reserved,
                         DWORD* subKeys, DWORD* maxSubKeyLen, DWORD* maxClassLen, DWORD* values,
                         DWORD* maxValueNameLen, DWORD* maxValueLen, DWORD* securityDescriptor,
                         FILETIME* lastWrite);
LSTATUS RegFlushKey(HKEY key);
inline LSTATUS RegOpenKeyEx(HKEY k, LPCSTR s, DWORD o, REGSAM a, HKEY* r) {
  return RegOpenKeyExA(k, s, o, a, r);
}
inline LSTATUS RegSetValueEx(HKEY k, LPCSTR n, DWORD r, DWORD t, const BYTE* d, DWORD s) {
  return RegSetValueExA(k, n, r, t, d, s);
}
inline LSTATUS RegQueryValueEx(HKEY k, LPCSTR n, DWORD* r, DWORD* t, BYTE* d, DWORD* s) {
  return RegQueryValueExA(k, n, r, t, d, s);
}
inline LSTATUS RegDeleteKey(HKEY k, LPCSTR s) { return RegDeleteKeyA(k, s); }
inline LSTATUS RegDeleteValue(HKEY k, LPCSTR n) { return RegDeleteValueA(k, n); }

// ---- kernel objects ----
// A named mutex is a lock shared between processes; the last error is
// ERROR_ALREADY_EXISTS when the name is already held (by this or another process).
HANDLE CreateMutexA(const SECURITY_ATTRIBUTES* security, BOOL initialOwner, LPCSTR name);
inline HANDLE CreateMutex(const SECURITY_ATTRIBUTES* s, BOOL o, LPCSTR n) {
  return CreateMutexA(s, o, n);
}
BOOL CloseHandle(HANDLE handle);

// ---- module, command line, version ----
inline constexpr DWORD VER_PLATFORM_WIN32s = 0, VER_PLATFORM_WIN32_WINDOWS = 1,
                       VER_PLATFORM_WIN32_NT = 2;
BOOL GetVersionExA(OSVERSIONINFOA* info);
inline BOOL GetVersionEx(OSVERSIONINFOA* info) { return GetVersionExA(info); }
// The executable's full path (module NULL); the result is cut on a character boundary.
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD size);
inline DWORD GetModuleFileName(HMODULE m, LPSTR b, DWORD s) { return GetModuleFileNameA(m, b, s); }
HINSTANCE GetModuleHandleA(LPCSTR name);
LPCSTR GetCommandLineA();
DWORD GetCurrentProcessId();
DWORD GetCurrentThreadId();
void Sleep(DWORD ms);

// Records the program's arguments (main calls it once); ParamStr and GetCommandLineA read them.
void SetProgramArguments(int argc, const char* const* argv);
// The executable's path.
std::string ExecutablePath();

}  // namespace win

// The program's command-line parameters: ParamStr(0) is the executable's path.
int ParamCount();
std::string ParamStr(int index);
