#include "platform/rtl/Strings.h"

#include "platform/rtl/SafeSort.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/SysUtils.h"

#include <cstdio>

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

int TStrings::CompareStrings(const std::string& S1, const std::string& S2) const {
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
}

void TStrings::LoadFromFile(const std::string& FileName) {
  TFileStream f(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&f);
}

// TStringList

void TStringList::Check(int Index) const {
  if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
}

std::string TStringList::Get(int Index) const {
  Check(Index);
  return FList[static_cast<std::size_t>(Index)].S;
}

void TStringList::Put(int Index, const std::string& S) {
  if (FSorted) throw EStringListError("Sorted list can't be modified");
  Check(Index);
  Changing();
  FList[static_cast<std::size_t>(Index)].S = S;
  Changed();
}

TObject* TStringList::GetObject(int Index) const {
  Check(Index);
  return FList[static_cast<std::size_t>(Index)].O;
}

void TStringList::PutObject(int Index, TObject* AObject) {
  Check(Index);
  Changing();
  FList[static_cast<std::size_t>(Index)].O = AObject;
  Changed();
}

void TStringList::Insert(int Index, const std::string& S) {
  if (FSorted) throw EStringListError("Sorted list can't be modified");
  if (Index < 0 || Index > Count()) Error("List index out of bounds (%d)", Index);
  InsertItem(Index, S, nullptr);
}

void TStringList::InsertItem(int Index, std::string S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + Index, TStringItem{std::move(S), AObject});
  Changed();
}

void TStringList::Delete(int Index) {
  Check(Index);
  Changing();
  FList.erase(FList.begin() + Index);
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  FList.clear();
  Changed();
}

int TStringList::Add(const std::string& S) { return AddObject(S, nullptr); }

void TStringList::SetCapacity(int NewCapacity) {
  if (NewCapacity > Count()) FList.reserve(static_cast<std::size_t>(NewCapacity));
}

int TStringList::Add(std::string&& S) {
  int i;
  if (PlaceNew(S, i)) InsertItem(i, std::move(S), nullptr);
  return i;
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
  Changed();
}

void TStringList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  if (FSorted) throw EStringListError("Sorted list can't be modified");
  Check(CurIndex);
  Check(NewIndex);
  Changing();
  TStringItem item = FList[static_cast<std::size_t>(CurIndex)];
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, item);
  Changed();
}

int TStringList::CompareStrings(const std::string& S1, const std::string& S2) const {
  if (FCaseSensitive) return AnsiCompareStr(S1, S2);
  return TStrings::CompareStrings(S1, S2);
}

bool TStringList::Find(const std::string& S, int& Index) const {
  int lo = 0, hi = Count();
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    if (CompareStrings(FList[static_cast<std::size_t>(mid)].S, S) < 0) lo = mid + 1;
    else hi = mid;
  }
  Index = lo;
  return lo < Count() && CompareStrings(FList[static_cast<std::size_t>(lo)].S, S) == 0;
}

int TStringList::IndexOf(const std::string& S) const {
  if (!FSorted) return TStrings::IndexOf(S);
  int i;
  return Find(S, i) ? i : -1;
}

void TStringList::Sort() {
  Changing();
  SafeStableSort(FList, [this](const TStringItem& a, const TStringItem& b) { return CompareStrings(a.S, b.S) < 0; });
  Changed();
}

void TStringList::CustomSort(TStringListSortCompare Compare) {
  if (FSorted || Count() < 2) return;
  Changing();
  // The compare routine sees indexes into the list as it was before sorting.
  std::vector<TStringItem> before = FList;
  std::vector<int> order(FList.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  SafeStableSort(order, [&](int a, int b) { return Compare(this, a, b) < 0; });
  FList.clear();
  for (int i : order) FList.push_back(before[static_cast<std::size_t>(i)]);
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
