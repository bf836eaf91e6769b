// TReader: components, properties, references and the loading sequence.
#include "platform/rtl/forms/Filer.h"

#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/TypInfo.h"

#include <algorithm>

namespace {
[[noreturn]] void ReadErrorAt(const std::string& Message, int Line) {
  throw EReadError(Message + " on line " + std::to_string(Line));
}

bool ClassChainHas(TClass c, std::string_view Name) {
  for (; c; c = c->Parent)
    if (SameIdent(c->Name, Name)) return true;
  return false;
}

bool IsObjectKeyword(const TParser& p) { return p.IsSymbol("object") || p.IsSymbol("inherited") || p.IsSymbol("inline"); }

const std::string kErrorPrefix = "Error reading ";
}  // namespace

void TReader::ReadRootComponent(TComponent* Root) { ReadRootComponents(Root, {}); }

void TReader::ReadRootComponents(TComponent* Root, const std::vector<std::string>& MoreTexts) {
  FRoot = Root;
  FOwner = Root;
  {
    auto abandon = AtScopeFailure([this] { FinishLoading(false); });
    // References are fixed up per text: each names the root as it calls it.
    ReadRootText(Root);
    FixupReferences();
    for (const std::string& text : MoreTexts) {
      FTexts.push_back(text);
      FParser = std::make_unique<TParser>(FTexts.back());
      FClosers.clear();
      ReadRootText(Root);
      FixupReferences();
    }
  }
  FinishLoading(true);
}

void TReader::ReadHeader(std::string& Keyword, std::string& Name, std::string& ClassName) {
  if (!IsObjectKeyword(*FParser)) FParser->Error("'object' expected");
  Keyword = FParser->TokenString();
  FParser->NextToken();
  std::string first = FParser->ExpectIdent();
  if (FParser->IsChar(':')) {
    FParser->NextToken();
    Name = first;
    if (FParser->IsSymbol("end") || IsObjectKeyword(*FParser)) FParser->Error("Identifier expected");
    ClassName = FParser->ExpectIdent();
  } else {
    Name.clear();
    ClassName = first;
  }
  if (FParser->IsChar('[')) {
    FParser->NextToken();
    ReadInteger();
    FParser->Expect(']');
  }
}

void TReader::ReadRootText(TComponent* Root) {
  int line = FParser->SourceLine();
  std::string keyword, name, className;
  ReadHeader(keyword, name, className);
  if (!ClassChainHas(Root->ClassType(), className))
    ReadErrorAt("Cannot load a " + className + " description into a " + Root->ClassName(), line);
  if (std::find(FLoaded.begin(), FLoaded.end(), Root) == FLoaded.end()) FLoaded.push_back(Root);
  Root->SetState(csLoading, true);
  Root->SetState(csReading, true);
  if (!name.empty() && name != Root->Name()) {
    try {
      Root->SetName(name);
    } catch (const EParserError&) {
      throw;
    } catch (const Exception& e) {
      ReadErrorAt(e.Message(), line);
    }
  }
  FContext = Root->Name().empty() ? Root->ClassName() : Root->Name();
  FParent = Root;
  ReadProperties(Root);
  while (IsObjectKeyword(*FParser)) ReadComponent(Root);
  if (!FParser->IsSymbol("end")) FParser->Error("'end' expected");
  FParser->NextToken();
  if (FParser->Token() != toEOF) FParser->Error("End of file expected");
  Root->SetState(csReading, false);
}

TClass TReader::FindComponentClass(const std::string& ClassName) {
  for (TClass c = FRoot->ClassType(); c; c = c->Parent)
    for (const TFieldInfo& f : c->Fields) {
      TClass fc = f.ClassOf();
      if (SameIdent(fc->Name, ClassName)) return fc;
    }
  return FindClass(ClassName);
}

void TReader::ReadComponent(TComponent* Parent) {
  EnterNested();
  int line = FParser->SourceLine();
  std::string keyword, name, className;
  ReadHeader(keyword, name, className);
  bool inherited = SameIdent(keyword, "inherited"), isInline = SameIdent(keyword, "inline");
  TComponent* comp = nullptr;
  if ((inherited || isInline) && !name.empty()) comp = FOwner->FindComponent(name);
  if (inherited && !comp) ReadErrorAt("Ancestor for '" + name + "' not found", line);
  if (comp && !ClassChainHas(comp->ClassType(), className))
    ReadErrorAt("Class " + className + " does not match " + comp->ClassName() + " of '" + name + "'", line);
  if (!comp) {
    TClass cls = FindComponentClass(className);
    if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->NewComponent)
      ReadErrorAt("Class " + className + " is not a component class", line);
    comp = CreateComponent(cls, FOwner);
    FLoaded.push_back(comp);
    comp->SetState(csLoading, true);
    try {
      if (!name.empty()) comp->SetName(name);
      comp->SetParentComponent(Parent);
    } catch (const EParserError&) {
      throw;
    } catch (const Exception& e) {
      ReadErrorAt(e.Message(), line);
    }
  } else if (std::find(FLoaded.begin(), FLoaded.end(), comp) == FLoaded.end()) {
    FLoaded.push_back(comp);
  }
  if (isInline) comp->SetState(csInline, true);
  comp->SetState(csLoading, true);
  comp->SetState(csReading, true);

  std::string savedContext = FContext;
  TComponent* savedParent = FParent;
  FContext = name.empty() ? className : name;
  FParent = comp;
  ++FDepth;
  {
    auto guard = AtScopeExit([&] {
      --FDepth;
      FContext = savedContext;
      FParent = savedParent;
    });
    ReadProperties(comp);
    while (IsObjectKeyword(*FParser)) ReadComponent(comp);
    if (!FParser->IsSymbol("end")) FParser->Error("'end' expected");
    FParser->NextToken();
  }
  comp->SetState(csReading, false);
}

void TReader::ReadProperties(TPersistent* Instance) {
  while (FParser->Token() == toSymbol && !FParser->IsSymbol("end") && !IsObjectKeyword(*FParser)) ReadProperty(Instance);
}

void TReader::PropError(const std::string& Path, const std::string& Message, int Line) {
  ReadErrorAt(kErrorPrefix + FContext + "." + Path + ": " + Message, Line);
}

void TReader::ReadProperty(TPersistent* Instance) {
  int line = FParser->SourceLine();
  std::string path = FParser->ExpectIdent();
  try {
    FParser->Expect('=');
    TPersistent* obj = Instance;
    std::size_t start = 0;
    for (std::size_t dot; (dot = path.find('.', start)) != std::string::npos; start = dot + 1) {
      std::string part = path.substr(start, dot - start);
      const TPropInfo* p = obj->ClassType()->FindProp(part);
      if (!p || p->Kind != tkClass || !p->Readable) PropError(path, "Property " + part + " does not exist", line);
      auto* sub = dynamic_cast<TPersistent*>(p->GetObj(obj));
      if (!sub) PropError(path, "Property " + part + " has no object", line);
      obj = sub;
    }
    std::string last = path.substr(start);
    if (const TPropInfo* p = obj->ClassType()->FindProp(last)) {
      ReadPropValue(obj, p, path);
      return;
    }
    FPropName = last;
    FPropFound = false;
    {
      auto guard = AtScopeExit([&] { FPropName.clear(); });
      obj->DefineProperties(this);
    }
    if (!FPropFound) PropError(path, "Property " + last + " does not exist", line);
  } catch (const EParserError& e) {
    if (e.Message().compare(0, kErrorPrefix.size(), kErrorPrefix) == 0) throw;
    throw EParserError(kErrorPrefix + FContext + "." + path + ": " + e.Message());
  } catch (const EClassNotFound&) {
    throw;
  } catch (const Exception& e) {
    if (e.Message().compare(0, kErrorPrefix.size(), kErrorPrefix) == 0) throw;
    PropError(path, e.Message(), line);
  }
}

void TReader::ReadPropValue(TPersistent* Instance, const TPropInfo* Prop, const std::string& Path) {
  switch (Prop->Kind) {
    case tkInteger:
    case tkInt64: {
      std::int64_t v = 0;
      if (FParser->Token() == toSymbol && Prop->IdentMap) {
        std::string ident = ReadIdent();
        auto it = std::find_if(Prop->IdentMap->begin(), Prop->IdentMap->end(),
                               [&](const TIdentMapEntry& e) { return SameIdent(e.Name, ident); });
        if (it == Prop->IdentMap->end()) throw EPropertyError("Invalid property value: " + ident);
        v = it->Value;
      } else {
        if (FParser->Token() != toInteger) InvalidValue();
        v = ReadInt64();
      }
      SetOrdProp(Instance, Prop, v);
      return;
    }
    case tkChar:
      SetOrdProp(Instance, Prop, ReadChar());
      return;
    case tkEnumeration: {
      if (FParser->Token() != toSymbol) InvalidValue();
      std::string ident = ReadIdent();
      int v = Prop->EnumType->IndexOf(ident);
      if (v < 0) throw EPropertyError("Invalid property value: " + ident);
      SetOrdProp(Instance, Prop, v);
      return;
    }
    case tkSet:
      if (!FParser->IsChar('[')) InvalidValue();
      SetOrdProp(Instance, Prop, static_cast<std::int64_t>(ReadSetBits(*Prop->EnumType)));
      return;
    case tkFloat:
      SetFloatProp(Instance, Prop, ReadFloat());
      return;
    case tkString:
    case tkWString:
      if (FParser->Token() != toString) InvalidValue();
      SetStrProp(Instance, Prop, ReadString());
      return;
    case tkMethod: {
      if (FParser->Token() != toSymbol) InvalidValue();
      std::string name = ReadIdent();
      TMethod m;
      if (!SameIdent(name, "nil")) {
        m = LookupRoot()->MethodAddress(name);
        if (!m.Assigned()) throw EPropertyError("Method " + name + " not found");
      }
      SetMethodProp(Instance, Prop, m);
      return;
    }
    case tkVariant:
      SetVariantProp(Instance, Prop, ReadVariant());
      return;
    case tkClass:
      ReadObjectValue(Instance, Prop, Path);
      return;
    default:
      InvalidValue();
  }
}

void TReader::ReadObjectValue(TPersistent* Instance, const TPropInfo* Prop, const std::string& Path) {
  if (FParser->IsChar('<')) {
    auto* coll = dynamic_cast<TCollection*>(GetObjectProp(Instance, Prop));
    if (!coll) InvalidValue();
    ReadValue();
    std::string saved = FContext;
    FContext = FContext + "." + Path;
    {
      auto guard = AtScopeExit([&] { FContext = saved; });
      ReadCollection(coll);
    }
    return;
  }
  if (FParser->Token() != toSymbol) InvalidValue();
  int line = FParser->SourceLine();
  std::string name = ReadIdent();
  if (!Prop->SetObj) throw EPropertyError("Property is read-only: " + Prop->Name);
  if (SameIdent(name, "nil")) {
    SetObjectProp(Instance, Prop, nullptr);
    return;
  }
  TClass cls = Prop->PropClass();
  if (!cls || !cls->InheritsFrom(TComponent::StaticClass())) InvalidValue();
  FFixups.push_back(TFixup{Instance, Prop, name, FContext + "." + Path, line});
}

TComponent* TReader::ResolveReference(const std::string& Name) {
  std::size_t dot = Name.find('.');
  std::string first = Name.substr(0, dot);
  TComponent* base = nullptr;
  if (SameIdent(first, FRoot->Name())) base = FRoot;
  if (dot == std::string::npos) return base ? base : FRoot->FindComponent(first);
  if (!base) base = FindGlobalComponent(first);
  std::size_t start = dot + 1;
  while (base) {
    dot = Name.find('.', start);
    base = base->FindComponent(Name.substr(start, dot == std::string::npos ? std::string::npos : dot - start));
    if (dot == std::string::npos) break;
    start = dot + 1;
  }
  return base;
}

void TReader::FixupReferences() {
  // Setting a reference may free objects; the free hook drops their entries.
  while (!FFixups.empty()) {
    TFixup f = FFixups.front();
    FFixups.erase(FFixups.begin());
    TComponent* target = ResolveReference(f.Name);
    if (!target) ReadErrorAt(kErrorPrefix + f.Path + ": Unresolved reference to '" + f.Name + "'", f.Line);
    try {
      SetObjectProp(f.Instance, f.Prop, target);
    } catch (const Exception& e) {
      ReadErrorAt(kErrorPrefix + f.Path + ": " + e.Message(), f.Line);
    }
  }
}

void TReader::FinishLoading(bool Success) {
  FFixups.clear();
  for (TComponent* c : FLoaded) c->SetState(csReading, false);
  if (!Success) {
    for (TComponent* c : FLoaded) c->SetState(csLoading, false);
    FLoaded.clear();
    return;
  }
  // Loaded may free components; the free hook drops them from the list.
  auto abandon = AtScopeFailure([this] {
    for (TComponent* c : FLoaded) c->SetState(csLoading, false);
    FLoaded.clear();
  });
  while (!FLoaded.empty()) {
    TComponent* c = FLoaded.front();
    FLoaded.erase(FLoaded.begin());
    c->Loaded();
  }
}
