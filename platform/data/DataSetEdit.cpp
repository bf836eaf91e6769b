// TDataSet: inserting, editing, posting, cancelling and deleting.
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/rtl/ScopeExit.h"

void TDataSet::CheckBrowseMode() {
  // Browsing with the controls held: nothing to post and nobody to tell.
  if (FState == dsBrowse && FDisableCount != 0) return;
  CheckActive();
  DataEvent(deCheckBrowseMode, 0);
  switch (FState) {
    case dsEdit:
    case dsInsert:
      UpdateRecord();
      if (FModified) Post();
      else Cancel();
      break;
    case dsSetKey:
      Post();
      break;
    default:
      break;
  }
}

void TDataSet::UpdateRecord() {
  if (FState != dsEdit && FState != dsInsert && FState != dsSetKey)
    Error("Dataset not in edit or insert mode");
  DataEvent(deUpdateRecord, 0);
}

void TDataSet::BeginInsertAppend() {
  CheckBrowseMode();
  CheckCanModify();
  FBeforeInsert(this);
  FBeforeScroll(this);
}

void TDataSet::EndInsertAppend() {
  SetState(dsInsert);
  {
    auto cancelOnFailure = AtScopeFailure([this] {
      UpdateCursorPos();
      InternalCancel();
      SetState(dsBrowse);
      Resync({});
    });
    FOnNewRecord(this);
  }
  FModified = false;
  DataEvent(deDataSetChange, 0);
  FAfterInsert(this);
  FAfterScroll(this);
}

void TDataSet::Insert() {
  BeginInsertAppend();
  std::int64_t oldKey = -1;
  bool hadRecord = FRecordCount > 0;
  if (hadRecord) oldKey = FBuffers[static_cast<size_t>(FActiveRecord)]->Key;
  MoveBuffer(FRecordCount, FActiveRecord);
  TRecordBuffer& b = *FBuffers[static_cast<size_t>(FActiveRecord)];
  InternalInitRecord(b);
  if (hadRecord) {
    b.Flag = bfInserted;
    b.Key = oldKey;
  } else {
    b.Flag = bfBOF;
  }
  if (FRecordCount < FBufferCount) ++FRecordCount;
  InternalInsert();
  EndInsertAppend();
}

void TDataSet::Append() {
  BeginInsertAppend();
  ClearBuffers();
  TRecordBuffer& b = *FBuffers[0];
  InternalInitRecord(b);
  b.Flag = bfEOF;
  FRecordCount = 1;
  FBOF = false;
  GetPriorRecords();
  InternalInsert();
  EndInsertAppend();
}

void TDataSet::Edit() {
  if (FState == dsEdit || FState == dsInsert) return;
  if (FRecordCount == 0) {
    Insert();
    return;
  }
  CheckBrowseMode();
  CheckCanModify();
  FBeforeEdit(this);
  InternalEdit();
  FOldValues = *FBuffers[static_cast<size_t>(FActiveRecord)];
  FOldValuesValid = true;
  CalculateFields(*FBuffers[static_cast<size_t>(FActiveRecord)]);
  SetState(dsEdit);
  DataEvent(deRecordChange, 0);
  FAfterEdit(this);
}

void TDataSet::Post() {
  UpdateRecord();
  if (FState != dsEdit && FState != dsInsert) return;
  DataEvent(deCheckBrowseMode, 0);
  FBeforePost(this);
  for (TField* f : FFields.List())
    if (f->FieldKind() == fkData && f->Required() && !f->ReadOnly() && f->IsNull() && f->DataType() != ftAutoInc)
      DatabaseError("Field '" + f->DisplayName() + "' must have a value");
  // A failing write leaves the record in its edit state with its values.
  InternalPost();
  FOldValuesValid = false;
  SetState(dsBrowse);
  Resync({});
  FAfterPost(this);
}

void TDataSet::Cancel() {
  if (FState != dsEdit && FState != dsInsert) return;
  DataEvent(deCheckBrowseMode, 0);
  FBeforeCancel(this);
  bool scrollEvents = FState == dsInsert;
  if (scrollEvents) FBeforeScroll(this);
  UpdateCursorPos();
  InternalCancel();
  // The record as read comes back before it is read again, for an engine that finds the
  // row gone by then.
  if (FState == dsEdit && FOldValuesValid && FActiveRecord < FRecordCount)
    *FBuffers[static_cast<size_t>(FActiveRecord)] = FOldValues;
  FOldValuesValid = false;
  SetState(dsBrowse);
  Resync({});
  FAfterCancel(this);
  if (scrollEvents) FAfterScroll(this);
}

void TDataSet::Delete() {
  CheckActive();
  if (FState == dsInsert || FState == dsSetKey) {
    Cancel();
    return;
  }
  if (FRecordCount == 0) Error("Cannot perform this operation on an empty dataset");
  DataEvent(deCheckBrowseMode, 0);
  FBeforeDelete(this);
  FBeforeScroll(this);
  UpdateCursorPos();
  InternalDelete();
  FOldValuesValid = false;
  SetState(dsBrowse);
  Resync({});
  FAfterDelete(this);
  FAfterScroll(this);
}

void TDataSet::ClearFields() {
  if (FState != dsEdit && FState != dsInsert) Error("Dataset not in edit or insert mode");
  TRecordBuffer& b = *FBuffers[static_cast<size_t>(FActiveRecord)];
  for (TField* f : FFields.List())
    if (f->FieldKind() == fkData) b.Values[static_cast<size_t>(f->Slot())] = Null();
  CalculateFields(b);
  DataEvent(deRecordChange, 0);
}
