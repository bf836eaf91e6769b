#include "platform/controls/Registry.h"

#include <cstring>

TRegistry::TRegistry(win::REGSAM Access) : FRootKey(win::HKEY_CURRENT_USER), FAccess(Access) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(win::HKEY Value) {
  if (FRootKey == Value) return;
  CloseKey();
  FRootKey = Value;
}

win::HKEY TRegistry::BaseKey(bool Relative) const {
  return (!FCurrentKey || !Relative) ? FRootKey : FCurrentKey;
}

void TRegistry::ChangeKey(win::HKEY Value, const std::string& Path) {
  CloseKey();
  FCurrentKey = Value;
  FCurrentPath = Path;
}

void TRegistry::CloseKey() {
  if (!FCurrentKey) return;
  if (!FLazyWrite) win::RegFlushKey(FCurrentKey);
  win::RegCloseKey(FCurrentKey);
  FCurrentKey = nullptr;
  FCurrentPath.clear();
}

bool TRegistry::OpenKey(const std::string& Key, bool CanCreate) {
  std::string s = Key;
  bool relative = s.empty() || s[0] != '\\';
  if (!relative) s.erase(0, 1);
  win::HKEY temp = nullptr;
  win::LSTATUS r;
  if (!CanCreate || s.empty()) {
    r = win::RegOpenKeyEx(BaseKey(relative), s.c_str(), 0, FAccess, &temp);
  } else {
    win::DWORD disposition = 0;
    r = win::RegCreateKeyExA(BaseKey(relative), s.c_str(), 0, nullptr, win::REG_OPTION_NON_VOLATILE, FAccess,
                             nullptr, &temp, &disposition);
  }
  if (r != win::ERROR_SUCCESS) return false;
  if (FCurrentKey && relative) s = FCurrentPath + "\\" + s;
  ChangeKey(temp, s);
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string& Key) {
  win::REGSAM saved = FAccess;
  FAccess = win::KEY_READ;
  bool ok = OpenKey(Key, false);
  FAccess = saved;
  return ok;
}

bool TRegistry::KeyExists(const std::string& Key) {
  std::string s = Key;
  bool relative = s.empty() || s[0] != '\\';
  if (!relative) s.erase(0, 1);
  win::HKEY temp = nullptr;
  if (win::RegOpenKeyEx(BaseKey(relative), s.c_str(), 0, win::KEY_READ, &temp) != win::ERROR_SUCCESS) return false;
  win::RegCloseKey(temp);
  return true;
}

bool TRegistry::CreateKey(const std::string& Key) {
  std::string s = Key;
  bool relative = s.empty() || s[0] != '\\';
  if (!relative) s.erase(0, 1);
  win::HKEY temp = nullptr;
  win::DWORD disposition = 0;
  if (win::RegCreateKeyExA(BaseKey(relative), s.c_str(), 0, nullptr, win::REG_OPTION_NON_VOLATILE, FAccess, nullptr,
                           &temp, &disposition) != win::ERROR_SUCCESS)
    throw ERegistryException("Failed to create key " + Key);
  win::RegCloseKey(temp);
  return true;
}

bool TRegistry::DeleteKey(const std::string& Key) {
  std::string s = Key;
  bool relative = s.empty() || s[0] != '\\';
  if (!relative) s.erase(0, 1);
  if (s.empty()) return false;
  return win::RegDeleteKey(BaseKey(relative), s.c_str()) == win::ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const std::string& Name) {
  return FCurrentKey && win::RegDeleteValue(FCurrentKey, Name.c_str()) == win::ERROR_SUCCESS;
}

bool TRegistry::QueryValue(const std::string& Name, win::DWORD& Type, std::string& Data) {
  win::HKEY key = FCurrentKey ? FCurrentKey : FRootKey;
  win::DWORD size = 0;
  if (win::RegQueryValueEx(key, Name.c_str(), nullptr, &Type, nullptr, &size) != win::ERROR_SUCCESS) return false;
  Data.assign(size, '\0');
  if (size && win::RegQueryValueEx(key, Name.c_str(), nullptr, &Type, reinterpret_cast<win::BYTE*>(Data.data()),
                                   &size) != win::ERROR_SUCCESS)
    throw ERegistryException("Failed to get data for '" + Name + "'");
  Data.resize(size);
  return true;
}

bool TRegistry::ValueExists(const std::string& Name) {
  win::DWORD type = 0;
  std::string data;
  return QueryValue(Name, type, data);
}

bool TRegistry::HasSubKeys() {
  win::DWORD subKeys = 0;
  win::HKEY key = FCurrentKey ? FCurrentKey : FRootKey;
  if (win::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr) != win::ERROR_SUCCESS)
    return false;
  return subKeys > 0;
}

void TRegistry::GetKeyNames(TStrings* Strings) {
  Strings->Clear();
  win::HKEY key = FCurrentKey ? FCurrentKey : FRootKey;
  char name[256];
  for (win::DWORD i = 0;; ++i) {
    win::DWORD n = sizeof(name);
    if (win::RegEnumKeyExA(key, i, name, &n, nullptr, nullptr, nullptr, nullptr) != win::ERROR_SUCCESS) break;
    Strings->Add(std::string(name, n));
  }
}

void TRegistry::GetValueNames(TStrings* Strings) {
  Strings->Clear();
  win::HKEY key = FCurrentKey ? FCurrentKey : FRootKey;
  char name[16384];
  for (win::DWORD i = 0;; ++i) {
    win::DWORD n = sizeof(name);
    if (win::RegEnumValueA(key, i, name, &n, nullptr, nullptr, nullptr, nullptr) != win::ERROR_SUCCESS) break;
    Strings->Add(std::string(name, n));
  }
}

void TRegistry::PutData(const std::string& Name, win::DWORD Type, const void* Data, win::DWORD Size) {
  win::HKEY key = FCurrentKey ? FCurrentKey : FRootKey;
  if (win::RegSetValueEx(key, Name.c_str(), 0, Type, static_cast<const win::BYTE*>(Data), Size) != win::ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '" + Name + "'");
}

std::string TRegistry::ReadString(const std::string& Name) {
  win::DWORD type = 0;
  std::string data;
  if (!QueryValue(Name, type, data)) return {};
  if (type != win::REG_SZ && type != win::REG_EXPAND_SZ) throw ERegistryException("Invalid data type for '" + Name + "'");
  // The stored terminator is not part of the text.
  size_t nul = data.find('\0');
  if (nul != std::string::npos) data.resize(nul);
  return data;
}

void TRegistry::WriteString(const std::string& Name, const std::string& Value) {
  PutData(Name, win::REG_SZ, Value.c_str(), static_cast<win::DWORD>(Value.size() + 1));
}

int TRegistry::ReadInteger(const std::string& Name) {
  win::DWORD type = 0;
  std::string data;
  if (!QueryValue(Name, type, data)) throw ERegistryException("Failed to get data for '" + Name + "'");
  if (type != win::REG_DWORD || data.size() < 4) throw ERegistryException("Invalid data type for '" + Name + "'");
  std::int32_t v = 0;
  std::memcpy(&v, data.data(), 4);
  return v;
}

void TRegistry::WriteInteger(const std::string& Name, int Value) {
  std::int32_t v = Value;
  PutData(Name, win::REG_DWORD, &v, 4);
}
