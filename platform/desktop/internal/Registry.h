#pragma once
// The registry tree held in memory and its file store.
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/desktop/internal/State.h"

namespace win::detail {

// Limits of the tree: the depth of keys and the length of a key name.
inline constexpr std::size_t kMaxKeyDepth = 512;
inline constexpr std::size_t kMaxKeyName = 255;

struct RegValue {
  std::string Name;
  DWORD Type = REG_NONE;
  std::vector<BYTE> Data;
};

struct RegKey {
  std::string Name;
  std::vector<RegValue> Values;  // in the order written; changed only through the calls below
  std::map<std::string, std::unique_ptr<RegKey>> Subkeys;  // by lower-case name
  RegValue* FindValue(const std::string& name);
  // Appends a value; a name already there keeps its first value.
  RegValue& AddValue(RegValue value);
  // Removes the value of that name; false when there is none.
  bool EraseValue(const std::string& name);

private:
  std::unordered_map<std::string, std::size_t> Index;  // lower-case name -> place in Values
};

struct RegistryStore {
  bool Loaded = false;
  bool Dirty = false;     // changes not yet in the store
  bool KeptInPlace = false;  // an unreadable store that could not be moved aside: never written
  std::string SavedText;  // the tree as the store holds it
  std::map<std::uintptr_t, RegKey> Hives;  // by predefined key
  std::function<bool(const std::string&)> WriteHook;
};

RegistryStore& Store();
// Loads the store on first use.
void EnsureLoaded();
std::string StorePath();
std::string Serialize();
// Replaces the tree with what text describes; false when text is not a store.
bool Deserialize(const std::string& text);
// Writes pending changes to the store atomically. When that fails the tree goes back to
// what the store holds and the result is false.
bool FlushStore();

// Keeps the user's autostart entry in step with a value of the machine's Run key.
bool IsRunKey(std::uintptr_t hive, const std::vector<std::string>& path);
bool WriteAutostart(const std::string& name, const RegValue* value);

}  // namespace win::detail
