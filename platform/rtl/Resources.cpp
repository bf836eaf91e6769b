#include "platform/rtl/Resources.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace {
std::string Key(const std::string& Type, const std::string& Name) {
  std::string k = Type + '\n' + Name;
  for (char& c : k) c = char(std::toupper(static_cast<unsigned char>(c)));
  return k;
}
struct Entry {
  std::vector<unsigned char> Bytes;
  TResourceMaker Make;  // set until the bytes are first asked for
};
struct Registry {
  std::map<std::string, Entry> data;
  std::vector<std::pair<std::string, std::string>> order;  // type, name as registered
};
Registry& Reg() {
  static Registry r;
  return r;
}
Entry& Slot(const std::string& Type, const std::string& Name) {
  std::string k = Key(Type, Name);
  auto [it, added] = Reg().data.try_emplace(std::move(k));
  if (added) Reg().order.push_back({Type, Name});
  return it->second;
}
}  // namespace

void RegisterResource(const std::string& Type, const std::string& Name, std::vector<unsigned char> Bytes) {
  Entry& e = Slot(Type, Name);
  e.Bytes = std::move(Bytes);
  e.Make = nullptr;
}

void RegisterResource(const std::string& Type, const std::string& Name, TResourceMaker Make) {
  Entry& e = Slot(Type, Name);
  e.Bytes.clear();
  e.Make = std::move(Make);
}

const std::vector<unsigned char>* FindResource(const std::string& Type, const std::string& Name) {
  auto it = Reg().data.find(Key(Type, Name));
  if (it == Reg().data.end()) return nullptr;
  Entry& e = it->second;
  if (e.Make) {
    // A maker that fails stays in place: the next request tries again.
    e.Bytes = e.Make();
    e.Make = nullptr;
  }
  return &e.Bytes;
}

std::vector<std::string> ResourceNames(const std::string& Type) {
  std::vector<std::string> out;
  for (auto& [t, n] : Reg().order)
    if (Key(t, "") == Key(Type, "") && Reg().data.count(Key(t, n))) out.push_back(n);
  return out;
}

void UnregisterResource(const std::string& Type, const std::string& Name) {
  std::string k = Key(Type, Name);
  Reg().data.erase(k);
  auto& o = Reg().order;
  o.erase(std::remove_if(o.begin(), o.end(), [&](auto& p) { return Key(p.first, p.second) == k; }), o.end());
}

TResourceStream::TResourceStream(const std::string& Name, const std::string& Type) {
  const auto* bytes = FindResource(Type, Name);
  if (!bytes) throw EResNotFound("Resource " + Name + " not found");
  FData.assign(bytes->begin(), bytes->end());
}

std::int64_t TResourceStream::Write(const void*, std::int64_t) {
  throw EStreamError("Can't write to a read-only resource stream");
}
