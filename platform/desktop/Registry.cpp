// The registry calls: keys case-insensitive, every change written to the store at once.
#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/desktop/internal/Registry.h"

namespace win {
using namespace detail;

namespace {
struct OpenKey {
  std::uintptr_t Hive = 0;
  std::vector<std::string> Path;  // names as stored
};

std::map<HKEY, OpenKey>& Handles() {
  static std::map<HKEY, OpenKey> handles;
  return handles;
}

std::uintptr_t nextKey = 0x5000;

bool IsPredefined(HKEY k) {
  return k == HKEY_CLASSES_ROOT || k == HKEY_CURRENT_USER || k == HKEY_LOCAL_MACHINE || k == HKEY_USERS ||
         k == HKEY_CURRENT_CONFIG;
}

std::vector<std::string> SplitPath(LPCSTR sub) {
  std::vector<std::string> parts;
  if (!sub) return parts;
  std::string s(sub), cur;
  for (char c : s) {
    if (c == '\\') {
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}

// The key a handle names, or null (with the reason).
RegKey* Resolve(HKEY key, OpenKey* where, LSTATUS* err) {
  EnsureLoaded();
  OpenKey ok;
  if (IsPredefined(key)) {
    ok.Hive = reinterpret_cast<std::uintptr_t>(key);
  } else {
    auto it = Handles().find(key);
    if (it == Handles().end()) {
      *err = LSTATUS(ERROR_INVALID_HANDLE);
      return nullptr;
    }
    ok = it->second;
  }
  RegKey* k = &Store().Hives[ok.Hive];
  for (const std::string& p : ok.Path) {
    auto it = k->Subkeys.find(Lower(p));
    if (it == k->Subkeys.end()) {
      *err = LSTATUS(ERROR_KEY_DELETED);
      return nullptr;
    }
    k = it->second.get();
  }
  if (where) *where = ok;
  return k;
}

HKEY NewHandle(const OpenKey& ok) {
  nextKey += 4;
  HKEY h = reinterpret_cast<HKEY>(nextKey);
  Handles()[h] = ok;
  return h;
}

// Runs a change. The store is written when the key is closed or flushed; a change made
// through a root key, or to the machine's Run key, is written at once. A failed write
// puts the tree back to what the store holds.
template <class F>
LSTATUS Change(HKEY key, const OpenKey& where, F&& change) {
  LSTATUS r = change();
  if (r != LSTATUS(ERROR_SUCCESS)) return r;
  Store().Dirty = true;
  if ((IsPredefined(key) || IsRunKey(where.Hive, where.Path)) && !FlushStore()) return LSTATUS(ERROR_CANTWRITE);
  return r;
}

// A value of the Run key whose autostart entry could not follow it goes back to what it
// was (before: nothing), so the two never disagree.
void PutBackRunValue(HKEY key, const OpenKey& where, const std::string& name, const std::optional<RegValue>& before) {
  Change(key, where, [&] {
    LSTATUS err = LSTATUS(ERROR_SUCCESS);
    RegKey* k = Resolve(key, nullptr, &err);
    if (!k) return err;
    RegValue* v = k->FindValue(name);
    if (before && v) *v = *before;
    else if (before) k->AddValue(*before);
    else if (v) k->EraseValue(name);
    return LSTATUS(ERROR_SUCCESS);
  });
}

bool ValidName(const std::string& n) { return n.size() <= kMaxKeyName; }

template <class T>
LSTATUS CopyOut(const T* src, std::size_t n, BYTE* data, DWORD* size) {
  if (!size) return data ? LSTATUS(ERROR_INVALID_PARAMETER) : LSTATUS(ERROR_SUCCESS);
  DWORD have = *size;
  *size = DWORD(n);
  if (!data) return LSTATUS(ERROR_SUCCESS);
  if (have < n) return LSTATUS(ERROR_MORE_DATA);
  if (n) std::memcpy(data, src, n);
  return LSTATUS(ERROR_SUCCESS);
}

LSTATUS CopyName(const std::string& name, LPSTR out, DWORD* size) {
  if (!out || !size) return LSTATUS(ERROR_INVALID_PARAMETER);
  if (*size <= name.size()) {
    *size = DWORD(name.size() + 1);
    return LSTATUS(ERROR_MORE_DATA);
  }
  std::memcpy(out, name.c_str(), name.size() + 1);
  *size = DWORD(name.size());
  return LSTATUS(ERROR_SUCCESS);
}
}  // namespace

LSTATUS RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM, HKEY* result) {
  if (!result) return LSTATUS(ERROR_INVALID_PARAMETER);
  *result = nullptr;
  LSTATUS err = LSTATUS(ERROR_SUCCESS);
  OpenKey where;
  RegKey* k = Resolve(key, &where, &err);
  if (!k) return err;
  for (const std::string& p : SplitPath(subKey)) {
    auto it = k->Subkeys.find(Lower(p));
    if (it == k->Subkeys.end()) return LSTATUS(ERROR_FILE_NOT_FOUND);
    k = it->second.get();
    where.Path.push_back(k->Name);
  }
  *result = NewHandle(where);
  return LSTATUS(ERROR_SUCCESS);
}

LSTATUS RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM, const SECURITY_ATTRIBUTES*,
                        HKEY* result, DWORD* disposition) {
  if (!result) return LSTATUS(ERROR_INVALID_PARAMETER);
  *result = nullptr;
  LSTATUS err = LSTATUS(ERROR_SUCCESS);
  OpenKey where;
  if (!Resolve(key, &where, &err)) return err;
  std::vector<std::string> parts = SplitPath(subKey);
  for (const std::string& p : parts)
    if (!ValidName(p)) return LSTATUS(ERROR_INVALID_PARAMETER);
  if (where.Path.size() + parts.size() > kMaxKeyDepth) return LSTATUS(ERROR_INVALID_PARAMETER);
  bool created = false;
  LSTATUS r = Change(key, where, [&] {
    RegKey* k = Resolve(key, nullptr, &err);
    OpenKey w = where;
    for (const std::string& p : parts) {
      auto& slot = k->Subkeys[Lower(p)];
      if (!slot) {
        slot = std::make_unique<RegKey>();
        slot->Name = p;
        created = true;
      }
      k = slot.get();
      w.Path.push_back(k->Name);
    }
    where = w;
    return created ? LSTATUS(ERROR_SUCCESS) : LSTATUS(ERROR_ALREADY_EXISTS);
  });
  if (r == LSTATUS(ERROR_ALREADY_EXISTS)) r = LSTATUS(ERROR_SUCCESS);  // nothing to write
  if (r != LSTATUS(ERROR_SUCCESS)) return r;
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  *result = NewHandle(where);
  return r;
}

LSTATUS RegCloseKey(HKEY key) {
  if (!IsPredefined(key) && !Handles().erase(key)) return LSTATUS(ERROR_INVALID_HANDLE);
  return FlushStore() ? LSTATUS(ERROR_SUCCESS) : LSTATUS(ERROR_CANTWRITE);
}

LSTATUS RegFlushKey(HKEY key) {
  LSTATUS err = LSTATUS(ERROR_SUCCESS);
  if (!Resolve(key, nullptr, &err)) return err;
  return FlushStore() ? LSTATUS(ERROR_SUCCESS) : LSTATUS(ERROR_CANTWRITE);
}

LSTATUS RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD size) {
  if (!data && size) return LSTATUS(ERROR_INVALID_PARAMETER);
  std::string name = valueName ? valueName : "";
  LSTATUS err = LSTATUS(ERROR_SUCCESS);
  OpenKey where;
  if (!Resolve(key, &where, &err)) return err;
  RegValue stored;
  std::optional<RegValue> before;
  LSTATUS r = Change(key, where, [&] {
    RegKey* k = Resolve(key, nullptr, &err);
    RegValue* v = k->FindValue(name);
    if (v) {
      before = *v;
    } else {
      v = &k->AddValue(RegValue{name, type, {}});
    }
    v->Type = type;
    v->Data.assign(data, data + size);
    stored = *v;
    return LSTATUS(ERROR_SUCCESS);
  });
  if (r == LSTATUS(ERROR_SUCCESS) && IsRunKey(where.Hive, where.Path) && !WriteAutostart(stored.Name, &stored)) {
    PutBackRunValue(key, where, stored.Name, before);
    return LSTATUS(ERROR_CANTWRITE);
  }
  return r;
}

LSTATUS RegQueryValueExA(HKEY key, LPCSTR valueName, DWORD*, DWORD* type, BYTE* data, DWORD* size) {
  LSTATUS err = LSTATUS(ERROR_SUCCESS);
  RegKey* k = Resolve(key, nullptr, &err);
  if (!k) return err;
  RegValue* v = k->FindValue(valueName ? valueName : "");
  if (!v) return LSTATUS(ERROR_FILE_NOT_FOUND);
  if (type) *type = v->Type;
  return CopyOut(v->Data.data(), v->Data.size(), data, size);
}

LSTATUS RegDeleteValueA(HKEY key, LPCSTR valueName) {
  std::string name = valueName ? valueName : "";
  LSTATUS err = LSTATUS(ERROR_SUCCESS);
  OpenKey where;
  RegKey* k = Resolve(key, &where, &err);
  if (!k) return err;
  if (!k->FindValue(name)) return LSTATUS(ERROR_FILE_NOT_FOUND);
  std::string storedName;
  std::optional<RegValue> before;
  LSTATUS r = Change(key, where, [&] {
    RegKey* kk = Resolve(key, nullptr, &err);
    RegValue* v = kk->FindValue(name);
    storedName = v->Name;
    before = *v;
    kk->EraseValue(name);
    return LSTATUS(ERROR_SUCCESS);
  });
  if (r == LSTATUS(ERROR_SUCCESS) && IsRunKey(where.Hive, where.Path) && !WriteAutostart(storedName, nullptr)) {
    PutBackRunValue(key, where, storedName, before);
    return LSTATUS(ERROR_CANTWRITE);
  }
  return r;
}

LSTATUS RegDeleteKeyA(HKEY key, LPCSTR subKey) {
  std::vector<std::string> parts = SplitPath(subKey);
  if (parts.empty()) return LSTATUS(ERROR_INVALID_PARAMETER);
  LSTATUS err = LSTATUS(ERROR_SUCCESS);
  OpenKey where;
  RegKey* k = Resolve(key, &where, &err);
  if (!k) return err;
  RegKey* parent = k;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    auto it = parent->Subkeys.find(Lower(parts[i]));
    if (it == parent->Subkeys.end()) return LSTATUS(ERROR_FILE_NOT_FOUND);
    where.Path.push_back(it->second->Name);
    parent = it->second.get();
  }
  auto victim = parent->Subkeys.find(Lower(parts.back()));
  if (victim == parent->Subkeys.end()) return LSTATUS(ERROR_FILE_NOT_FOUND);
  // Autostart entries of a Run key inside the deleted subtree go too.
  std::vector<std::string> runNames;
  std::function<void(const RegKey&, std::vector<std::string>)> collect = [&](const RegKey& rk,
                                                                              std::vector<std::string> path) {
    if (IsRunKey(where.Hive, path))
      for (const RegValue& v : rk.Values) runNames.push_back(v.Name);
    for (const auto& [l, sub] : rk.Subkeys) {
      auto p = path;
      p.push_back(sub->Name);
      collect(*sub, p);
    }
  };
  std::vector<std::string> victimPath = where.Path;
  victimPath.push_back(victim->second->Name);
  collect(*victim->second, victimPath);
  std::string lowerName = Lower(parts.back());
  LSTATUS r = Change(key, where, [&] {
    RegKey* p = Resolve(key, nullptr, &err);
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) p = p->Subkeys[Lower(parts[i])].get();
    p->Subkeys.erase(lowerName);
    return LSTATUS(ERROR_SUCCESS);
  });
  if (r != LSTATUS(ERROR_SUCCESS)) return r;
  for (const std::string& n : runNames) WriteAutostart(n, nullptr);
  return r;
}

LSTATUS RegEnumKeyExA(HKEY key, DWORD index, LPSTR name, DWORD* nameSize, DWORD*, LPSTR keyClass,
                      DWORD* classSize, FILETIME* lastWrite) {
  LSTATUS err = LSTATUS(ERROR_SUCCESS);
  RegKey* k = Resolve(key, nullptr, &err);
  if (!k) return err;
  if (index >= k->Subkeys.size()) return LSTATUS(ERROR_NO_MORE_ITEMS);
  auto it = k->Subkeys.begin();
  std::advance(it, index);
  if (keyClass && classSize && *classSize) keyClass[0] = 0;
  if (classSize) *classSize = 0;
  if (lastWrite) *lastWrite = FILETIME{};
  return CopyName(it->second->Name, name, nameSize);
}

LSTATUS RegEnumKeyA(HKEY key, DWORD index, LPSTR name, DWORD nameSize) {
  DWORD size = nameSize;
  return RegEnumKeyExA(key, index, name, &size, nullptr, nullptr, nullptr, nullptr);
}

LSTATUS RegEnumValueA(HKEY key, DWORD index, LPSTR name, DWORD* nameSize, DWORD*, DWORD* type, BYTE* data,
                      DWORD* dataSize) {
  LSTATUS err = LSTATUS(ERROR_SUCCESS);
  RegKey* k = Resolve(key, nullptr, &err);
  if (!k) return err;
  if (index >= k->Values.size()) return LSTATUS(ERROR_NO_MORE_ITEMS);
  const RegValue& v = k->Values[index];
  LSTATUS r = CopyName(v.Name, name, nameSize);
  if (r != LSTATUS(ERROR_SUCCESS)) return r;
  if (type) *type = v.Type;
  return CopyOut(v.Data.data(), v.Data.size(), data, dataSize);
}

LSTATUS RegQueryInfoKeyA(HKEY key, LPSTR keyClass, DWORD* classSize, DWORD*, DWORD* subKeys, DWORD* maxSubKeyLen,
                         DWORD* maxClassLen, DWORD* values, DWORD* maxValueNameLen, DWORD* maxValueLen,
                         DWORD* securityDescriptor, FILETIME* lastWrite) {
  LSTATUS err = LSTATUS(ERROR_SUCCESS);
  RegKey* k = Resolve(key, nullptr, &err);
  if (!k) return err;
  if (keyClass && classSize && *classSize) keyClass[0] = 0;
  if (classSize) *classSize = 0;
  if (maxClassLen) *maxClassLen = 0;
  if (securityDescriptor) *securityDescriptor = 0;
  if (lastWrite) *lastWrite = FILETIME{};
  if (subKeys) *subKeys = DWORD(k->Subkeys.size());
  if (values) *values = DWORD(k->Values.size());
  DWORD msk = 0, mvn = 0, mvl = 0;
  for (const auto& [l, s] : k->Subkeys) msk = std::max(msk, DWORD(s->Name.size()));
  for (const RegValue& v : k->Values) {
    mvn = std::max(mvn, DWORD(v.Name.size()));
    mvl = std::max(mvl, DWORD(v.Data.size()));
  }
  if (maxSubKeyLen) *maxSubKeyLen = msk;
  if (maxValueNameLen) *maxValueNameLen = mvn;
  if (maxValueLen) *maxValueLen = mvl;
  return LSTATUS(ERROR_SUCCESS);
}

}  // namespace win
