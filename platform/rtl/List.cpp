#include "platform/rtl/List.h"
#include "platform/rtl/SafeSort.h"

#include <algorithm>
#include <cstdio>

void TList::Error(const char* Format, int Value) {
  char buf[128];
  std::snprintf(buf, sizeof buf, Format, Value);
  throw EListError(buf);
}

void TList::Check(int Index) const {
  if (Index < 0 || Index >= Count()) Error("List index out of bounds (%d)", Index);
}

void TList::SetCount(int NewCount) {
  if (NewCount < 0) Error("List count out of bounds (%d)", NewCount);
  FList.resize(static_cast<std::size_t>(NewCount), nullptr);
}

void TList::SetCapacity(int NewCapacity) {
  if (NewCapacity < Count()) Error("List capacity out of bounds (%d)", NewCapacity);
  FList.reserve(static_cast<std::size_t>(NewCapacity));
}

void* TList::Items(int Index) const {
  Check(Index);
  return FList[static_cast<std::size_t>(Index)];
}

void TList::SetItems(int Index, void* Item) {
  Check(Index);
  FList[static_cast<std::size_t>(Index)] = Item;
}

int TList::Add(void* Item) {
  FList.push_back(Item);
  return Count() - 1;
}

void TList::Insert(int Index, void* Item) {
  if (Index < 0 || Index > Count()) Error("List index out of bounds (%d)", Index);
  FList.insert(FList.begin() + Index, Item);
}

void TList::Delete(int Index) {
  Check(Index);
  FList.erase(FList.begin() + Index);
}

int TList::Remove(void* Item) {
  int i = IndexOf(Item);
  if (i >= 0) Delete(i);
  return i;
}

void* TList::Extract(void* Item) {
  return Remove(Item) >= 0 ? Item : nullptr;
}

int TList::IndexOf(void* Item) const {
  auto it = std::find(FList.begin(), FList.end(), Item);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TList::Move(int CurIndex, int NewIndex) {
  if (CurIndex == NewIndex) return;
  Check(CurIndex);
  Check(NewIndex);
  void* item = FList[static_cast<std::size_t>(CurIndex)];
  FList.erase(FList.begin() + CurIndex);
  FList.insert(FList.begin() + NewIndex, item);
}

void TList::Exchange(int Index1, int Index2) {
  Check(Index1);
  Check(Index2);
  std::swap(FList[static_cast<std::size_t>(Index1)], FList[static_cast<std::size_t>(Index2)]);
}

void TList::Pack() { std::erase(FList, nullptr); }

void TList::Sort(TListSortCompare Compare) {
  SafeStableSort(FList, [Compare](void* a, void* b) { return Compare(a, b) < 0; });
}
