#pragma once
// Published members: the class builder that lists them, and access to properties by name.
#include "platform/rtl/Object.h"
#include "platform/rtl/Set.h"
#include "platform/rtl/Variant.h"

#include <concepts>
#include <functional>
#include <limits>
#include <type_traits>

namespace typinfo_detail {
template <class V>
struct IsSet : std::false_type {};
template <class E>
struct IsSet<Set<E>> : std::true_type {
  using Element = E;
};

// A class standing for an integer whose values have names (colours): it has a static
// TypeIdents() and converts to and from its 32-bit number.
template <class V>
concept NamedInteger = std::is_class_v<V> && requires {
  { V::TypeIdents() } -> std::same_as<const TIdentMap&>;
  static_cast<std::int32_t>(V{});
};

template <class V>
std::int64_t ToOrd(const V& v) {
  if constexpr (IsSet<V>::value) return static_cast<std::int64_t>(v.Bits());
  else if constexpr (std::is_enum_v<V>) return static_cast<std::int64_t>(v);
  else return static_cast<std::int64_t>(v);
}

[[noreturn]] void RangeError();

template <class V>
V FromOrd(std::int64_t o) {
  if constexpr (IsSet<V>::value) {
    return V::FromBits(static_cast<std::uint64_t>(o));
  } else if constexpr (NamedInteger<V>) {
    return V(FromOrd<std::int32_t>(o));
  } else if constexpr (std::is_same_v<V, bool>) {
    if (o != 0 && o != 1) RangeError();
    return o != 0;
  } else if constexpr (std::is_enum_v<V>) {
    if (o < 0 || o >= static_cast<std::int64_t>(EnumTypeInfo(V{}).Names.size())) RangeError();
    return static_cast<V>(o);
  } else {
    if constexpr (sizeof(V) < sizeof(std::int64_t) || std::is_signed_v<V>) {
      if (o < static_cast<std::int64_t>(std::numeric_limits<V>::min()) ||
          o > static_cast<std::int64_t>(std::numeric_limits<V>::max()))
        RangeError();
    }
    return static_cast<V>(o);
  }
}
}  // namespace typinfo_detail

// Lists the published members of T, inside T::Publish.
template <class T>
class TClassBuilder {
public:
  using Target = T;
  explicit TClassBuilder(TClassInfo& Info) : FInfo(Info) {}

  // Fine-tuning of the property just declared.
  class Prop {
  public:
    explicit Prop(TPropInfo& p) : FProp(p) {}
    // The default value: the writer stores the property only when it differs.
    template <class V>
    Prop& Default(const V& v) {
      FProp.HasDefault = true;
      FProp.Default = typinfo_detail::ToOrd(v);
      return *this;
    }
    Prop& NoDefault() { FProp.HasDefault = false; return *this; }
    Prop& Stored(bool s) { FProp.StoredConst = s; return *this; }
    // Stored predicate: a member function of T (or a callable taking T*) returning bool.
    template <class F>
      requires(!std::is_same_v<F, bool>)
    Prop& Stored(F f) {
      FProp.StoredFn = [f](TObject* o) { return static_cast<bool>(std::invoke(f, static_cast<T*>(o))); };
      return *this;
    }
    // Value names for an integer property; Map must outlive the class (a static table).
    Prop& Idents(const TIdentMap& Map) {
      FProp.IdentMap = &Map;
      return *this;
    }
    // Marks a string property as a wide string.
    Prop& Wide() {
      if (FProp.Kind == tkString) FProp.Kind = tkWString;
      return *this;
    }

  private:
    TPropInfo& FProp;
  };

  // A property read by Get and written by Set (member functions of T or callables taking
  // T*); Set may be nullptr for a read-only property.
  template <class G, class S>
  Prop Property(const char* Name, G Get, S Set) {
    return Define<std::decay_t<std::invoke_result_t<G, T*>>>(Name, Get, Set);
  }
  // A property of type V that can only be written (storage writes it, nothing reads it).
  template <class V, class S>
  Prop WriteOnlyProperty(const char* Name, S Set) {
    return Define<V>(Name, nullptr, Set);
  }

private:
  template <class V, class G, class S>
  Prop Define(const char* Name, G Get, S Set) {
    auto p = std::make_shared<TPropInfo>();
    p->Name = Name;
    p->Readable = !std::is_same_v<G, std::nullptr_t>;
    constexpr bool hasSet = !std::is_same_v<S, std::nullptr_t>;
    if constexpr (std::is_same_v<V, std::string>) {
      p->Kind = tkString;
      if constexpr (!std::is_same_v<G, std::nullptr_t>)
        p->GetStr = [Get](TObject* o) { return std::string(std::invoke(Get, static_cast<T*>(o))); };
      if constexpr (hasSet) p->SetStr = [Set](TObject* o, const std::string& v) { std::invoke(Set, static_cast<T*>(o), v); };
    } else if constexpr (std::is_same_v<V, Variant>) {
      p->Kind = tkVariant;
      if constexpr (!std::is_same_v<G, std::nullptr_t>)
        p->GetVar = [Get](TObject* o) { return Variant(std::invoke(Get, static_cast<T*>(o))); };
      if constexpr (hasSet) p->SetVar = [Set](TObject* o, const Variant& v) { std::invoke(Set, static_cast<T*>(o), v); };
    } else if constexpr (std::is_floating_point_v<V>) {
      p->Kind = tkFloat;
      if constexpr (!std::is_same_v<G, std::nullptr_t>)
        p->GetFloat = [Get](TObject* o) { return static_cast<double>(std::invoke(Get, static_cast<T*>(o))); };
      if constexpr (hasSet) p->SetFloat = [Set](TObject* o, double v) { std::invoke(Set, static_cast<T*>(o), static_cast<V>(v)); };
    } else if constexpr (std::is_pointer_v<V>) {
      using U = std::remove_pointer_t<V>;
      p->Kind = tkClass;
      p->ClassOf = &U::StaticClass;
      if constexpr (!std::is_same_v<G, std::nullptr_t>)
        p->GetObj = [Get](TObject* o) -> TObject* { return std::invoke(Get, static_cast<T*>(o)); };
      if constexpr (hasSet)
        p->SetObj = [Set](TObject* o, TObject* v) {
          U* u = nullptr;
          if (v) {
            if (!v->InheritsFrom(U::StaticClass())) throw EInvalidCast("Invalid class typecast");
            u = dynamic_cast<U*>(v);
            if (!u) throw EInvalidCast("Invalid class typecast");
          }
          std::invoke(Set, static_cast<T*>(o), u);
        };
    } else if constexpr (IsEvent<V>::value) {
      p->Kind = tkMethod;
      p->MethodSignature = &typeid(typename V::Signature);
      if constexpr (!std::is_same_v<G, std::nullptr_t>)
        p->GetMethod = [Get](TObject* o) { return TMethod(std::invoke(Get, static_cast<T*>(o)).Method()); };
      if constexpr (hasSet)
        p->SetMethod = [Set](TObject* o, const TMethod& m) { std::invoke(Set, static_cast<T*>(o), V::FromMethod(m)); };
    } else {
      if constexpr (std::is_same_v<V, bool>) {
        p->Kind = tkEnumeration;
        p->EnumType = &BooleanTypeInfo();
        p->IsBoolean = true;
      } else if constexpr (typinfo_detail::IsSet<V>::value) {
        p->Kind = tkSet;
        p->EnumType = &EnumTypeInfo(typename typinfo_detail::IsSet<V>::Element{});
      } else if constexpr (std::is_enum_v<V>) {
        p->Kind = tkEnumeration;
        p->EnumType = &EnumTypeInfo(V{});
      } else if constexpr (std::is_same_v<V, char>) {
        p->Kind = tkChar;
      } else if constexpr (typinfo_detail::NamedInteger<V>) {
        p->Kind = tkInteger;
        p->IdentMap = &V::TypeIdents();
      } else {
        static_assert(std::is_integral_v<V>, "unsupported property type");
        p->Kind = sizeof(V) > 4 ? tkInt64 : tkInteger;
      }
      if constexpr (!std::is_same_v<G, std::nullptr_t>)
        p->GetOrd = [Get](TObject* o) { return typinfo_detail::ToOrd(V(std::invoke(Get, static_cast<T*>(o)))); };
      if constexpr (hasSet)
        p->SetOrd = [Set](TObject* o, std::int64_t v) { std::invoke(Set, static_cast<T*>(o), typinfo_detail::FromOrd<V>(v)); };
    }
    FInfo.OwnProps.push_back(p);
    return Prop(*p);
  }

public:
  // A published method, bindable by name (events in form descriptions).
  template <class C, class R, class... Args>
  void Method(const char* Name, R (C::*M)(Args...)) {
    FInfo.Methods.push_back(TMethodInfo{Name, [M](TObject* o) {
                                          return TEvent<R(Args...)>::Bind(static_cast<T*>(o), M).Method();
                                        }});
  }

  // A published component field, set by the form reader when it creates the component.
  template <class U>
  void Field(const char* Name, U* T::*F) {
    FInfo.Fields.push_back(TFieldInfo{
        Name, &U::StaticClass,
        [F](TObject* o, TObject* v) { static_cast<T*>(o)->*F = v ? dynamic_cast<U*>(v) : nullptr; },
        [F](TObject* o) -> TObject* { return static_cast<T*>(o)->*F; }});
  }

private:
  TClassInfo& FInfo;
};

template <class T>
TClassInfo BuildClassInfo(const char* Name, TClass Parent) {
  TClassInfo info;
  info.Name = Name;
  info.Parent = Parent;
  if constexpr (!std::is_abstract_v<T>) {
    if constexpr (std::is_constructible_v<T, TComponent*>)
      info.NewComponent = [](TComponent* owner) -> TObject* { return new T(owner); };
    if constexpr (std::is_constructible_v<T, TCollection*>)
      info.NewItem = [](TCollection* c) -> TObject* { return new T(c); };
    if constexpr (std::is_default_constructible_v<T>)
      info.NewObject = []() -> TObject* { return new T(); };
  }
  TClassBuilder<T> b(info);
  T::VantrelPublish(b);
  return info;
}

// Property access by name.
const TPropInfo* GetPropInfo(const TObject* Instance, std::string_view PropName);
// As GetPropInfo, but raises EPropertyError "Unknown property: %s" when absent.
const TPropInfo* FindPropInfo(const TObject* Instance, std::string_view PropName);
bool IsPublishedProp(const TObject* Instance, std::string_view PropName);
TTypeKind PropType(const TObject* Instance, std::string_view PropName);
bool IsStoredProp(TObject* Instance, const TPropInfo* Prop);

std::int64_t GetOrdProp(TObject* Instance, const TPropInfo* Prop);
void SetOrdProp(TObject* Instance, const TPropInfo* Prop, std::int64_t Value);
std::int64_t GetOrdProp(TObject* Instance, std::string_view PropName);
void SetOrdProp(TObject* Instance, std::string_view PropName, std::int64_t Value);
// String form of string, char, integer, enumeration and set properties.
std::string GetStrProp(TObject* Instance, const TPropInfo* Prop);
void SetStrProp(TObject* Instance, const TPropInfo* Prop, const std::string& Value);
std::string GetStrProp(TObject* Instance, std::string_view PropName);
void SetStrProp(TObject* Instance, std::string_view PropName, const std::string& Value);
double GetFloatProp(TObject* Instance, const TPropInfo* Prop);
void SetFloatProp(TObject* Instance, const TPropInfo* Prop, double Value);
double GetFloatProp(TObject* Instance, std::string_view PropName);
void SetFloatProp(TObject* Instance, std::string_view PropName, double Value);
std::string GetEnumProp(TObject* Instance, std::string_view PropName);
void SetEnumProp(TObject* Instance, std::string_view PropName, std::string_view Value);
std::string GetSetProp(TObject* Instance, std::string_view PropName, bool Brackets = false);
void SetSetProp(TObject* Instance, std::string_view PropName, std::string_view Value);
Variant GetVariantProp(TObject* Instance, const TPropInfo* Prop);
void SetVariantProp(TObject* Instance, const TPropInfo* Prop, const Variant& Value);
Variant GetVariantProp(TObject* Instance, std::string_view PropName);
void SetVariantProp(TObject* Instance, std::string_view PropName, const Variant& Value);
TObject* GetObjectProp(TObject* Instance, const TPropInfo* Prop);
// Raises EInvalidCast when Value is not of the property's class.
void SetObjectProp(TObject* Instance, const TPropInfo* Prop, TObject* Value);
TObject* GetObjectProp(TObject* Instance, std::string_view PropName);
void SetObjectProp(TObject* Instance, std::string_view PropName, TObject* Value);
TMethod GetMethodProp(TObject* Instance, const TPropInfo* Prop);
void SetMethodProp(TObject* Instance, const TPropInfo* Prop, const TMethod& Value);
TMethod GetMethodProp(TObject* Instance, std::string_view PropName);
void SetMethodProp(TObject* Instance, std::string_view PropName, const TMethod& Value);

// Enumeration and set names. GetEnumValue gives -1 for an unknown name;
// StringToSet raises EPropertyError "Invalid property element: %s".
std::string GetEnumName(const TEnumInfo& Type, std::int64_t Value);
int GetEnumValue(const TEnumInfo& Type, std::string_view Name);
std::string SetToString(const TEnumInfo& ElementType, std::uint64_t Bits, bool Brackets = false);
std::uint64_t StringToSet(const TEnumInfo& ElementType, std::string_view Value);
