#pragma once
// TList: a list of untyped pointers; nil entries are allowed and Count may grow.
#include "platform/rtl/Object.h"

#include <vector>

using TListSortCompare = int (*)(void* Item1, void* Item2);

class TList : public TObject {
  VANTREL_CLASS(TList, TObject)
public:
  TList() = default;
  int Count() const { return static_cast<int>(FList.size()); }
  // Growing fills with nil; raises EListError "List count out of bounds (%d)" below 0.
  void SetCount(int NewCount);
  int Capacity() const { return static_cast<int>(FList.capacity()); }
  void SetCapacity(int NewCapacity);
  // Index errors raise EListError "List index out of bounds (%d)".
  void* Items(int Index) const;
  void SetItems(int Index, void* Item);
  void* operator[](int Index) const { return Items(Index); }
  int Add(void* Item);
  void Insert(int Index, void* Item);
  void Delete(int Index);
  // Removes the first occurrence; returns its former index or -1.
  int Remove(void* Item);
  void* Extract(void* Item);
  int IndexOf(void* Item) const;
  void Move(int CurIndex, int NewIndex);
  void Exchange(int Index1, int Index2);
  void* First() const { return Items(0); }
  void* Last() const { return Items(Count() - 1); }
  void Clear() { FList.clear(); }
  // Removes the nil entries.
  void Pack();
  void Sort(TListSortCompare Compare);
  const std::vector<void*>& List() const { return FList; }

  [[noreturn]] static void Error(const char* Format, int Value);

private:
  void Check(int Index) const;
  std::vector<void*> FList;
};
