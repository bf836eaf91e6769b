#include "platform/rtl/Strings.h"

#include "platform/rtl/SafeSort.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>

namespace {
// Ends a BeginUpdate when leaving scope, also on error.
struct UpdateGuard {
  TStrings* S;
  explicit UpdateGuard(TStrings* s) : S(s) { S->BeginUpdate(); }
  ~UpdateGuard() { S->EndUpdate(); }
};
}  // namespace

void TStrings::Error(const char* Format, int Value) {
  char buf[128];
  std::snprintf(buf, sizeof buf, Format, Value);
  throw EStringListError(buf);
}

void TStrings::Put(int Index, const std::string& S) {
  TObject* o = GetObject(Index);
  UpdateGuard g(this);
  Delete(Index);
  InsertObject(Index, S, o);
}

int TStrings::Add(const std::string& S) {
  int i = Count();
  Insert(i, S);
  return i;
}

int TStrings::AddObject(const std::string& S, TObject* AObject) {
  int i = Add(S);
  PutObject(i, AObject);
  return i;
}

void TStrings::InsertObject(int Index, const std::string& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::AddStrings(TStrings* Strings) {
  UpdateGuard g(this);
  for (int i = 0; i < Strings->Count(); ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
}

void TStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  UpdateGuard g(this);
  std::string s = Get(CurIndex);
  TObject* o = GetObject(CurIndex);
  if (NewIndex < 0 || NewIndex >= Count()) Error("List index out of bounds (%d)", NewIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, s, o);
}

void TStrings::Exchange(int Index1, int Index2) {
  UpdateGuard g(this);
  std::string s1 = Get(Index1), s2 = Get(Index2);
  TObject* o1 = GetObject(Index1);
  TObject* o2 = GetObject(Index2);
  Put(Index1, s2);
  PutObject(Index1, o2);
  Put(Index2, s1);
  PutObject(Index2, o1);
}

int TStrings::CompareStrings(std::string_view S1, std::string_view S2) const {
  return AnsiCompareText(S1, S2);
}

int TStrings::IndexOf(const std::string& S) const {
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

int TStrings::IndexOfName(const std::string& Name) const {
  for (int i = 0; i < Count(); ++i) {
    std::string s = Get(i);
    std::size_t p = s.find(FNameValueSeparator);
    if (p != std::string::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(TObject* AObject) const {
  for (int i = 0; i < Count(); ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

std::string TStrings::Names(int Index) const {
  std::string s = Get(Index);
  std::size_t p = s.find(FNameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(0, p);
}

std::string TStrings::Values(const std::string& Name) const {
  int i = IndexOfName(Name);
  return i < 0 ? std::string() : ValueFromIndex(i);
}

std::string TStrings::ValueFromIndex(int Index) const {
  std::string s = Get(Index);
  std::size_t p = s.find(FNameValueSeparator);
  return p == std::string::npos ? std::string() : s.substr(p + 1);
}

void TStrings::SetValues(const std::string& Name, const std::string& Value) {
  int i = IndexOfName(Name);
  if (!Value.empty()) {
    std::string line = Name + FNameValueSeparator + Value;
    if (i < 0) Add(line);
    else Put(i, line);
  } else if (i >= 0) {
    Delete(i);
  }
}

std::string TStrings::Text() const {
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    out += Get(i);
    out += "\r\n";
  }
  return out;
}

void TStrings::SetText(const std::string& Value) {
  UpdateGuard g(this);
  Clear();
  std::size_t i = 0, n = Value.size();
  while (i < n) {
    std::size_t start = i;
    while (i < n && Value[i] != '\r' && Value[i] != '\n') ++i;
    Add(Value.substr(start, i - start));
    if (i < n && Value[i] == '\r') ++i;
    if (i < n && Value[i] == '\n') ++i;
  }
}

std::string TStrings::Delimited(char Delim, char Quote) const {
  if (Count() == 1 && Get(0).empty()) return std::string(2, Quote);
  std::string out;
  for (int i = 0; i < Count(); ++i) {
    std::string s = Get(i);
    bool quote = false;
    for (char c : s)
      if (static_cast<unsigned char>(c) <= ' ' || c == Quote || c == Delim) {
        quote = true;
        break;
      }
    if (quote) {
      std::string q(1, Quote);
      for (char c : s) {
        q += c;
        if (c == Quote) q += c;
      }
      q += Quote;
      s = q;
    }
    if (i > 0) out += Delim;
    out += s;
  }
  return out;
}

void TStrings::SetDelimited(const std::string& Value, char Delim, char Quote) {
  UpdateGuard g(this);
  Clear();
  std::size_t i = 0, n = Value.size();
  auto blank = [&](std::size_t k) { return k < n && Value[k] != '\0' && static_cast<unsigned char>(Value[k]) <= ' '; };
  while (blank(i)) ++i;
  while (i < n) {
    std::string s;
    if (Value[i] == Quote) {
      ++i;
      while (i < n) {
        if (Value[i] == Quote) {
          if (i + 1 < n && Value[i + 1] == Quote) {
            s += Quote;
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        s += Value[i++];
      }
    } else {
      std::size_t start = i;
      while (i < n && static_cast<unsigned char>(Value[i]) > ' ' && Value[i] != Delim) ++i;
      s = Value.substr(start, i - start);
    }
    Add(s);
    while (blank(i)) ++i;
    if (i < n && Value[i] == Delim) {
      if (i + 1 == n) Add("");
      do ++i;
      while (blank(i));
    } else if (i < n && Value[i] == '\0') {
      ++i;
    }
  }
}

std::string TStrings::CommaText() const { return Delimited(',', '"'); }
void TStrings::SetCommaText(const std::string& Value) { SetDelimited(Value, ',', '"'); }
std::string TStrings::DelimitedText() const { return Delimited(FDelimiter, FQuoteChar); }
void TStrings::SetDelimitedText(const std::string& Value) { SetDelimited(Value, FDelimiter, FQuoteChar); }

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount <= 0) return;
  if (--FUpdateCount == 0) SetUpdateState(false);
}

bool TStrings::Equals(TStrings* Strings) const {
  if (!Strings || Strings->Count() != Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != Strings->Get(i)) return false;
  return true;
}

void TStrings::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TStrings*>(Source)) {
    if (src == this) return;
    UpdateGuard g(this);
    Clear();
    FDelimiter = src->FDelimiter;
    FQuoteChar = src->FQuoteChar;
    FNameValueSeparator = src->FNameValueSeparator;
    AddStrings(src);
    return;
  }
  TPersistent::Assign(Source);
}

void TStrings::SaveToStream(TStream* Stream) const {
  std::string t = Text();
  Stream->WriteBuffer(t.data(), static_cast<std::int64_t>(t.size()));
}

void TStrings::LoadFromStream(TStream* Stream) {
  std::int64_t n = Stream->Size() - Stream->Position();
  std::string s(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  Stream->ReadBuffer(s.data(), static_cast<std::int64_t>(s.size()));
  SetText(s);
}

void TStrings::SaveToFile(const std::string& FileName) const {
  TFileStream f(FileName, fmCreate);
  SaveToStream(&f);
  f.Close();
}

void TStrings::LoadFromFile(const std::string& FileName) {
  TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&f);
}

// TStringList

TStringList::TTextBuffer::~TTextBuffer() { std::free(FData); }

void TStringList::TTextBuffer::Reserve(std::size_t Bytes) {
  if (Bytes <= FCapacity) return;
  // By realloc: a large buffer moves by remapping, without being copied.
  auto* data = static_cast<char*>(std::realloc(FData, Bytes));
  if (!data) throw std::bad_alloc();
  FData = data;
  FCapacity = Bytes;
}

std::size_t TStringList::TTextBuffer::Append(std::string_view S) {
  std::size_t start = FSize;
  if (S.size() > FCapacity - FSize) {
    if (S.size() > std::numeric_limits<std::size_t>::max() / 2 - FSize) throw std::bad_alloc();
    Reserve(std::max({FSize + S.size(), 2 * FCapacity, std::size_t(256)}));
  }
  if (!S.empty()) std::memcpy(FData + FSize, S.data(), S.size());
  FSize += S.size();
  return start;
}

void TStringList::TTextBuffer::Release() {
  std::free(FData);
  FData = nullptr;
  FSize = FCapacity = 0;
}

void TStringList::TTextBuffer::Adopt(char* Data, std::size_t Size) {
  std::free(FData);
  FData = Data;
  FSize = FCapacity = Size;
}

TStringList::~TStringList() = default;

void TStringList::Check(int Index) const {
  if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
}

std::string_view TStringList::View(int Index) const {
  const TEntry& e = FList[static_cast<std::size_t>(Index)];
  return {FText.Data() + e.Start, e.Length};
}

void TStringList::Forget(const TEntry& E) {
  FDead += E.Length;
  if (FKeepText > 0) return;
  if (FList.empty()) {
    FText.Clear();
    FDead = 0;
  } else if (FDead > 4096 && FDead > FText.Size() / 2) {
    Pack();
  }
}

void TStringList::Pack() {
  std::size_t live = FText.Size() - FDead;
  // Without room for the packed copy the dead texts simply stay.
  auto* data = static_cast<char*>(std::malloc(std::max(live, std::size_t(1))));
  if (!data) return;
  std::size_t at = 0;
  for (TEntry& e : FList) {
    if (e.Length) std::memcpy(data + at, FText.Data() + e.Start, e.Length);
    e.Start = at;
    at += e.Length;
  }
  FText.Adopt(data, at);
  FDead = 0;
}

void TStringList::KeepObjects() {
  if (FHasObjects) return;
  FObjects.assign(FList.size(), nullptr);
  FHasObjects = true;
}

std::string TStringList::Get(int Index) const {
  Check(Index);
  return std::string(View(Index));
}

void TStringList::Put(int Index, const std::string& S) {
  if (FSorted) throw EStringListError("Sorted list can't be modified");
  Check(Index);
  Changing();
  TEntry& e = FList[static_cast<std::size_t>(Index)];
  TEntry old = e;
  e = TEntry{FText.Append(S), S.size()};
  Forget(old);
  Changed();
}

TObject* TStringList::GetObject(int Index) const {
  Check(Index);
  return FHasObjects ? FObjects[static_cast<std::size_t>(Index)] : nullptr;
}

void TStringList::PutObject(int Index, TObject* AObject) {
  Check(Index);
  Changing();
  if (AObject) KeepObjects();
  if (FHasObjects) FObjects[static_cast<std::size_t>(Index)] = AObject;
  Changed();
}

void TStringList::Insert(int Index, const std::string& S) {
  if (FSorted) throw EStringListError("Sorted list can't be modified");
  if (Index < 0 || Index > Count()) Error("List index out of bounds (%d)", Index);
  InsertItem(Index, S, nullptr);
}

void TStringList::InsertItem(int Index, std::string_view S, TObject* AObject) {
  Changing();
  // Room first, so that nothing fails once the text is in.
  auto makeRoom = [](auto& v) {
    if (v.size() == v.capacity()) v.reserve(std::max<std::size_t>(4, 2 * v.size()));
  };
  makeRoom(FList);
  if (AObject) KeepObjects();
  if (FHasObjects) makeRoom(FObjects);
  TEntry e{FText.Append(S), S.size()};
  FList.insert(FList.begin() + Index, e);
  if (FHasObjects) FObjects.insert(FObjects.begin() + Index, AObject);
  Changed();
}

void TStringList::Delete(int Index) {
  Check(Index);
  Changing();
  TEntry old = FList[static_cast<std::size_t>(Index)];
  FList.erase(FList.begin() + Index);
  if (FHasObjects) FObjects.erase(FObjects.begin() + Index);
  Forget(old);
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  FList.clear();
  FObjects.clear();
  FHasObjects = false;
  if (FKeepText > 0) {
    FDead = FText.Size();
  } else {
    FText.Release();
    FDead = 0;
  }
  Changed();
}

int TStringList::Add(const std::string& S) { return AddObject(S, nullptr); }

void TStringList::SetCapacity(int NewCapacity) {
  if (NewCapacity <= Count()) return;
  auto n = static_cast<std::size_t>(NewCapacity);
  FList.reserve(n);
  if (FHasObjects) FObjects.reserve(n);
  // Texts of a line's usual length fit without the buffer growing on the way; a large
  // buffer takes memory only as the texts fill it.
  constexpr std::size_t UsualLength = 32;
  if (n - static_cast<std::size_t>(Count()) < std::numeric_limits<std::size_t>::max() / UsualLength)
    FText.Reserve(FText.Size() + (n - static_cast<std::size_t>(Count())) * UsualLength);
}

bool TStringList::PlaceNew(const std::string& S, int& Index) const {
  Index = Count();
  if (FSorted && Find(S, Index)) {
    if (FDuplicates == dupIgnore) return false;
    if (FDuplicates == dupError) throw EStringListError("String list does not allow duplicates");
  }
  return true;
}

int TStringList::AddObject(const std::string& S, TObject* AObject) {
  int i;
  if (PlaceNew(S, i)) InsertItem(i, S, AObject);
  return i;
}

void TStringList::Exchange(int Index1, int Index2) {
  if (FSorted) throw EStringListError("Sorted list can't be modified");
  Check(Index1);
  Check(Index2);
  Changing();
  std::swap(FList[static_cast<std::size_t>(Index1)], FList[static_cast<std::size_t>(Index2)]);
  if (FHasObjects) std::swap(FObjects[static_cast<std::size_t>(Index1)], FObjects[static_cast<std::size_t>(Index2)]);
  Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  if (FSorted) throw EStringListError("Sorted list can't be modified");
  Check(CurIndex);
  Check(NewIndex);
  Changing();
  auto move = [&](auto& v) {
    auto item = v[static_cast<std::size_t>(CurIndex)];
    v.erase(v.begin() + CurIndex);
    v.insert(v.begin() + NewIndex, item);
  };
  move(FList);
  if (FHasObjects) move(FObjects);
  Changed();
}

int TStringList::CompareStrings(std::string_view S1, std::string_view S2) const {
  if (FCaseSensitive) return AnsiCompareStr(S1, S2);
  return TStrings::CompareStrings(S1, S2);
}

bool TStringList::Find(const std::string& S, int& Index) const {
  int lo = 0, hi = Count();
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (CompareStrings(View(mid), S) < 0) lo = mid + 1;
    else hi = mid;
  }
  Index = lo;
  return lo < Count() && CompareStrings(View(lo), S) == 0;
}

int TStringList::IndexOf(const std::string& S) const {
  if (FSorted) {
    int i;
    return Find(S, i) ? i : -1;
  }
  for (int i = 0; i < Count(); ++i)
    if (CompareStrings(View(i), S) == 0) return i;
  return -1;
}

void TStringList::Reorder(const std::vector<int>& Order) {
  std::vector<TEntry> list;
  list.reserve(Order.size());
  for (int i : Order) list.push_back(FList[static_cast<std::size_t>(i)]);
  if (FHasObjects) {
    std::vector<TObject*> objects;
    objects.reserve(Order.size());
    for (int i : Order) objects.push_back(FObjects[static_cast<std::size_t>(i)]);
    FObjects.swap(objects);
  }
  FList.swap(list);
}

void TStringList::Sort() {
  Changing();
  std::vector<int> order(FList.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  SafeStableSort(order, [this](int a, int b) { return CompareStrings(View(a), View(b)) < 0; });
  Reorder(order);
  Changed();
}

void TStringList::CustomSort(TStringListSortCompare Compare) {
  if (FSorted || Count() < 2) return;
  Changing();
  // The compare routine sees indexes into the list as it was before sorting, and whatever
  // it does to the list meanwhile is undone: the texts stay where they are until the end.
  ++FKeepText;
  auto keepText = AtScopeExit([this] { --FKeepText; });
  std::vector<TEntry> before = FList;
  std::vector<TObject*> objectsBefore = FObjects;
  bool hadObjects = FHasObjects;
  std::vector<int> order(FList.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  SafeStableSort(order, [&](int a, int b) { return Compare(this, a, b) < 0; });
  FList.swap(before);
  FObjects.swap(objectsBefore);
  FHasObjects = hadObjects;
  Reorder(order);
  std::size_t live = 0;
  for (const TEntry& e : FList) live += e.Length;
  FDead = FText.Size() - live;
  Changed();
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  if (FSorted) Sort();
}

void TStringList::Changed() {
  if (UpdateCount() == 0) FOnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0) FOnChanging(this);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating) Changing();
  else Changed();
}
