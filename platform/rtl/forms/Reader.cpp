#include "platform/rtl/forms/Filer.h"

#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/TypInfo.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Readers active on this thread, newest first (a plain pointer: no destruction order issues).
thread_local TReader* gActiveReaders = nullptr;
constexpr int MaxDepth = 200;

}  // namespace

void ReaderObjectFreed(TPersistent* Instance) {
  for (TReader* r = gActiveReaders; r; r = r->FNextActive) r->ObjectFreed(Instance);
}

TReader::TReader(std::string_view Text) {
  FTexts.emplace_back(Text);
  FParser = std::make_unique<TParser>(FTexts.back());
  FNextActive = gActiveReaders;
  gActiveReaders = this;
}

TReader::~TReader() {
  for (TReader** p = &gActiveReaders; *p; p = &(*p)->FNextActive)
    if (*p == this) {
      *p = FNextActive;
      break;
    }
}

void TReader::ObjectFreed(TPersistent* Instance) {
  std::erase_if(FFixups, [&](const TFixup& f) { return f.Instance == Instance; });
  std::erase_if(FLoaded, [&](TComponent* c) { return static_cast<TPersistent*>(c) == Instance; });
}

void TReader::InvalidValue() { throw EPropertyError("Invalid property value"); }

void TReader::EnterNested() {
  if (FDepth >= MaxDepth) FParser->Error("Nesting too deep");
}

// Custom entries

void TReader::DefineProperty(const std::string& Name, const TReaderProc& ReadData, const TWriterProc&, bool) {
  if (FPropFound || FPropName.empty() || !SameIdent(Name, FPropName)) return;
  FPropFound = true;
  if (ReadData) ReadData(this);
  else SkipValue();
}

void TReader::DefineBinaryProperty(const std::string& Name, const TStreamProc& ReadData, const TStreamProc&, bool) {
  if (FPropFound || FPropName.empty() || !SameIdent(Name, FPropName)) return;
  FPropFound = true;
  std::vector<unsigned char> data = ReadBinary();
  if (!ReadData) return;
  TMemoryStream m;
  m.WriteBuffer(data.data(), static_cast<std::int64_t>(data.size()));
  m.SetPosition(0);
  ReadData(&m);
}

// Values

TValueType TReader::NextValue() {
  switch (FParser->Token()) {
    case toInteger: {
      std::int64_t v = FParser->TokenInt();
      if (v >= -128 && v <= 127) return vaInt8;
      if (v >= -32768 && v <= 32767) return vaInt16;
      if (v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max()) return vaInt32;
      return vaInt64;
    }
    case toFloat:
      return vaExtended;
    case toString:
      return vaString;
    case toSymbol:
      if (FParser->IsSymbol("True")) return vaTrue;
      if (FParser->IsSymbol("False")) return vaFalse;
      if (FParser->IsSymbol("nil")) return vaNil;
      return vaIdent;
    case toChar:
      switch (FParser->TokenChar()) {
        case '(': return vaList;
        case '[': return vaSet;
        case '<': return vaCollection;
        case '{': return vaBinary;
        case '-': return vaExtended;  // -INF
        default: return vaNull;
      }
    default:
      return vaNull;
  }
}

TValueType TReader::ReadValue() {
  TValueType t = NextValue();
  switch (t) {
    case vaList:
    case vaCollection:
      EnterNested();
      FClosers.push_back(t == vaList ? ')' : '>');
      FParser->NextToken();
      break;
    case vaSet:
      FParser->Expect('[');
      while (!FParser->IsChar(']')) {
        ReadIdent();
        if (!FParser->IsChar(',')) break;
        FParser->NextToken();
      }
      FParser->Expect(']');
      break;
    case vaBinary:
      ReadBinary();
      break;
    case vaString:
      ReadString();
      break;
    case vaExtended:
      ReadFloat();
      break;
    case vaNull:
      FParser->Error("Invalid property value");
    default:
      FParser->NextToken();
  }
  return t;
}

void TReader::SkipValue() {
  TValueType t = NextValue();
  if (t == vaList) {
    ReadValue();
    {
      ++FDepth;
      auto leave = AtScopeExit([this] { --FDepth; });
      while (!EndOfList()) SkipValue();
    }
    ReadListEnd();
  } else if (t == vaCollection) {
    ReadValue();
    {
      ++FDepth;
      auto leave = AtScopeExit([this] { --FDepth; });
      while (!EndOfList()) {
        if (!FParser->IsSymbol("item")) FParser->Error("'item' expected");
        FParser->NextToken();
        while (FParser->Token() == toSymbol && !FParser->IsSymbol("end")) {
          FParser->NextToken();
          FParser->Expect('=');
          SkipValue();
        }
        if (!FParser->IsSymbol("end")) FParser->Error("'end' expected");
        FParser->NextToken();
      }
    }
    ReadListEnd();
  } else {
    ReadValue();
  }
}

bool TReader::EndOfList() {
  return FParser->Token() == toEOF || FParser->IsChar(')') || FParser->IsChar('>');
}

void TReader::ReadListBegin() {
  if (!FParser->IsChar('(')) FParser->Error("'(' expected");
  ReadValue();
}

void TReader::ReadListEnd() {
  char closer = ')';
  if (!FClosers.empty()) {
    closer = FClosers.back();
    FClosers.pop_back();
  }
  FParser->Expect(closer);
}

std::int64_t TReader::ReadInt64() {
  if (FParser->Token() != toInteger) FParser->Error("Integer expected");
  std::int64_t v = FParser->TokenInt();
  FParser->NextToken();
  return v;
}

int TReader::ReadInteger() {
  if (FParser->Token() == toInteger &&
      (FParser->TokenInt() < std::numeric_limits<int>::min() || FParser->TokenInt() > std::numeric_limits<int>::max()))
    FParser->Error("Integer out of range");
  return static_cast<int>(ReadInt64());
}

double TReader::ReadFloat() {
  bool negative = false;
  if (FParser->IsChar('-')) {
    negative = true;
    FParser->NextToken();
    if (!FParser->IsSymbol("INF")) FParser->Error("Number expected");
  }
  double v;
  if (FParser->Token() == toFloat) v = FParser->TokenFloat();
  else if (FParser->Token() == toInteger) v = static_cast<double>(FParser->TokenInt());
  else if (FParser->IsSymbol("INF")) v = std::numeric_limits<double>::infinity();
  else if (FParser->IsSymbol("NAN")) v = std::numeric_limits<double>::quiet_NaN();
  else FParser->Error("Number expected");
  FParser->NextToken();
  return negative ? -v : v;
}

std::string TReader::ReadString() {
  if (FParser->Token() != toString) FParser->Error("String expected");
  std::string s = FParser->TokenString();
  FParser->NextToken();
  while (FParser->IsChar('+')) {
    FParser->NextToken();
    if (FParser->Token() != toString) FParser->Error("String expected");
    s += FParser->TokenString();
    FParser->NextToken();
  }
  return s;
}

std::string TReader::ReadIdent() { return FParser->ExpectIdent(); }

bool TReader::ReadBoolean() {
  if (FParser->IsSymbol("True") || FParser->IsSymbol("False")) {
    bool v = FParser->IsSymbol("True");
    FParser->NextToken();
    return v;
  }
  FParser->Error("Boolean expected");
}

char TReader::ReadChar() {
  if (FParser->Token() == toInteger && FParser->TokenInt() >= 0 && FParser->TokenInt() <= 255) {
    char c = static_cast<char>(FParser->TokenInt());
    FParser->NextToken();
    return c;
  }
  if (FParser->Token() != toString || FParser->TokenString().size() != 1) FParser->Error("Char expected");
  char c = FParser->TokenString()[0];
  FParser->NextToken();
  return c;
}

std::vector<unsigned char> TReader::ReadBinary() { return FParser->ReadBinary(); }

Variant TReader::ReadVariant() {
  switch (NextValue()) {
    case vaList: {
      ReadListBegin();
      // Nested lists count against the reader's depth limit.
      ++FDepth;
      auto leave = AtScopeExit([this] { --FDepth; });
      std::vector<Variant> items;
      while (!EndOfList()) items.push_back(ReadVariant());
      ReadListEnd();
      Variant array = VarArrayCreate(0, static_cast<int>(items.size()) - 1, varVariant);
      for (std::size_t i = 0; i < items.size(); ++i) array.PutElement(static_cast<int>(i), items[i]);
      return array;
    }
    case vaInt8:
    case vaInt16:
    case vaInt32:
    case vaInt64:
      return Variant::FromInteger(ReadInt64());
    case vaExtended: {
      const bool plain = FParser->Token() == toFloat;
      const char suffix = plain ? FParser->TokenFloatSuffix() : 0;
      const double v = ReadFloat();
      if (suffix == 'C') return Variant(Currency::FromDouble(v));
      if (suffix == 'D') return Variant::FromDateTime(v);
      return Variant(v);
    }
    case vaString:
      return Variant(ReadString());
    case vaTrue:
    case vaFalse:
      return Variant(ReadBoolean());
    case vaNil:
      FParser->NextToken();
      return Unassigned();
    case vaIdent:
      if (FParser->IsSymbol("Null")) {
        FParser->NextToken();
        return Null();
      }
      if (FParser->IsSymbol("INF") || FParser->IsSymbol("NAN")) return Variant(ReadFloat());
      [[fallthrough]];
    default:
      InvalidValue();
  }
}

std::uint64_t TReader::ReadSetBits(const TEnumInfo& Type) {
  FParser->Expect('[');
  std::uint64_t bits = 0;
  while (!FParser->IsChar(']')) {
    std::string name = ReadIdent();
    int v = Type.IndexOf(name);
    if (v < 0 || v >= 64) throw EPropertyError("Invalid property element: " + name);
    bits |= std::uint64_t(1) << v;
    if (!FParser->IsChar(',')) break;
    FParser->NextToken();
  }
  FParser->Expect(']');
  return bits;
}

void TReader::ReadCollection(TCollection* Collection) {
  ++FDepth;
  Collection->BeginUpdate();
  std::string base = FContext;
  auto guard = AtScopeExit([&] {
    FContext = base;
    --FDepth;
    Collection->EndUpdate();
  });
  Collection->Clear();
  for (int i = 0; !EndOfList(); ++i) {
    if (!FParser->IsSymbol("item")) FParser->Error("'item' expected");
    FParser->NextToken();
    if (FParser->IsChar('[')) {
      FParser->NextToken();
      ReadInteger();
      FParser->Expect(']');
    }
    TCollectionItem* item = Collection->Add();
    FContext = base + "[" + std::to_string(i) + "]";
    ReadProperties(item);
    if (!FParser->IsSymbol("end")) FParser->Error("'end' expected");
    FParser->NextToken();
  }
  ReadListEnd();
}
