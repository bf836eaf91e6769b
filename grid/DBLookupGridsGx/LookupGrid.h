#pragma once
// TDBLookupGridGx: a data grid that lists the records of a list dataset and tracks one
// key value. Moving through the list with keys or the mouse makes the key of the record
// reached the current key; the key's row is drawn highlighted. An optional special row
// above the data rows stands for one extra key value. The grid sizes its height by a
// number of data rows and can fit its columns to its width.
#include <memory>
#include <string>

#include "grid/DBGridGx/ColumnDefValues.h"
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBLookupGridsGx/LookupOptions.h"
#include "gridcontrols/ToolCtrlsGx/SpecRow.h"
#include "platform/data/DataSource.h"
#include "platform/rtl/Variant.h"

class TDBLookupGridGx;


// Link to the dataset whose field receives the chosen key.
class TLookupGridDataLinkGx : public TDataLink {
public:
  explicit TLookupGridDataLinkGx(TDBLookupGridGx* Grid) : FGrid(Grid) {}
  TDBLookupGridGx* Grid() const { return FGrid; }
  void ForgetGrid() { FGrid = nullptr; }

protected:
  void ActiveChanged() override;
  void LayoutChanged() override;
  void RecordChanged(TField* Field) override;
  void FocusControl(TField** Field) override;

private:
  TDBLookupGridGx* FGrid;
};

// A column's cell of the special row: its own Text, Color and Font, each following the
// grid's special row until assigned.
class TGridColumnSpecCellGx : public TPersistent {
  VANTREL_CLASS(TGridColumnSpecCellGx, TPersistent)
public:
  explicit TGridColumnSpecCellGx(TColumnGx* Owner);
  ~TGridColumnSpecCellGx() override;
  static void Publish(TClassBuilder<TGridColumnSpecCellGx>& b);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override { return FOwner; }

  std::string Text() const;
  void SetText(const std::string& Value);
  TColor Color() const;
  void SetColor(TColor Value);
  TFont* Font();
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool TextAssigned() const { return FTextAssigned; }
  bool ColorAssigned() const { return FColorAssigned; }
  bool FontAssigned() const { return FFontAssigned; }

private:
  TSpecRowGx* GridSpecRow() const;
  void FontChanged(TObject* Sender);

  TColumnGx* FOwner;
  std::string FText;
  TColor FColor = clWindow;
  std::unique_ptr<TFont> FFont;
  bool FTextAssigned = false, FColorAssigned = false, FFontAssigned = false;
};

class TDBLookupGridColumnGx : public TColumnGx {
  VANTREL_CLASS(TDBLookupGridColumnGx, TColumnGx)
public:
  explicit TDBLookupGridColumnGx(TCollection* Collection);
  ~TDBLookupGridColumnGx() override;
  static void Publish(TClassBuilder<TDBLookupGridColumnGx>& b);
  TGridColumnSpecCellGx* SpecCell() const { return FSpecCell.get(); }
  void SetSpecCell(TGridColumnSpecCellGx* Value) { FSpecCell->Assign(Value); }
  // Moving a default column of an active list moves its list field and its special-row
  // text with it.
  void SetIndex(int Value) override;
  void SetWidth(int Value) override;
  bool IsFieldDriven() const override { return !FCountAsCustomized && TColumnGx::IsFieldDriven(); }

private:
  TDBLookupGridGx* LookupGrid() const;
  void ReorderSpecRowTexts(TDBLookupGridGx* G, int OldIndex, int NewIndex);
  std::unique_ptr<TGridColumnSpecCellGx> FSpecCell;
  bool FCountAsCustomized = false;
};

class TDBLookupGridColumnDefValuesGx : public TColumnDefValuesGx {
  VANTREL_CLASS(TDBLookupGridColumnDefValuesGx, TColumnDefValuesGx)
public:
  using TColumnDefValuesGx::TColumnDefValuesGx;
};

class TDBLookupGridGx : public TCustomDBGridGx {
  VANTREL_CLASS(TDBLookupGridGx, TCustomDBGridGx)
public:
  explicit TDBLookupGridGx(TComponent* AOwner);
  ~TDBLookupGridGx() override;

  // ---- properties ----
  TDataSource* ListSource() const { return TCustomDBGridGx::DataSource(); }
  void SetListSource(TDataSource* Value);
  std::string KeyFields() const { return FLookupMode ? std::string() : FKeyFields; }
  void SetKeyFields(const std::string& Value);
  const std::string& ListFields() const { return FListFields; }
  void SetListFields(const std::string& Value);
  int ListFieldIndex() const { return FListFieldIndex; }
  void SetListFieldIndex(int Value) { FListFieldIndex = Value; }
  const Variant& KeyValue() const { return FKeyValue; }
  void SetKeyValue(const Variant& Value);
  TSpecRowGx* SpecRow() const { return FSpecRow.get(); }
  void SetSpecRow(TSpecRowGx* Value) { FSpecRow->Assign(Value); }
  int DisplayRowCount() const { return FDisplayRowCount; }
  void SetDisplayRowCount(int Value);
  bool ShowTitles() const { return Options().Contains(dgTitles); }
  void SetShowTitles(bool Value);
  bool MultiTitle() const { return UseMultiTitle(); }
  void SetMultiTitle(bool Value);
  bool FitColumnsToWidth() const { return FFitColumnsToWidth; }
  void SetFitColumnsToWidth(bool Value);
  TDBLookupGridGxOptions LookupOptions() const { return FLookupOptions; }
  void SetLookupOptions(TDBLookupGridGxOptions Value);
  TDataSource* DataSource() const { return FDataLink->DataSource(); }
  void SetDataSource(TDataSource* Value);
  const std::string& DataField() const { return FDataField; }
  void SetDataField(const std::string& Value);
  bool ReadOnly() const { return FDataLink->ReadOnly(); }
  void SetReadOnly(bool Value) { FDataLink->SetReadOnly(Value); }

  // ---- read-only state ----
  const std::string& DisplayText() const { return FDisplayText; }
  TField* ListField() const { return FListField; }
  bool ListActive() const { return FListActive; }
  bool LookupMode() const { return FLookupMode; }
  bool HasFocus() const { return FHasFocus; }
  bool IsPopup() const { return FIsPopup; }
  bool SelectingInList() const { return FSelectingInList; }
  const std::string& LookupSearchText() const { return FSearchText; }
  int ListActiveRecord() const { return FListActiveRecord; }
  int ListRecordCount() const { return FListRecordCount; }
  int SpecRowSpace() const { return FSpecRowSpace; }
  // The key's row is in view and gets the focus frame.
  bool WantsRowFocusRectShown() const { return FRowFocus; }
  // The interval of the automatic scrolling while dragging outside, -1 when it is off.
  int AutoScrollInterval() const { return FLookupScrollInterval; }
  int ColumnsTotalWidth();
  void DataRowsRect(win::RECT& Rect);
  const TFieldsArrGx& KeyFieldList() const { return FKeyFieldList; }
  const std::vector<TField*>& ListFieldList() const { return FListFieldList; }
  TLookupGridDataLinkGx* LookupDataLink() const { return FDataLink.get(); }

  // ---- operations ----
  void SelectCurrentKey();
  void SelectSpecRow();
  void SelectRowAt(int X, int Y);
  // The buffer index of the record holding the current key, -1 when none is buffered.
  int KeyRowIndex();

  virtual bool CanChangeKeyValue();
  virtual bool ValueFitsKeyFields(const TFieldsArrGx& Fields, const Variant& Value);
  virtual int NonClientHeight();
  virtual int SpecRowHeight();
  virtual int DataRowHeight();
  virtual void KeyValueChanged();
  virtual void ListDataChanged();
  // A typed character (a code point) extends the typed search.
  virtual void SearchByKey(TKeyChar Key);
  virtual void ChooseKeyValue(const Variant& Value);
  virtual void InvalidateIfReady();
  virtual void UpdateFittedWidths();
  virtual void DataFieldChanged();
  virtual void RebuildListFields();
  virtual bool LocateKeyValue();

  void DataRecordChanged(TField* Field);
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
  // ---- overrides of the data grid ----
  bool WantsRowFocusRect() override { return FRowFocus; }
  bool IsCell3D(int ACol, int ARow, TGridDrawState AState, const win::RECT& ARect) override;
  int FilterRowCount() override;
  bool DataCellColors(int DataCol, int DataRow, TFont* AFont, TColor& Background, TGridDrawState AState,
                      const std::string& Text) override;
  void RefreshAfterDataChange() override;
  void BuildFieldMap() override;
  void DrawTitleAreaCell(int ACol, int ARow, const win::RECT& ARect, TGridDrawState AState) override;
  void CollectDataSetFields(TList* List) override;
  void RequestLayout() override;
  void LinkActiveChanged() override;
  void ScrollRows(int Distance) override;
  void AutoScrollStep(int X, int Y) override;
  void SyncActiveRow() override;
  void RecountRows() override;
  void UpdateVertScrollBar() override;
  TDBGridColumnsGx* CreateColumns() override;
  TColumnDefValuesGx* CreateColumnDefValues() override;
  void ForgetRemovedComponent(TComponent* AComponent) override;
  void CreateWnd() override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, win::POINT MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, win::POINT MousePos) override;
  void ColWidthsChanged() override;
  void Dispatch(TMessage& Message) override;
  // Over the rows a double click counts only on the active record's row (the press
  // decides); elsewhere as usual.
  void DblClick() override;

  void SetIsPopup(bool Value) { FIsPopup = Value; }
  // The pointer is being tracked over the rows (a press on a data row started it).
  bool Tracking() const { return FTracking; }
  void EndTracking();

private:
  friend class TDBLookupGridColumnGx;
  friend class TLookupGridDataLinkGx;
  void SpecRowChanged(TObject* Sender);
  void SetLookupMode(bool On);
  void CheckNotCircular();
  void CheckKeyFieldsWritable();
  // Runs Action with the list link's active record at Index, restoring it afterwards.
  template <class F>
  void AtBufferRecord(int Index, F&& Action);
  int TitleHeightT();
  // SpecRowHeight while the special row is visible, else 0.
  int SpecRowHeightShown();
  int RowLineWidth();
  void WriteDisplayRowCountAgain() { SetDisplayRowCount(FDisplayRowCount); }
  void StepByKey(win::WORD Key);
  // Whether a client point is on a data cell or on the visible special row.
  bool OnRows(int X, int Y);
  void WindowSized(TMessage& Message);
  void VertScroll(TMessage& Message);
  void StartAutoScroll(int Interval);
  void StopAutoScroll();

  std::unique_ptr<TDataSource> FLookupModeSource;
  std::unique_ptr<TLookupGridDataLinkGx> FDataLink;
  std::unique_ptr<TSpecRowGx> FSpecRow;
  std::string FKeyFields;
  TFieldsArrGx FKeyFieldList;
  Variant FKeyValue = Null();
  std::string FListFields;
  std::vector<TField*> FListFieldList;
  TField* FListField = nullptr;
  int FListFieldIndex = 0;
  bool FListActive = false;
  std::string FDisplayText;
  std::string FDataField;
  TFieldsArrGx FDataFieldList;
  TFieldsArrGx FDataKeyFields;
  std::string FDataKeyFieldNames;
  bool FLookupMode = false;
  bool FHasFocus = false;
  bool FIsPopup = false;
  bool FSelectingInList = false;
  std::string FSearchText;
  int FListActiveRecord = 0;
  int FListRecordCount = 0;
  int FDisplayRowCount = 1;
  int FSpecRowSpace = 0;
  TDBLookupGridGxOptions FLookupOptions = DefaultLookupGridGxOptions;
  bool FFitColumnsToWidth = false;
  bool FRowFocus = false;
  int FLastMouseY = 0;
  bool FFitGuard = false;
  bool FRecountGuard = false;
  bool FTracking = false;
  bool FRowDblClick = false;
  int FLookupScrollInterval = -1;
};

// The tick count of the last key a lookup grid's typed search took (one for all grids).
extern win::DWORD LastSearchKeyTime;
