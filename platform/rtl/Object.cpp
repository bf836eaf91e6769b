#include "platform/rtl/Object.h"

#include <algorithm>
#include <map>
#include <mutex>

bool SameIdent(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x >= 'a' && x <= 'z') x -= 32;
    if (y >= 'a' && y <= 'z') y -= 32;
    if (x != y) return false;
  }
  return true;
}

bool IsValidIdent(std::string_view s) {
  if (s.empty()) return false;
  auto alpha = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
  if (!alpha(s[0])) return false;
  return std::all_of(s.begin() + 1, s.end(), [&](char c) { return alpha(c) || (c >= '0' && c <= '9'); });
}

int TEnumInfo::IndexOf(std::string_view name) const {
  for (std::size_t i = 0; i < Names.size(); ++i)
    if (SameIdent(Names[i], name)) return static_cast<int>(i);
  return -1;
}

const TEnumInfo& BooleanTypeInfo() {
  static const TEnumInfo info{"Boolean", {"False", "True"}};
  return info;
}

bool TClassInfo::InheritsFrom(TClass Ancestor) const { return DistanceTo(Ancestor) >= 0; }

int TClassInfo::DistanceTo(TClass Ancestor) const {
  int d = 0;
  for (TClass c = this; c; c = c->Parent, ++d)
    if (c == Ancestor) return d;
  return -1;
}

const TPropInfo* TClassInfo::FindProp(std::string_view name) const {
  for (TClass c = this; c; c = c->Parent)
    for (auto it = c->OwnProps.rbegin(); it != c->OwnProps.rend(); ++it)
      if (SameIdent((*it)->Name, name)) return it->get();
  return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
  std::vector<TClass> chain;
  for (TClass c = this; c; c = c->Parent) chain.push_back(c);
  std::vector<const TPropInfo*> out;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    for (const auto& p : (*it)->OwnProps) {
      auto same = std::find_if(out.begin(), out.end(), [&](const TPropInfo* q) { return SameIdent(q->Name, p->Name); });
      if (same != out.end()) *same = p.get();
      else out.push_back(p.get());
    }
  return out;
}

const TMethodInfo* TClassInfo::FindMethod(std::string_view name) const {
  for (TClass c = this; c; c = c->Parent)
    for (const auto& m : c->Methods)
      if (SameIdent(m.Name, name)) return &m;
  return nullptr;
}

const TFieldInfo* TClassInfo::FindField(std::string_view name) const {
  for (TClass c = this; c; c = c->Parent)
    for (const auto& f : c->Fields)
      if (SameIdent(f.Name, name)) return &f;
  return nullptr;
}

TClass TObject::StaticClass() {
  static const TClassInfo info = [] {
    TClassInfo i;
    i.Name = "TObject";
    i.NewObject = []() { return new TObject(); };
    return i;
  }();
  return &info;
}

TMethod TObject::MethodAddress(std::string_view Name) {
  const TMethodInfo* m = ClassType()->FindMethod(Name);
  return m ? m->Bind(this) : TMethod{};
}

std::string TObject::MethodName(const TMethod& Method) {
  if (!Method.Assigned()) return {};
  for (TClass c = ClassType(); c; c = c->Parent)
    for (const auto& m : c->Methods)
      if (m.Bind(this) == Method) return m.Name;
  return {};
}

namespace {
struct ClassRegistry {
  std::mutex Lock;
  std::vector<TClass> Classes;
};
ClassRegistry& Registry() {
  static ClassRegistry r;
  return r;
}
}  // namespace

void RegisterClass(TClass Class) {
  auto& r = Registry();
  std::lock_guard g(r.Lock);
  for (TClass& c : r.Classes)
    if (SameIdent(c->Name, Class->Name)) {
      c = Class;
      return;
    }
  r.Classes.push_back(Class);
}

void RegisterClasses(std::initializer_list<TClass> Classes) {
  for (TClass c : Classes) RegisterClass(c);
}

void UnRegisterClass(TClass Class) {
  auto& r = Registry();
  std::lock_guard g(r.Lock);
  std::erase(r.Classes, Class);
}

TClass GetClass(std::string_view Name) {
  auto& r = Registry();
  std::lock_guard g(r.Lock);
  for (TClass c : r.Classes)
    if (SameIdent(c->Name, Name)) return c;
  return nullptr;
}

TClass FindClass(std::string_view Name) {
  TClass c = GetClass(Name);
  if (!c) throw EClassNotFound("Class " + std::string(Name) + " not found");
  return c;
}

TObject* CreateObject(TClass Class) {
  if (!Class || !Class->NewObject)
    throw EInvalidOperation("Cannot create an instance of " + (Class ? Class->Name : std::string("nil")));
  return Class->NewObject();
}
