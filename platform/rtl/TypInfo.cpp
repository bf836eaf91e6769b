#include "platform/rtl/TypInfo.h"

namespace typinfo_detail {
void RangeError() { throw ERangeError("Range check error"); }
}  // namespace typinfo_detail

namespace {
[[noreturn]] void PropertyError(std::string_view what, std::string_view name) {
  throw EPropertyError(std::string(what) + std::string(name));
}
[[noreturn]] void ReadOnly(const TPropInfo* p) { PropertyError("Property is read-only: ", p->Name); }
[[noreturn]] void WrongKind(const TPropInfo* p) { throw EInvalidCast("Invalid property type: " + p->Name); }
void CheckReadable(const TPropInfo* p) {
  if (!p->Readable) PropertyError("Property is write-only: ", p->Name);
}
bool IsOrdinal(const TPropInfo* p) {
  switch (p->Kind) {
    case tkInteger: case tkChar: case tkEnumeration: case tkSet: case tkInt64: return true;
    default: return false;
  }
}
}  // namespace

const TPropInfo* GetPropInfo(const TObject* Instance, std::string_view PropName) {
  return Instance ? Instance->ClassType()->FindProp(PropName) : nullptr;
}

const TPropInfo* FindPropInfo(const TObject* Instance, std::string_view PropName) {
  const TPropInfo* p = GetPropInfo(Instance, PropName);
  if (!p) PropertyError("Unknown property: ", PropName);
  return p;
}

bool IsPublishedProp(const TObject* Instance, std::string_view PropName) {
  return GetPropInfo(Instance, PropName) != nullptr;
}

TTypeKind PropType(const TObject* Instance, std::string_view PropName) {
  return FindPropInfo(Instance, PropName)->Kind;
}

bool IsStoredProp(TObject* Instance, const TPropInfo* Prop) { return Prop->IsStored(Instance); }

std::int64_t GetOrdProp(TObject* Instance, const TPropInfo* Prop) {
  CheckReadable(Prop);
  if (!Prop->GetOrd) {
    if (Prop->GetObj) return static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(Prop->GetObj(Instance)));
    WrongKind(Prop);
  }
  return Prop->GetOrd(Instance);
}

void SetOrdProp(TObject* Instance, const TPropInfo* Prop, std::int64_t Value) {
  if (!IsOrdinal(Prop)) WrongKind(Prop);
  if (!Prop->SetOrd) ReadOnly(Prop);
  if (Prop->Kind == tkSet && Prop->EnumType) {
    std::size_t n = Prop->EnumType->Names.size();
    if (n < 64 && (static_cast<std::uint64_t>(Value) >> n) != 0) throw ERangeError("Range check error");
  }
  Prop->SetOrd(Instance, Value);
}

std::string GetStrProp(TObject* Instance, const TPropInfo* Prop) {
  CheckReadable(Prop);
  switch (Prop->Kind) {
    case tkString:
    case tkWString:
      return Prop->GetStr(Instance);
    case tkChar: {
      std::int64_t c = Prop->GetOrd(Instance);
      return std::string(1, static_cast<char>(c));
    }
    case tkInteger:
    case tkInt64:
      return std::to_string(Prop->GetOrd(Instance));
    case tkEnumeration:
      return GetEnumName(*Prop->EnumType, Prop->GetOrd(Instance));
    case tkSet:
      return SetToString(*Prop->EnumType, static_cast<std::uint64_t>(Prop->GetOrd(Instance)));
    default:
      WrongKind(Prop);
  }
}

void SetStrProp(TObject* Instance, const TPropInfo* Prop, const std::string& Value) {
  switch (Prop->Kind) {
    case tkString:
    case tkWString:
      if (!Prop->SetStr) ReadOnly(Prop);
      Prop->SetStr(Instance, Value);
      return;
    case tkEnumeration: {
      int v = GetEnumValue(*Prop->EnumType, Value);
      if (v < 0) throw EPropertyError("Invalid property value");
      SetOrdProp(Instance, Prop, v);
      return;
    }
    case tkSet:
      SetOrdProp(Instance, Prop, static_cast<std::int64_t>(StringToSet(*Prop->EnumType, Value)));
      return;
    case tkChar:
      if (Value.size() != 1) throw EPropertyError("Invalid property value");
      SetOrdProp(Instance, Prop, Value[0]);
      return;
    default:
      WrongKind(Prop);
  }
}

double GetFloatProp(TObject* Instance, const TPropInfo* Prop) {
  CheckReadable(Prop);
  if (!Prop->GetFloat) WrongKind(Prop);
  return Prop->GetFloat(Instance);
}

void SetFloatProp(TObject* Instance, const TPropInfo* Prop, double Value) {
  if (Prop->Kind != tkFloat) WrongKind(Prop);
  if (!Prop->SetFloat) ReadOnly(Prop);
  Prop->SetFloat(Instance, Value);
}

Variant GetVariantProp(TObject* Instance, const TPropInfo* Prop) {
  CheckReadable(Prop);
  if (!Prop->GetVar) WrongKind(Prop);
  return Prop->GetVar(Instance);
}

void SetVariantProp(TObject* Instance, const TPropInfo* Prop, const Variant& Value) {
  if (Prop->Kind != tkVariant) WrongKind(Prop);
  if (!Prop->SetVar) ReadOnly(Prop);
  Prop->SetVar(Instance, Value);
}

TObject* GetObjectProp(TObject* Instance, const TPropInfo* Prop) {
  CheckReadable(Prop);
  if (!Prop->GetObj) WrongKind(Prop);
  return Prop->GetObj(Instance);
}

void SetObjectProp(TObject* Instance, const TPropInfo* Prop, TObject* Value) {
  if (Prop->Kind != tkClass) WrongKind(Prop);
  if (!Prop->SetObj) ReadOnly(Prop);
  if (Value && !Value->InheritsFrom(Prop->PropClass())) throw EInvalidCast("Invalid class typecast");
  Prop->SetObj(Instance, Value);
}

TMethod GetMethodProp(TObject* Instance, const TPropInfo* Prop) {
  CheckReadable(Prop);
  if (!Prop->GetMethod) WrongKind(Prop);
  return Prop->GetMethod(Instance);
}

void SetMethodProp(TObject* Instance, const TPropInfo* Prop, const TMethod& Value) {
  if (Prop->Kind != tkMethod) WrongKind(Prop);
  if (!Prop->SetMethod) ReadOnly(Prop);
  Prop->SetMethod(Instance, Value);
}

std::int64_t GetOrdProp(TObject* I, std::string_view N) { return GetOrdProp(I, FindPropInfo(I, N)); }
void SetOrdProp(TObject* I, std::string_view N, std::int64_t V) { SetOrdProp(I, FindPropInfo(I, N), V); }
std::string GetStrProp(TObject* I, std::string_view N) { return GetStrProp(I, FindPropInfo(I, N)); }
void SetStrProp(TObject* I, std::string_view N, const std::string& V) { SetStrProp(I, FindPropInfo(I, N), V); }
double GetFloatProp(TObject* I, std::string_view N) { return GetFloatProp(I, FindPropInfo(I, N)); }
void SetFloatProp(TObject* I, std::string_view N, double V) { SetFloatProp(I, FindPropInfo(I, N), V); }
Variant GetVariantProp(TObject* I, std::string_view N) { return GetVariantProp(I, FindPropInfo(I, N)); }
void SetVariantProp(TObject* I, std::string_view N, const Variant& V) { SetVariantProp(I, FindPropInfo(I, N), V); }
TObject* GetObjectProp(TObject* I, std::string_view N) { return GetObjectProp(I, FindPropInfo(I, N)); }
void SetObjectProp(TObject* I, std::string_view N, TObject* V) { SetObjectProp(I, FindPropInfo(I, N), V); }
TMethod GetMethodProp(TObject* I, std::string_view N) { return GetMethodProp(I, FindPropInfo(I, N)); }
void SetMethodProp(TObject* I, std::string_view N, const TMethod& V) { SetMethodProp(I, FindPropInfo(I, N), V); }

std::string GetEnumProp(TObject* I, std::string_view N) {
  const TPropInfo* p = FindPropInfo(I, N);
  if (p->Kind != tkEnumeration) WrongKind(p);
  return GetEnumName(*p->EnumType, GetOrdProp(I, p));
}

void SetEnumProp(TObject* I, std::string_view N, std::string_view V) {
  const TPropInfo* p = FindPropInfo(I, N);
  if (p->Kind != tkEnumeration) WrongKind(p);
  int v = GetEnumValue(*p->EnumType, V);
  if (v < 0) throw EPropertyError("Invalid property element: " + std::string(V));
  SetOrdProp(I, p, v);
}

std::string GetSetProp(TObject* I, std::string_view N, bool Brackets) {
  const TPropInfo* p = FindPropInfo(I, N);
  if (p->Kind != tkSet) WrongKind(p);
  return SetToString(*p->EnumType, static_cast<std::uint64_t>(GetOrdProp(I, p)), Brackets);
}

void SetSetProp(TObject* I, std::string_view N, std::string_view V) {
  const TPropInfo* p = FindPropInfo(I, N);
  if (p->Kind != tkSet) WrongKind(p);
  SetOrdProp(I, p, static_cast<std::int64_t>(StringToSet(*p->EnumType, V)));
}

std::string GetEnumName(const TEnumInfo& Type, std::int64_t Value) {
  if (Value < 0 || Value >= static_cast<std::int64_t>(Type.Names.size())) return std::to_string(Value);
  return Type.Names[static_cast<std::size_t>(Value)];
}

int GetEnumValue(const TEnumInfo& Type, std::string_view Name) { return Type.IndexOf(Name); }

std::string SetToString(const TEnumInfo& ElementType, std::uint64_t Bits, bool Brackets) {
  std::string out;
  for (std::size_t i = 0; i < ElementType.Names.size() && i < 64; ++i)
    if (Bits & (std::uint64_t(1) << i)) {
      if (!out.empty()) out += ',';
      out += ElementType.Names[i];
    }
  return Brackets ? "[" + out + "]" : out;
}

std::uint64_t StringToSet(const TEnumInfo& ElementType, std::string_view Value) {
  std::string_view s = Value;
  auto trim = [](std::string_view v) {
    while (!v.empty() && static_cast<unsigned char>(v.front()) <= ' ') v.remove_prefix(1);
    while (!v.empty() && static_cast<unsigned char>(v.back()) <= ' ') v.remove_suffix(1);
    return v;
  };
  s = trim(s);
  if (!s.empty() && s.front() == '[') {
    s.remove_prefix(1);
    if (s.empty() || s.back() != ']') throw EPropertyError("Invalid property element: " + std::string(Value));
    s.remove_suffix(1);
  }
  std::uint64_t bits = 0;
  while (!(s = trim(s)).empty()) {
    std::size_t comma = s.find(',');
    std::string_view name = trim(s.substr(0, comma));
    int v = ElementType.IndexOf(name);
    if (v < 0 || v >= 64) throw EPropertyError("Invalid property element: " + std::string(name));
    bits |= std::uint64_t(1) << v;
    if (comma == std::string_view::npos) break;
    s.remove_prefix(comma + 1);
  }
  return bits;
}
