#include "platform/rtl/forms/Filer.h"

#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/TypInfo.h"
#include "platform/rtl/Utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {
constexpr int MaxObjectDepth = 32;

// Same type and same value (element by element for arrays): what a descendant need not
// write again.
bool SameVariant(const Variant& A, const Variant& B) {
  if (A.Type() != B.Type()) return false;
  if (A.IsArray()) {
    if (A.LowBound() != B.LowBound() || A.HighBound() != B.HighBound()) return false;
    for (int i = A.LowBound(); i <= A.HighBound(); ++i)
      if (!SameVariant(A[i], B[i])) return false;
    return true;
  }
  if (A.IsEmpty() || A.IsNull()) return true;
  try {
    return A == B;
  } catch (const Exception&) {
    return false;
  }
}
}  // namespace

std::string FormatFormString(const std::string& Value) {
  if (Value.empty()) return "''";
  std::string out;
  bool quoted = false;
  for (char ch : Value) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c < 32 || c == 127) {
      if (quoted) out += '\'';
      quoted = false;
      out += '#' + std::to_string(c);
    } else {
      if (!quoted) out += '\'';
      quoted = true;
      out += ch;
      if (ch == '\'') out += '\'';
    }
  }
  if (quoted) out += '\'';
  return out;
}

std::string FormatFormFloat(double Value) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, Value);
  std::string s(buf, r.ptr);
  std::string out;
  bool hasPoint = false, hasExp = false;
  for (char c : s) {
    if (c == '.') hasPoint = true;
    if (c == 'e') {
      hasExp = true;
      if (!hasPoint) out += ".0";
      hasPoint = true;
      out += 'E';
      continue;
    }
    if (c == '+') continue;
    out += c;
  }
  if (!hasPoint && !hasExp) out += ".0";
  return out;
}

// Custom entries

void TWriter::DefineProperty(const std::string& Name, const TReaderProc&, const TWriterProc& WriteData, bool HasData) {
  if (!HasData || !WriteData) return;
  WritePropName(Name);
  WriteData(this);
  EndProperty();
}

void TWriter::DefineBinaryProperty(const std::string& Name, const TStreamProc&, const TStreamProc& WriteData,
                                   bool HasData) {
  if (!HasData || !WriteData) return;
  TMemoryStream m;
  WriteData(&m);
  const auto& d = m.Data();
  WritePropName(Name);
  WriteBinary(std::vector<unsigned char>(d.begin(), d.end()));
  EndProperty();
}

// Layout

void TWriter::Indent() { FOut.append(static_cast<std::size_t>(FIndent) * 2, ' '); }

void TWriter::WritePropName(const std::string& Name) {
  Indent();
  FOut += FPrefix + Name + " = ";
  FAfterName = true;
}

void TWriter::EndProperty() {
  FOut += '\n';
  FAfterName = false;
}

void TWriter::WriteValueText(const std::string& Text) {
  if (FListDepth > 0 && !FAfterName) {
    FOut += '\n';
    Indent();
  }
  FOut += Text;
  FAfterName = false;
}

void TWriter::WriteListBegin() {
  WriteValueText("(");
  ++FListDepth;
  ++FIndent;
}

void TWriter::WriteListEnd() {
  FOut += ')';
  --FListDepth;
  --FIndent;
}

void TWriter::WriteInteger(std::int64_t Value) { WriteValueText(std::to_string(Value)); }
void TWriter::WriteFloat(double Value) { WriteValueText(FormatFormFloat(Value)); }
void TWriter::WriteString(const std::string& Value) {
  // Long strings are written in pieces of about 64 bytes joined with '+', one per line,
  // never splitting a multi-byte character.
  constexpr std::size_t piece = 64;
  if (Value.size() <= piece) {
    WriteValueText(FormatFormString(Value));
    return;
  }
  std::string text;
  std::size_t pos = 0;
  while (pos < Value.size()) {
    std::size_t end = pos;
    while (end < Value.size() && end - pos < piece) end += std::max<std::size_t>(1, Utf8CharLength(Value, end));
    if (!text.empty()) text += " +\n" + std::string(static_cast<std::size_t>(FIndent + 1) * 2, ' ');
    text += FormatFormString(Value.substr(pos, end - pos));
    pos = end;
  }
  WriteValueText(text);
}
void TWriter::WriteIdent(const std::string& Ident) { WriteValueText(Ident); }
void TWriter::WriteBoolean(bool Value) { WriteValueText(Value ? "True" : "False"); }
void TWriter::WriteChar(char Value) { WriteValueText(FormatFormString(std::string(1, Value))); }

void TWriter::WriteVariant(const Variant& Value) {
  if (Value.IsArray()) {
    WriteListBegin();
    for (int i = Value.LowBound(); i <= Value.HighBound(); ++i) WriteVariant(Value[i]);
    WriteListEnd();
    return;
  }
  switch (Value.Type()) {
    case varEmpty: WriteIdent("nil"); return;
    case varNull: WriteIdent("Null"); return;
    case varBoolean: WriteBoolean(Value.AsBoolean()); return;
    case varShortInt:
    case varByte:
    case varSmallint:
    case varWord:
    case varInteger:
    case varLongWord:
    case varInt64: WriteInteger(Value.AsInt64()); return;
    case varSingle:
    case varDouble: WriteFloat(Value.AsDouble()); return;
    case varCurrency: WriteValueText(FormatFormFloat(Value.AsCurrency().ToDouble()) + "c"); return;
    case varDate: WriteValueText(FormatFormFloat(Value.AsDateTime()) + "d"); return;
    case varString: WriteString(Value.AsString()); return;
    default: throw EWriteError("Cannot write a variant of type " + VarTypeAsText(Value.Type()));
  }
}

void TWriter::WriteBinary(const std::vector<unsigned char>& Data) {
  static const char hex[] = "0123456789ABCDEF";
  WriteValueText("{");
  ++FIndent;
  for (std::size_t i = 0; i < Data.size(); i += 32) {
    FOut += '\n';
    Indent();
    for (std::size_t j = i; j < Data.size() && j < i + 32; ++j) {
      FOut += hex[Data[j] >> 4];
      FOut += hex[Data[j] & 15];
    }
  }
  FOut += '}';
  --FIndent;
}

void TWriter::WriteCollection(TCollection* Collection) {
  WriteValueText("<");
  int savedList = FListDepth;
  std::string savedPrefix = FPrefix;
  TPersistent* savedAncestor = FAncestor;
  FListDepth = 0;
  FPrefix.clear();
  ++FIndent;
  for (int i = 0; i < Collection->Count(); ++i) {
    FOut += '\n';
    Indent();
    FOut += "item\n";
    ++FIndent;
    FAncestor = nullptr;
    WriteProperties(Collection->Items(i));
    --FIndent;
    Indent();
    FOut += "end";
  }
  --FIndent;
  FOut += '>';
  FListDepth = savedList;
  FPrefix = savedPrefix;
  FAncestor = savedAncestor;
}

// Components and properties

std::string TWriter::ReferenceName(TComponent* Component, TComponent* Root) {
  if (!Component || Component->Name().empty()) return {};
  // A component named like its root is qualified, or it would read back as the root.
  if (Component != Root && Component->Owner() == Root && Root && SameIdent(Component->Name(), Root->Name()))
    return Root->Name() + "." + Component->Name();
  if (Component == Root || Component->Owner() == Root || !Component->Owner()) return Component->Name();
  if (Component->Owner()->Name().empty()) return {};
  return Component->Owner()->Name() + "." + Component->Name();
}

void TWriter::WriteDescendent(TComponent* Root, TComponent* AncestorRoot) {
  FRoot = Root;
  FLookupRoot = Root;
  FAncestorRoot = AncestorRoot;
  WriteComponentAs(Root, AncestorRoot);
}

void TWriter::WriteComponent(TComponent* Component) {
  if (!FRoot) FRoot = Component;
  TComponent* anc = nullptr;
  if (FAncestorRoot && Component != FRoot) anc = FAncestorRoot->FindComponent(Component->Name());
  WriteComponentAs(Component, anc);
}

void TWriter::WriteComponentAs(TComponent* Component, TComponent* AncestorComponent) {
  if (AncestorComponent && !Component->InheritsFrom(AncestorComponent->ClassType())) AncestorComponent = nullptr;
  Indent();
  FOut += AncestorComponent ? "inherited " : "object ";
  if (!Component->Name().empty()) FOut += Component->Name() + ": ";
  FOut += Component->ClassName() + "\n";
  ++FIndent;
  Component->SetState(csWriting, true);
  std::string savedPrefix = FPrefix;
  FPrefix.clear();
  FAncestor = AncestorComponent;
  {
    auto guard = AtScopeExit([&] { Component->SetState(csWriting, false); });
    WriteProperties(Component);
    FAncestor = nullptr;
    Component->GetChildren([this](TComponent* Child) { WriteComponent(Child); }, FRoot);
    FAncestor = nullptr;
    FPrefix = savedPrefix;
  }
  --FIndent;
  Indent();
  FOut += "end\n";
}

void TWriter::WriteProperties(TPersistent* Instance) {
  TPersistent* anc = FAncestor;
  if (anc && !Instance->InheritsFrom(anc->ClassType())) anc = nullptr;
  // A property the ancestor's class lacks is compared with its default instead.
  for (const TPropInfo* p : Instance->ClassType()->Properties())
    WriteProperty(Instance, p, anc && anc->ClassType()->FindProp(p->Name) == p ? anc : nullptr);
  FAncestor = anc;
  Instance->DefineProperties(this);
  FAncestor = anc;
}

void TWriter::WriteProperty(TPersistent* Instance, const TPropInfo* Prop, TPersistent* Anc) {
  if (!Prop->Readable || !Prop->IsStored(Instance)) return;
  switch (Prop->Kind) {
    case tkInteger:
    case tkInt64:
    case tkChar:
    case tkEnumeration:
    case tkSet: {
      if (!Prop->SetOrd) return;
      std::int64_t v = Prop->GetOrd(Instance);
      if (Anc ? v == Prop->GetOrd(Anc) : (Prop->HasDefault && v == Prop->Default)) return;
      WritePropName(Prop->Name);
      if (Prop->Kind == tkChar) {
        WriteChar(static_cast<char>(v));
      } else if (Prop->Kind == tkEnumeration) {
        WriteIdent(GetEnumName(*Prop->EnumType, v));
      } else if (Prop->Kind == tkSet) {
        std::string s = SetToString(*Prop->EnumType, static_cast<std::uint64_t>(v));
        std::string out;
        for (char c : s) out += c == ',' ? std::string(", ") : std::string(1, c);
        WriteValueText("[" + out + "]");
      } else {
        const TIdentMapEntry* named = nullptr;
        if (Prop->IdentMap)
          for (const auto& e : *Prop->IdentMap)
            if (e.Value == v) {
              named = &e;
              break;
            }
        if (named) WriteIdent(named->Name);
        else WriteInteger(v);
      }
      EndProperty();
      return;
    }
    case tkFloat: {
      if (!Prop->SetFloat) return;
      double v = Prop->GetFloat(Instance);
      if (Anc ? (v == Prop->GetFloat(Anc) || (std::isnan(v) && std::isnan(Prop->GetFloat(Anc)))) : v == 0) return;
      WritePropName(Prop->Name);
      WriteFloat(v);
      EndProperty();
      return;
    }
    case tkString:
    case tkWString: {
      if (!Prop->SetStr) return;
      std::string v = Prop->GetStr(Instance);
      if (Anc ? v == Prop->GetStr(Anc) : v.empty()) return;
      WritePropName(Prop->Name);
      WriteString(v);
      EndProperty();
      return;
    }
    case tkMethod: {
      if (!Prop->SetMethod) return;
      TMethod m = Prop->GetMethod(Instance);
      std::string name = m.Assigned() && LookupRoot() ? LookupRoot()->MethodName(m) : std::string();
      if (Anc) {
        TMethod am = Prop->GetMethod(Anc);
        TComponent* ar = FAncestorRoot ? FAncestorRoot : LookupRoot();
        WriteNameProp(Prop, name, true, am.Assigned() && ar ? ar->MethodName(am) : std::string());
      } else {
        WriteNameProp(Prop, name, false, {});
      }
      return;
    }
    case tkVariant: {
      if (!Prop->SetVar) return;
      // No default: the stored rule alone decides, so an unassigned value is written too.
      Variant v = Prop->GetVar(Instance);
      if (Anc && SameVariant(v, Prop->GetVar(Anc))) return;
      WritePropName(Prop->Name);
      WriteVariant(v);
      EndProperty();
      return;
    }
    case tkClass:
      WriteObjectProp(Instance, Prop, Anc);
      return;
    default:
      return;
  }
}

void TWriter::WriteNameProp(const TPropInfo* Prop, const std::string& Name, bool HasAncestor,
                            const std::string& AncestorName) {
  if (HasAncestor ? Name == AncestorName : Name.empty()) return;
  WritePropName(Prop->Name);
  WriteIdent(Name.empty() ? "nil" : Name);
  EndProperty();
}

void TWriter::WriteObjectProp(TPersistent* Instance, const TPropInfo* Prop, TPersistent* Anc) {
  TObject* v = Prop->GetObj(Instance);
  TObject* av = Anc ? Prop->GetObj(Anc) : nullptr;
  TClass cls = Prop->PropClass();
  bool isReference = (v && v->InheritsFrom(TComponent::StaticClass())) ||
                     (!v && cls && cls->InheritsFrom(TComponent::StaticClass()));
  if (isReference) {
    if (!Prop->SetObj) return;
    std::string name = ReferenceName(static_cast<TComponent*>(v), LookupRoot());
    std::string ancName;
    if (auto* ac = dynamic_cast<TComponent*>(av)) {
      TComponent* ar = FAncestorRoot ? FAncestorRoot : LookupRoot();
      // The ancestor's root and its components are named as the descendant names them.
      if (ac == ar && LookupRoot()) ancName = LookupRoot()->Name();
      else if (ac->Owner() == ar) ancName = ac->Name();
      else ancName = ReferenceName(ac, ar);
    }
    WriteNameProp(Prop, name, Anc != nullptr, ancName);
    return;
  }
  if (auto* coll = dynamic_cast<TCollection*>(v)) {
    auto* ancColl = dynamic_cast<TCollection*>(av);
    if (Anc ? (ancColl && CollectionsEqual(coll, ancColl, LookupRoot(), FAncestorRoot)) : coll->Count() == 0) return;
    WritePropName(Prop->Name);
    WriteCollection(coll);
    EndProperty();
    return;
  }
  auto* sub = dynamic_cast<TPersistent*>(v);
  if (!sub || FDepth >= MaxObjectDepth) return;
  std::string savedPrefix = FPrefix;
  TPersistent* savedAncestor = FAncestor;
  FPrefix += Prop->Name + ".";
  FAncestor = dynamic_cast<TPersistent*>(av);
  ++FDepth;
  auto guard = AtScopeExit([&] {
    --FDepth;
    FPrefix = savedPrefix;
    FAncestor = savedAncestor;
  });
  WriteProperties(sub);
}
