#pragma once
// TDataSet: states, the record-buffer window that data links see, navigation, editing,
// bookmarks, searching and filtering. Engines derive from it and supply the records.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/data/DBTypes.h"
#include "platform/data/Field.h"
#include "platform/data/FieldDefs.h"
#include "platform/rtl/Component.h"
#include "platform/rtl/Variant.h"

class TDataSource;
class TDataLink;

using TDataSetNotifyEvent = TEvent<void(TDataSet* DataSet)>;
using TFilterRecordEvent = TEvent<void(TDataSet* DataSet, bool& Accept)>;

// One record of the buffer window: a value per field slot and where it came from.
struct TRecordBuffer {
  std::vector<Variant> Values;
  std::int64_t Key = -1;  // the engine's row key
  TBookmarkFlag Flag = bfCurrent;
  int RecNo = -1;
};

class TDataSet : public TComponent {
  VANTREL_CLASS(TDataSet, TComponent)
public:
  explicit TDataSet(TComponent* AOwner);
  ~TDataSet() override;
  static void Publish(TClassBuilder<TDataSet>& b);

  // Opening and state.
  bool Active() const { return FState != dsInactive && FState != dsOpening; }
  void SetActive(bool v);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  TDataSetState State() const { return FState; }
  bool Modified() const { return FModified; }
  void SetModified(bool v) { FModified = v; }
  virtual bool CanModify() const { return true; }
  bool Bof() const { return FBOF; }
  bool Eof() const { return FEOF; }
  bool IsEmpty() const;
  void CheckActive() const;
  void CheckInactive() const;
  void Loaded() override;
  // The fields the form owns are written inside the dataset.
  void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
  // Refreshes FieldDefs from the engine while closed.
  void UpdateFieldDefs();

  // Navigation.
  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  // Moves Distance records; returns how far it moved.
  int MoveBy(int Distance);
  // 1-based number of the current record, -1 when unknown.
  int RecNo() const;
  void SetRecNo(int v);
  virtual int RecordCount() const;
  virtual bool IsSequenced() const { return true; }
  void Refresh();
  // Re-reads the window around the engine's cursor (centred with rmCenter).
  void Resync(TResyncMode Mode);
  void CursorPosChanged() { FCurrentRecord = -1; }
  // Puts the engine's cursor on the active record.
  void UpdateCursorPos();

  // Editing.
  void Insert();
  void Append();
  void Edit();
  void Post();
  void Cancel();
  void Delete();
  void CheckBrowseMode();
  void UpdateRecord();
  void ClearFields();

  // Bookmarks.
  TBookmarkStr Bookmark() const;
  void SetBookmark(const TBookmarkStr& v) { GotoBookmark(v); }
  TBookmark GetBookmark() const { return Bookmark(); }
  void FreeBookmark(const TBookmark&) {}
  void GotoBookmark(const TBookmark& b);
  virtual bool BookmarkValid(const TBookmark& b) const;
  // -1, 0 or 1 by the dataset's order; an empty bookmark comes first.
  virtual int CompareBookmarks(const TBookmark& a, const TBookmark& b) const;

  // Searching.
  virtual bool Locate(const std::string& KeyFields, const Variant& KeyValues, TLocateOptions Options);
  virtual Variant Lookup(const std::string& KeyFields, const Variant& KeyValues, const std::string& ResultFields);

  // Fields.
  TFields& Fields() { return FFields; }
  const TFields& Fields() const { return FFields; }
  int FieldCount() const { return FFields.Count(); }
  TFieldDefs& FieldDefs() { return *FFieldDefs; }
  const TFieldDefs& FieldDefs() const { return *FFieldDefs; }
  bool DefaultFields() const { return FDefaultFields; }
  TField* FindField(const std::string& name) const { return FFields.FindField(name); }
  TField* FieldByName(const std::string& name) const { return FFields.FieldByName(name); }
  // The fields named in "A;B"; a missing name raises the field-not-found error.
  std::vector<TField*> GetFieldList(const std::string& names) const;
  void GetFieldNames(std::vector<std::string>& names) const;
  // "A;B" reads a variant array; one name reads that field's value.
  Variant FieldValues(const std::string& names) const;
  void SetFieldValues(const std::string& names, const Variant& v);

  // Filtering.
  const std::string& Filter() const { return FFilterText; }
  void SetFilter(const std::string& v);
  bool Filtered() const { return FFiltered; }
  void SetFiltered(bool v);

  // Controls.
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return FDisableCount != 0; }
  bool IsLinkedTo(TDataSource* ds) const;

  // The record-buffer window (data links use these).
  int BufferCount() const { return FBufferCount; }
  int ActiveRecord() const { return FActiveRecord; }
  void SetActiveRecord(int v) { FActiveRecord = v; }
  int WindowRecordCount() const { return FRecordCount; }
  void UpdateBufferCount();
  // The buffer the fields read and write in the current state (nullptr: none).
  TRecordBuffer* ActiveRecordBuffer() const {
    if (FState == dsBrowse)
      return FActiveRecord < FRecordCount ? FBuffers[static_cast<size_t>(FActiveRecord)].get() : nullptr;
    return StateRecordBuffer();
  }
  void DataEvent(TDataEvent Event, std::intptr_t Info);
  // Called by a field whose value changed.
  void FieldChanged(TField* f);

  TDataSource* MasterSource() const { return FMasterSource; }
  void SetMasterSource(TDataSource* v);

  // Events.
#define VANTREL_DS_EVENT(N)                                   \
  TDataSetNotifyEvent N() const { return F##N; }             \
  void Set##N(const TDataSetNotifyEvent& e) { F##N = e; }
  VANTREL_DS_EVENT(BeforeOpen) VANTREL_DS_EVENT(AfterOpen)
  VANTREL_DS_EVENT(BeforeClose) VANTREL_DS_EVENT(AfterClose)
  VANTREL_DS_EVENT(BeforeInsert) VANTREL_DS_EVENT(AfterInsert)
  VANTREL_DS_EVENT(BeforeEdit) VANTREL_DS_EVENT(AfterEdit)
  VANTREL_DS_EVENT(BeforePost) VANTREL_DS_EVENT(AfterPost)
  VANTREL_DS_EVENT(BeforeCancel) VANTREL_DS_EVENT(AfterCancel)
  VANTREL_DS_EVENT(BeforeDelete) VANTREL_DS_EVENT(AfterDelete)
  VANTREL_DS_EVENT(BeforeScroll) VANTREL_DS_EVENT(AfterScroll)
  VANTREL_DS_EVENT(BeforeRefresh) VANTREL_DS_EVENT(AfterRefresh)
  VANTREL_DS_EVENT(OnNewRecord) VANTREL_DS_EVENT(OnCalcFields)
#undef VANTREL_DS_EVENT
  TFilterRecordEvent OnFilterRecord() const { return FOnFilterRecord; }
  void SetOnFilterRecord(const TFilterRecordEvent& e);

  // Data sources register here.
  void AddDataSource(TDataSource* ds);
  void RemoveDataSource(TDataSource* ds);
  // Fields register here (persistent fields when created, default fields at open).
  void AddField(TField* f);
  void RemoveField(TField* f);
  [[noreturn]] void Error(const std::string& msg) const;

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The engine: what every dataset class supplies.
  virtual void InternalOpen() = 0;
  virtual void InternalClose() = 0;
  virtual void InternalInitFieldDefs() = 0;
  virtual TGetResult GetRecord(TRecordBuffer& Buffer, TGetMode GetMode, bool DoCheck) = 0;
  virtual void InternalFirst() = 0;
  virtual void InternalLast() = 0;
  virtual void InternalSetToRecord(const TRecordBuffer& Buffer) = 0;
  virtual void InternalGotoBookmark(const TBookmark& b) = 0;
  virtual TBookmark BookmarkOf(const TRecordBuffer& Buffer) const = 0;
  virtual void InternalPost() = 0;
  virtual void InternalDelete() = 0;
  virtual void InternalInsert() {}
  virtual void InternalEdit() {}
  virtual void InternalCancel() {}
  virtual void InternalRefresh() {}
  virtual void InternalInitRecord(TRecordBuffer& Buffer);
  virtual int GetRecNoOf(const TRecordBuffer& Buffer) const { return Buffer.RecNo; }
  virtual void InternalSetRecNo(int v) = 0;
  // Filter text or Filtered changed while open: rebuild the visible records.
  virtual void FilterChanged() {}
  // The controls are enabled again: whatever a pass with them held kept going ends.
  virtual void ControlsEnabledAgain() {}

public:
  // Writes from here to EndWriteBatch share one unit of work of the engine (a large
  // import), each write still standing or failing alone; engines without one ignore it.
  // Batches nest; the outermost end makes the writes durable and raises when it cannot.
  virtual void BeginWriteBatch() {}
  virtual void EndWriteBatch() {}

protected:
  // Whether a record in the filter buffer passes OnFilterRecord.
  bool RecordPassesFilterEvent(TRecordBuffer& Buffer);
  bool HasCalcFields() const { return FCalcFieldCount > 0; }

  // Engine helpers.
  // Closes the dataset without events; every engine's destructor calls it first.
  void CloseOnDestroy();
  void CreateFields();
  void BindFields();
  void DestroyDefaultFields();
  void CalculateFields(TRecordBuffer& Buffer);
  // Every slot Null.
  void ClearBuffer(TRecordBuffer& Buffer) const;
  int SlotCount() const { return FSlotCount; }
  TDataSetState SetTempState(TDataSetState s);
  void RestoreState(TDataSetState s);

  TRecordBuffer& Buffer(int i) { return *FBuffers[static_cast<size_t>(i)]; }
  // The record as it was read when editing began; nullptr outside an edit.
  const TRecordBuffer* OldValuesBuffer() const { return FOldValuesValid ? &FOldValues : nullptr; }
  void CheckCanModify() const;
  void SetFilterBuffer(TRecordBuffer* b) { FFilterBuffer = b; }

private:
  friend class TDataLink;
  friend class TField;
  void OpenCursor();
  void CloseCursor();
  void SetState(TDataSetState v);
  void SetBufferCount(int v);
  void ClearBuffers();
  void ActivateBuffers();
  bool GetNextRecord();
  bool GetPriorRecord();
  int GetNextRecords();
  int GetPriorRecords();
  void SetCurrentRecord(int index);
  void MoveBuffer(int from, int to);
  void BeginInsertAppend();
  void EndInsertAppend();
  void AdjustFirstRecords(int delta);
  void NotifySources(TDataEvent Event, std::intptr_t Info);
  void ApplyFilterChange(const std::function<void()>& undo);

  // ActiveRecordBuffer in the states other than browsing.
  TRecordBuffer* StateRecordBuffer() const;
  TDataSetState FState = dsInactive;
  bool FModified = false;
  bool FBOF = true, FEOF = true;
  bool FDefaultFields = false;
  std::vector<std::unique_ptr<TRecordBuffer>> FBuffers;  // FBufferCount + 1 (the spare)
  int FBufferCount = 0;
  int FRecordCount = 0;
  int FActiveRecord = 0;
  int FCurrentRecord = -1;
  TRecordBuffer FCalcTemp;
  TRecordBuffer* FCalcBuffer = nullptr;
  TRecordBuffer* FFilterBuffer = nullptr;
  TRecordBuffer FOldValues;
  bool FOldValuesValid = false;
  bool FStreamedActive = false;
  int FSlotCount = 0;
  int FCalcFieldCount = 0;
  int FDisableCount = 0;
  TDataSetState FDisableState = dsInactive;
  TDataEvent FEnableEvent = deDataSetChange;
  std::string FFilterText;
  bool FFiltered = false;
  TFields FFields;
  std::unique_ptr<TFieldDefs> FFieldDefs;
  std::vector<TDataSource*> FDataSources;
  TDataSource* FMasterSource = nullptr;

  TDataSetNotifyEvent FBeforeOpen, FAfterOpen, FBeforeClose, FAfterClose, FBeforeInsert, FAfterInsert,
      FBeforeEdit, FAfterEdit, FBeforePost, FAfterPost, FBeforeCancel, FAfterCancel, FBeforeDelete,
      FAfterDelete, FBeforeScroll, FAfterScroll, FBeforeRefresh, FAfterRefresh, FOnNewRecord, FOnCalcFields;
  TFilterRecordEvent FOnFilterRecord;
};

// Registers the data-access classes by name (done once, at start-up).
void RegisterDataClasses();

// Raises EDatabaseError with the component's name as prefix ("Table1: ...").
[[noreturn]] void DatabaseError(const std::string& Message, const TComponent* Component = nullptr);

// A field's value in the dataset's active buffer; Null without one.
inline const Variant& TField::RawValue() const {
  if (FDataSet && FSlot >= 0) {
    TRecordBuffer* buf = FDataSet->ActiveRecordBuffer();
    if (buf && FSlot < static_cast<int>(buf->Values.size())) return buf->Values[static_cast<size_t>(FSlot)];
  }
  return NullValue();
}
