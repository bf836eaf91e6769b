#pragma once
// TStrings and TStringList: lists of strings with associated objects.
#include "platform/rtl/Events.h"
#include "platform/rtl/Persistent.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TStream;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
  VANTREL_CLASS(TStrings, TPersistent)
public:
  TStrings() = default;
  virtual int Count() const = 0;
  virtual std::string Get(int Index) const = 0;
  virtual void Put(int Index, const std::string& S);
  virtual TObject* GetObject(int Index) const { return nullptr; }
  virtual void PutObject(int Index, TObject* AObject) {}
  virtual void Insert(int Index, const std::string& S) = 0;
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;

  std::string Strings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const std::string& S) { Put(Index, S); }
  std::string operator[](int Index) const { return Get(Index); }
  TObject* Objects(int Index) const { return GetObject(Index); }
  void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

  // Room for this many strings, made ahead of adding them; lists that cannot make room ignore it.
  virtual void SetCapacity(int NewCapacity) {}
  virtual int Add(const std::string& S);
  virtual int AddObject(const std::string& S, TObject* AObject);
  void InsertObject(int Index, const std::string& S, TObject* AObject);
  void Append(const std::string& S) { Add(S); }
  void AddStrings(TStrings* Strings);
  virtual void Move(int CurIndex, int NewIndex);
  virtual void Exchange(int Index1, int Index2);
  // First index of S (case-insensitive unless the list says otherwise); -1 when absent.
  virtual int IndexOf(const std::string& S) const;
  int IndexOfName(const std::string& Name) const;
  int IndexOfObject(TObject* AObject) const;

  // "Name=Value" entries.
  std::string Names(int Index) const;
  std::string Values(const std::string& Name) const;
  // An empty value deletes the entry.
  void SetValues(const std::string& Name, const std::string& Value);
  std::string ValueFromIndex(int Index) const;
  char NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(char C) { FNameValueSeparator = C; }

  // Lines joined with CR LF; setting splits at CR LF, LF or CR.
  virtual std::string Text() const;
  virtual void SetText(const std::string& Value);
  // Delimited with "," and quoted with '"' where needed; spaces also separate unquoted items.
  std::string CommaText() const;
  void SetCommaText(const std::string& Value);
  std::string DelimitedText() const;
  void SetDelimitedText(const std::string& Value);
  char Delimiter() const { return FDelimiter; }
  void SetDelimiter(char C) { FDelimiter = C; }
  char QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(char C) { FQuoteChar = C; }

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }
  // Same strings in the same order (case-sensitive).
  bool Equals(TStrings* Strings) const;
  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;

  void SaveToStream(TStream* Stream) const;
  void LoadFromStream(TStream* Stream);
  void SaveToFile(const std::string& FileName) const;
  void LoadFromFile(const std::string& FileName);

  // <0, 0, >0; case-insensitive here.
  virtual int CompareStrings(std::string_view S1, std::string_view S2) const;

protected:
  virtual void SetUpdateState(bool Updating) {}
  [[noreturn]] static void Error(const char* Format, int Value);

private:
  std::string Delimited(char Delim, char Quote) const;
  void SetDelimited(const std::string& Value, char Delim, char Quote);

  int FUpdateCount = 0;
  char FDelimiter = ',';
  char FQuoteChar = '"';
  char FNameValueSeparator = '=';
};

using TStringListSortCompare = int (*)(class TStringList* List, int Index1, int Index2);

class TStringList : public TStrings {
  VANTREL_CLASS(TStringList, TStrings)
public:
  TStringList() = default;
  ~TStringList() override;
  int Count() const override { return static_cast<int>(FList.size()); }
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* AObject) override;
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;
  int Add(const std::string& S) override;
  void SetCapacity(int NewCapacity) override;
  int AddObject(const std::string& S, TObject* AObject) override;
  void Exchange(int Index1, int Index2) override;
  void Move(int CurIndex, int NewIndex) override;
  int IndexOf(const std::string& S) const override;
  // Binary search of a sorted list: true when found; Index is the match or the insertion point.
  bool Find(const std::string& S, int& Index) const;
  virtual void Sort();
  void CustomSort(TStringListSortCompare Compare);

  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& E) { FOnChange = E; }
  const TNotifyEvent& OnChanging() const { return FOnChanging; }
  void SetOnChanging(const TNotifyEvent& E) { FOnChanging = E; }

  int CompareStrings(std::string_view S1, std::string_view S2) const override;

protected:
  virtual void Changed();
  virtual void Changing();
  void SetUpdateState(bool Updating) override;

private:
  // The texts lie end to end in one buffer: an entry is where its text starts and how long
  // it is. Texts replaced or deleted stay behind until most of the buffer is such; then
  // the buffer is packed. Objects are kept apart, from the first one set.
  struct TEntry {
    std::size_t Start;
    std::size_t Length;
  };
  class TTextBuffer {
  public:
    TTextBuffer() = default;
    TTextBuffer(const TTextBuffer&) = delete;
    TTextBuffer& operator=(const TTextBuffer&) = delete;
    ~TTextBuffer();
    const char* Data() const { return FData; }
    std::size_t Size() const { return FSize; }
    // Where S now starts; raises std::bad_alloc, the buffer unchanged. S lies outside the buffer.
    std::size_t Append(std::string_view S);
    // Room for Bytes in all, made ahead; raises std::bad_alloc, the buffer unchanged.
    void Reserve(std::size_t Bytes);
    void Clear() { FSize = 0; }
    void Release();
    // Takes over Data (malloc'ed, Size bytes in use).
    void Adopt(char* Data, std::size_t Size);

  private:
    char* FData = nullptr;
    std::size_t FSize = 0, FCapacity = 0;
  };

  void Check(int Index) const;
  std::string_view View(int Index) const;
  void InsertItem(int Index, std::string_view S, TObject* AObject);
  // Where S goes (Index) unless a sorted list ignores it or refuses it (raising); false when ignored.
  bool PlaceNew(const std::string& S, int& Index) const;
  // The entries (and objects) in the order of Order, indexes into the entries as they are.
  void Reorder(const std::vector<int>& Order);
  // A text no longer in the list: its bytes are dropped with the others once they are most of the buffer.
  void Forget(const TEntry& E);
  void Pack();
  // From the first object set on: one object per entry.
  void KeepObjects();

  std::vector<TEntry> FList;
  TTextBuffer FText;
  std::size_t FDead = 0;             // bytes of the buffer no entry holds
  int FKeepText = 0;                 // while a custom sort runs, the buffer is neither packed nor emptied
  std::vector<TObject*> FObjects;    // one per entry once FHasObjects
  bool FHasObjects = false;
  bool FSorted = false;
  bool FCaseSensitive = false;
  TDuplicates FDuplicates = dupIgnore;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
};
