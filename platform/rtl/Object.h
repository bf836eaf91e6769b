#pragma once
// TObject and class information: names, parents, virtual construction through a class
// reference, classes registered by name, and the published members of each class
// (properties, methods and component fields) that streaming and access by name use.
#include "platform/rtl/Events.h"
#include "platform/rtl/Exceptions.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <typeinfo>
#include <vector>

class TObject;
class TComponent;
class Variant;
class TCollection;
struct TClassInfo;
// A class reference.
using TClass = const TClassInfo*;

// Kinds of published properties.
enum TTypeKind { tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod, tkWString, tkInt64, tkVariant };

// Names of an enumeration's values, ordinal 0 first.
struct TEnumInfo {
  std::string Name;
  std::vector<std::string> Names;
  // Ordinal of a value name (case-insensitive), -1 when unknown.
  int IndexOf(std::string_view name) const;
};
// Enumeration names for published properties: VANTREL_ENUM(TAlign, "alNone", "alTop", ...)
// next to the enumeration (same namespace), found by argument-dependent lookup.
#define VANTREL_ENUM(E, ...)                                                \
  inline const TEnumInfo& EnumTypeInfo(E) {                                 \
    static const TEnumInfo info{#E, {__VA_ARGS__}};                         \
    return info;                                                            \
  }
const TEnumInfo& BooleanTypeInfo();

// Names for particular values of an integer property (colours, cursors): the form
// filer writes and reads the name instead of the number.
struct TIdentMapEntry {
  std::int64_t Value;
  const char* Name;
};
using TIdentMap = std::vector<TIdentMapEntry>;

// One published property. Access goes through the property's own routines.
struct TPropInfo {
  std::string Name;
  TTypeKind Kind = tkUnknown;
  const TEnumInfo* EnumType = nullptr;     // enumerations, booleans and the elements of sets
  TClass (*ClassOf)() = nullptr;           // class properties: the declared class
  const std::type_info* MethodSignature = nullptr;  // method properties
  bool HasDefault = false;                 // ordinal, char and set properties
  std::int64_t Default = 0;                // ordinal value or set bits
  bool IsBoolean = false;
  bool Readable = true;                    // false for a write-only property
  const TIdentMap* IdentMap = nullptr;     // integer properties: value names

  std::function<std::int64_t(TObject*)> GetOrd;   // integer, int64, char, enum, set (bits)
  std::function<void(TObject*, std::int64_t)> SetOrd;
  std::function<double(TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<std::string(TObject*)> GetStr;
  std::function<void(TObject*, const std::string&)> SetStr;
  std::function<TObject*(TObject*)> GetObj;
  std::function<void(TObject*, TObject*)> SetObj;
  std::function<TMethod(TObject*)> GetMethod;
  std::function<void(TObject*, const TMethod&)> SetMethod;
  std::function<Variant(TObject*)> GetVar;
  std::function<void(TObject*, const Variant&)> SetVar;
  std::function<bool(TObject*)> StoredFn;  // null: stored
  bool StoredConst = true;

  TClass PropClass() const { return ClassOf ? ClassOf() : nullptr; }
  bool Writable() const { return SetOrd || SetFloat || SetStr || SetObj || SetMethod || SetVar; }
  bool IsStored(TObject* Instance) const { return StoredConst && (!StoredFn || StoredFn(Instance)); }
};

// A published method: binds the method of a given instance as an event.
struct TMethodInfo {
  std::string Name;
  std::function<TMethod(TObject*)> Bind;
};

// A published component field: the form reader stores components it creates there.
struct TFieldInfo {
  std::string Name;
  TClass (*ClassOf)() = nullptr;
  std::function<void(TObject*, TObject*)> Set;
  std::function<TObject*(TObject*)> Get;
};

struct TClassInfo {
  std::string Name;
  TClass Parent = nullptr;
  // Virtual constructors; empty when the class cannot be made that way.
  std::function<TObject*()> NewObject;
  std::function<TObject*(TComponent*)> NewComponent;
  std::function<TObject*(TCollection*)> NewItem;
  // Members published by this class itself (inherited ones live in the parents).
  std::vector<std::shared_ptr<TPropInfo>> OwnProps;
  std::vector<TMethodInfo> Methods;
  std::vector<TFieldInfo> Fields;

  const std::string& ClassName() const { return Name; }
  TClass ClassParent() const { return Parent; }
  bool InheritsFrom(TClass Ancestor) const;
  // Parent steps from this class up to Ancestor; -1 when Ancestor is not an ancestor.
  int DistanceTo(TClass Ancestor) const;
  // Property by name (case-insensitive), nearest declaration first.
  const TPropInfo* FindProp(std::string_view name) const;
  // Every published property, ancestors' first; a redeclared property keeps its place.
  std::vector<const TPropInfo*> Properties() const;
  const TMethodInfo* FindMethod(std::string_view name) const;
  const TFieldInfo* FindField(std::string_view name) const;
};

class TObject {
public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static TClass StaticClass();
  virtual TClass ClassType() const { return StaticClass(); }
  const std::string& ClassName() const { return ClassType()->Name; }
  TClass ClassParent() const { return ClassType()->Parent; }
  bool InheritsFrom(TClass Ancestor) const { return ClassType()->InheritsFrom(Ancestor); }
  template <class T>
  bool Is() const { return InheritsFrom(T::StaticClass()); }
  // The published method Name of this object as an event; unassigned when unknown.
  TMethod MethodAddress(std::string_view Name);
  // Name of the published method an event names on this object; empty when none.
  std::string MethodName(const TMethod& Method);
};

// ASCII case-insensitive comparison of identifiers.
bool SameIdent(std::string_view a, std::string_view b);
bool IsValidIdent(std::string_view s);

// Classes known by name (for the form reader and for look-up by name).
void RegisterClass(TClass Class);
void RegisterClasses(std::initializer_list<TClass> Classes);
void UnRegisterClass(TClass Class);
// nullptr when no class of that name is registered.
TClass GetClass(std::string_view Name);
// Raises EClassNotFound "Class %s not found" when no class of that name is registered.
TClass FindClass(std::string_view Name);

// Virtual construction. Raise EInvalidOperation when the class cannot be made that way.
TObject* CreateObject(TClass Class);
TComponent* CreateComponent(TClass Class, TComponent* Owner);

// Declares class information for T with parent P; put it first in the class body (what
// follows it is private until the next access specifier). An optional
// `static void Publish(TClassBuilder<T>& b)` lists the published members; it may be
// defined in the .cpp, where the classes of object properties are complete. Classes the
// form reader creates by name are registered with RegisterClass (or are the class of a
// published field of the root).
#define VANTREL_CLASS(T, P)                                                  \
public:                                                                     \
  using inherited = P;                                                      \
  static TClass StaticClass() {                                             \
    static const TClassInfo info = BuildClassInfo<T>(#T, P::StaticClass()); \
    return &info;                                                           \
  }                                                                         \
  template <class B>                                                        \
  static void VantrelPublish(B& b) {                                        \
    if constexpr (requires { B::Target::Publish(b); }) B::Target::Publish(b);          \
  }                                                                         \
  TClass ClassType() const override { return StaticClass(); }               \
                                                                            \
private:

#include "platform/rtl/TypInfo.h"
