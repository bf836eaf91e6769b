#pragma once
// Grid columns: TColumnGx binds a dataset field by name and carries what the grid needs
// to draw, edit and total the column; most presentation values are soft (a default from
// the field, the grid or its ColumnDefValues until one is assigned). TDBGridColumnsGx is
// the grid's collection of them; TColumnsGxList a plain, non-owning list of columns.
#include <memory>
#include <string>

#include "grid/DBGridGx/Footers.h"
#include "grid/DBGridGx/GridColumnEvents.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/Titles.h"
#include "grid/DBLookupGridsGx/ColumnDropDownBox.h"
#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "gridcontrols/ToolCtrlsGx/MRUList.h"
#include "gridcontrols/ToolCtrlsGx/SpecRow.h"
#include "platform/controls/ControlTypes.h"
#include "platform/controls/StdCtrls.h"
#include "platform/data/DB.h"
#include "platform/graphics/ImageList.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Variant.h"

class TCustomDBGridGx;
class TColCellParamsGx;
class TPopupMenu;
class TDBGridColumnsGx;
class TPopupDataGridGx;

// The style of a column's in-place editor: which button a cell shows and what it opens.
enum TInplaceEditStyleGx {
  iesSimpleGx, iesEllipsisGx, iesPickListGx, iesLookupListGx, iesCalendarGx, iesUpDownGx, iesDropDownGx
};
VANTREL_ENUM(TInplaceEditStyleGx, "iesSimpleGx", "iesEllipsisGx", "iesPickListGx", "iesLookupListGx",
             "iesCalendarGx", "iesUpDownGx", "iesDropDownGx")

// What a column's cell is (TColumnGx::CellKind).
inline constexpr int CellKindPlain = 0, CellKindPickList = 1, CellKindLookup = 2, CellKindKeyPickList = 3,
                     CellKindKeyImages = 4, CellKindCheckBox = 5;

enum TColumnButtonStyleGx { cbsAuto, cbsEllipsis, cbsNone, cbsUpDown, cbsDropDown };
VANTREL_ENUM(TColumnButtonStyleGx, "cbsAuto", "cbsEllipsis", "cbsNone", "cbsUpDown", "cbsDropDown")

// One assigned-value flag per soft property of a column and its title.
enum TColumnGxValue {
  cvColor, cvWidth, cvFont, cvAlignment, cvReadOnly, cvTitleColor, cvTitleCaption, cvTitleAlignment,
  cvTitleFont, cvTitleButton, cvTitleEndEllipsis, cvTitleToolTips, cvTitleOrientation, cvImeMode, cvImeName,
  cvWordWrap, cvLookupDisplayFields, cvCheckboxes, cvAlwaysShowEditButton, cvEndEllipsis, cvAutoDropDown,
  cvDblClickNextVal, cvToolTips, cvDropDownSizing, cvDropDownShowTitles
};
using TColumnGxValues = Set<TColumnGxValue>;
inline constexpr TColumnGxValues ColumnTitleValues{cvTitleColor, cvTitleCaption, cvTitleAlignment, cvTitleFont,
                                                   cvTitleButton, cvTitleEndEllipsis, cvTitleToolTips,
                                                   cvTitleOrientation};

using TGetColCellParamsEventGx = TEvent<void(TObject* Sender, bool EditMode, TColCellParamsGx* Params)>;
using TNotInListEventGx = TEvent<void(TObject* Sender, std::string NewText, bool& RecheckInList)>;
using TColCellUpdateDataEventGx =
    TEvent<void(TObject* Sender, std::string& Text, Variant& Value, bool& UseText, bool& Handled)>;

class TColumnGx : public TCollectionItem, public IDropDownBoxOwnerGx {
  VANTREL_CLASS(TColumnGx, TCollectionItem)
public:
  explicit TColumnGx(TCollection* Collection);
  ~TColumnGx() override;
  void Assign(TPersistent* Source) override;
  std::string DisplayName() const override;
  // Index write: a field-driven column also moves its field in the dataset.
  void SetIndex(int Value) override;

  // The grid of the collection holding the column, or nil.
  TCustomDBGridGx* Grid() const;
  TColumnGxValues AssignedValues() const { return FAssignedValues; }
  virtual bool IsFieldDriven() const { return !FCustomized; }
  bool Customized() const { return FCustomized; }

  TField* Field();
  virtual void SetField(TField* Value);
  const std::string& FieldName() const { return FFieldName; }
  void SetFieldName(const std::string& Value);

  bool IsCurrency() const { return FIsCurrency; }
  void SetIsCurrency(bool Value);
  TAlignment Alignment();
  virtual void SetAlignment(TAlignment Value);
  bool AlwaysShowEditButton() const;
  void SetAlwaysShowEditButton(bool Value);
  bool AutoDropDown() const;
  void SetAutoDropDown(bool Value);
  bool AutoFitColWidth() const { return FAutoFitColWidth; }
  virtual void SetAutoFitColWidth(bool Value);
  TColumnButtonStyleGx ButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TColumnButtonStyleGx Value);
  bool Checkboxes();
  void SetCheckboxes(bool Value);
  TColor Color() const;
  void SetColor(TColor Value);
  bool DblClickNextVal() const;
  void SetDblClickNextVal(bool Value);
  const std::string& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const std::string& Value);
  bool DisplayNullIfZero() const { return FDisplayNullIfZero; }
  void SetDisplayNullIfZero(bool Value);
  unsigned DropDownRows() const { return FDropDownRows; }
  void SetDropDownRows(unsigned Value) { FDropDownRows = Value; }
  bool DropDownShowTitles() const;
  void SetDropDownShowTitles(bool Value);
  bool DropDownSizing() const;
  void SetDropDownSizing(bool Value);
  TSpecRowGx* DropDownSpecRow() const { return FDropDownSpecRow.get(); }
  void SetDropDownSpecRow(TSpecRowGx* Value) { FDropDownSpecRow->Assign(Value); }
  int DropDownWidth() const { return FDropDownWidth; }
  void SetDropDownWidth(int Value);
  TEditButtonsGx* EditButtons() const { return FEditButtons.get(); }
  void SetEditButtons(TEditButtonsGx* Value) { FEditButtons->Assign(Value); }
  // The column's recent texts, owned by the column.
  TMRUListGx* MRUList() const { return FMRUList.get(); }
  void SetMRUList(TMRUListGx* Value) { FMRUList->Assign(Value); }
  const std::string& EditMask() const { return FEditMask; }
  void SetEditMask(const std::string& Value);
  bool EndEllipsis() const;
  void SetEndEllipsis(bool Value);
  // The own font; while not assigned a copy of the grid's Font, refreshed on read.
  TFont* Font();
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TColumnFooterGx* Footer() const { return FFooter.get(); }
  void SetFooter(TColumnFooterGx* Value) { FFooter->Assign(Value); }
  TColumnFootersGx* Footers() const { return FFooters.get(); }
  void SetFooters(TColumnFootersGx* Value) { FFooters->Assign(Value); }
  TCustomImageList* ImageList() const { return FImageList; }
  void SetImageList(TCustomImageList* Value);
  TImeMode ImeMode() const;
  virtual void SetImeMode(TImeMode Value);
  std::string ImeName() const;
  virtual void SetImeName(const std::string& Value);
  double Increment() const { return FIncrement; }
  void SetIncrement(double Value) { FIncrement = Value; }
  // Created empty on first read; nil frees it.
  TStrings* KeyList();
  void SetKeyList(TStrings* Value);
  bool HasKeyList() const { return FKeyList != nullptr; }
  std::string LookupDisplayFields();
  virtual void SetLookupDisplayFields(const std::string& Value);
  int MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(int Value);
  int MinWidth() const { return FMinWidth; }
  void SetMinWidth(int Value);
  int NotInKeyListIndex() const { return FNotInKeyListIndex; }
  void SetNotInKeyListIndex(int Value);
  TStrings* PickList();
  void SetPickList(TStrings* Value);
  bool HasPickList() const { return FPickList != nullptr; }
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  bool ReadOnly();
  virtual void SetReadOnly(bool Value);
  TSTColumnFilterGx* STFilter() const { return FSTFilter.get(); }
  void SetSTFilter(TSTColumnFilterGx* Value) { FSTFilter->Assign(Value); }
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  TColumnTitleGx* Title() const { return FTitle.get(); }
  void SetTitle(TColumnTitleGx* Value) { FTitle->Assign(Value); }
  bool ToolTips() const;
  void SetToolTips(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int Width();
  virtual void SetWidth(int Value);
  bool WordWrap();
  virtual void SetWordWrap(bool Value);

  const TButtonClickEventGx& OnEditButtonClick() const { return FOnEditButtonClick; }
  void SetOnEditButtonClick(const TButtonClickEventGx& Value) { FOnEditButtonClick = Value; }
  const TButtonDownEventGx& OnEditButtonDown() const { return FOnEditButtonDown; }
  void SetOnEditButtonDown(const TButtonDownEventGx& Value) { FOnEditButtonDown = Value; }
  // ---- the drop-down lookup list: its settings and popup grid ----
  TColumnDropDownBoxGx* DropDownBox() const { return FDropDownBox.get(); }
  void SetDropDownBox(TColumnDropDownBoxGx* Value) { FDropDownBox->Assign(Value); }
  void WatchComponent(TComponent* Component) override { Watch(Component); }
  TPopupDataGridGx* GetPopupGrid() override;
  TDBLookupGridGxOptions GetPopupOptions() override;
  void SetPopupOptions(TDBLookupGridGxOptions Value) override;
  TPopupDataGridGx* PopupGridIfMade() const override { return FPopupGrid.get(); }
  // Events of the popup grid (reading or writing one makes it).
  TCheckTitleGxBtnEvent OnDropDownBoxCheckButton();
  void SetOnDropDownBoxCheckButton(const TCheckTitleGxBtnEvent& Value);
  TDrawColumnGxCellEvent OnDropDownBoxDrawColumnCell();
  void SetOnDropDownBoxDrawColumnCell(const TDrawColumnGxCellEvent& Value);
  TGetCellGxParamsEvent OnDropDownBoxGetCellParams();
  void SetOnDropDownBoxGetCellParams(const TGetCellGxParamsEvent& Value);
  TNotifyEvent OnDropDownBoxSortMarkingChanged();
  void SetOnDropDownBoxSortMarkingChanged(const TNotifyEvent& Value);
  TTitleGxClickEvent OnDropDownBoxTitleBtnClick();
  void SetOnDropDownBoxTitleBtnClick(const TTitleGxClickEvent& Value);

  const TGetColCellParamsEventGx& OnGetCellParams() const { return FOnGetCellParams; }
  void SetOnGetCellParams(const TGetColCellParamsEventGx& Value);
  const TNotInListEventGx& OnNotInList() const { return FOnNotInList; }
  void SetOnNotInList(const TNotInListEventGx& Value) { FOnNotInList = Value; }
  const TColCellUpdateDataEventGx& OnUpdateData() const { return FOnUpdateData; }
  void SetOnUpdateData(const TColCellUpdateDataEventGx& Value) { FOnUpdateData = Value; }

  // The share of the client width the grid gives the column when fitting columns.
  int ProportionalWidth() const { return FProportionalWidth; }
  void SetProportionalWidth(int Value) { FProportionalWidth = Value; }

  virtual void ResetToDefaults();
  void RefreshDefaultFont();
  int DefaultWidth();
  bool DefaultWordWrap();
  TAlignment DefaultAlignment();
  TColor DefaultColor() const;
  bool DefaultReadOnly();
  TFont* DefaultFont() const;
  // TryWidth limited to MaxWidth, then raised to MinWidth (each when above 0).
  int ClampWidth(int TryWidth) const;
  // Footers[Row] when the collection has that item, else the single Footer.
  TColumnFooterGx* FooterForRow(int Row) const;
  void RelinkFooterSums();
  virtual void FireGetCellParams(bool EditMode, TColCellParamsGx* Params);

  // ---- the cell of the dataset's current record ----
  // One of the CellKind constants, from the column's settings and its field.
  int CellKind();
  std::string FormatCellText();
  // Field's text in DisplayFormat (its display text when the format is empty).
  static std::string FormatFieldWithDisplayFormat(TField* Field, const std::string& DisplayFormat);
  static bool LookupKeyFound(TField* Field);
  int KeyImageIndex();
  TCheckBoxState ReadCheckState();
  void WriteCheckState(TCheckBoxState State);
  // The cell's parameters outside drawing: the column's font, colour and alignment with
  // the cell's content (CellContentOf); the caller raises the parameter events.
  void FillCellParams(TColCellParamsGx* Params);
  // Whether the cell may be edited; with EnterEdit also puts the dataset into editing.
  bool CheckEditable(bool EnterEdit);
  // Writes the editor text (UseText) or a value back to the field, through OnUpdateData.
  void WriteCellValue(std::string Text, Variant Value, bool UseText);
  // Steps the cell to its next (Step > 0) or previous value, or by Step for numbers.
  void StepCellValue(double Step);
  TDataSet* LookupListDataSet();
  // The width the cell's edit buttons take at its right.
  int EditButtonsWidth();

  // Reports a change of this column (or of all columns) to its collection.
  void ReportChange(bool AllItems) { Changed(AllItems); }
  // Forgets references to a component that is being freed (field, menu, image list);
  // a field-driven column unbound from its field also drops its field name.
  void ForgetComponent(TComponent* Component);

  static void Publish(TClassBuilder<TColumnGx>& b);

protected:
  virtual TEditButtonsGx* MakeEditButtons();
  virtual TColumnFooterGx* MakeFooter();
  virtual TColumnFootersGx* MakeFooters();
  virtual TSTColumnFilterGx* MakeSTFilter();
  virtual TColumnTitleGx* MakeTitle();
  virtual void DropDownSpecRowChanged(TObject* Sender);

private:
  friend class TDBGridColumnsGx;
  friend class TColumnTitleGx;
  void FontChanged(TObject* Sender);
  void ImageListChange(TObject* Sender);
  void EditButtonsChanged(TObject* Sender);
  void SetCustomized(bool Value) { FCustomized = Value; }
  bool SetSoftBool(TColumnGxValue Flag, bool& Own, bool Value, bool Report);
  bool IsAlignmentStored();
  bool IsAlwaysShowEditButtonStored() const;
  bool IsAutoDropDownStored() const;
  bool IsCheckboxesStored() const;
  bool IsColorStored() const;
  bool IsDblClickNextValStored() const;
  bool IsDropDownShowTitlesStored() const;
  bool IsDropDownSizingStored() const;
  bool IsEndEllipsisStored() const;
  bool IsFontStored() const;
  bool IsImeModeStored() const;
  bool IsImeNameStored() const;
  bool IsIncrementStored() const { return FIncrement != 1.0; }
  bool IsLookupDisplayFieldsStored();
  bool IsReadOnlyStored();
  bool IsToolTipsStored() const;
  bool IsWidthStored();
  bool IsWordWrapStored();

  void Watch(TComponent* Component);
  void Unwatch(TComponent* Component);
  // The editing test; MemoTextEditable lets a memo shown as text count as editable.
  bool EditGate(bool EnterEdit, bool MemoTextEditable);
  // The entry after (Forward) or before Text's entry in List, wrapping round.
  static std::string NextListEntry(TStrings* List, const std::string& Text, bool Forward);
  void StepLookupValue(TField* Field, bool Forward, const std::string& Cur);

  TColumnGxValues FAssignedValues;
  bool FCustomized = true;
  // Hears when the field, menu or image list the column refers to is freed.
  std::unique_ptr<TComponent> FRefWatch;
  TField* FField = nullptr;
  std::string FFieldName;
  bool FIsCurrency = false;
  TAlignment FAlignment = taLeftJustify;
  bool FAlwaysShowEditButton = false;
  bool FAutoDropDown = false;
  bool FAutoFitColWidth = true;
  TColumnButtonStyleGx FButtonStyle = cbsAuto;
  bool FCheckboxes = false;
  TColor FColor = clWindow;
  bool FDblClickNextVal = false;
  std::string FDisplayFormat;
  bool FDisplayNullIfZero = false;
  unsigned FDropDownRows = 7;
  bool FDropDownShowTitles = false;
  bool FDropDownSizing = false;
  std::unique_ptr<TSpecRowGx> FDropDownSpecRow;
  int FDropDownWidth = 0;
  std::unique_ptr<TEditButtonsGx> FEditButtons;
  std::unique_ptr<TMRUListGx> FMRUList;
  std::string FEditMask;
  bool FEndEllipsis = false;
  std::unique_ptr<TFont> FFont;
  bool FInFontRefresh = false;
  std::unique_ptr<TColumnTitleGx> FTitle;
  std::unique_ptr<TColumnFooterGx> FFooter;
  std::unique_ptr<TColumnFootersGx> FFooters;
  TCustomImageList* FImageList = nullptr;
  std::unique_ptr<TChangeLink> FImageChangeLink;
  TImeMode FImeMode = imDontCare;
  std::string FImeName;
  double FIncrement = 1.0;
  std::unique_ptr<TStringList> FKeyList;
  std::string FLookupDisplayFields;
  int FMaxWidth = 0;
  int FMinWidth = 0;
  int FNotInKeyListIndex = -1;
  std::unique_ptr<TStringList> FPickList;
  TPopupMenu* FPopupMenu = nullptr;
  bool FReadOnly = false;
  std::unique_ptr<TSTColumnFilterGx> FSTFilter;
  int FTag = 0;
  bool FToolTips = false;
  bool FVisible = true;
  int FWidth = 0;
  bool FWordWrap = false;
  int FProportionalWidth = 0;
  TButtonClickEventGx FOnEditButtonClick;
  TButtonDownEventGx FOnEditButtonDown;
  TGetColCellParamsEventGx FOnGetCellParams;
  TNotInListEventGx FOnNotInList;
  TColCellUpdateDataEventGx FOnUpdateData;
  std::unique_ptr<TColumnDropDownBoxGx> FDropDownBox;
  std::unique_ptr<TPopupDataGridGx> FPopupGrid;
};

// The editor style a cell of Column shows (drawing and mouse handling decide by it).
TInplaceEditStyleGx ColumnEditStyle(TColumnGx* Column);

// A check-box or key-image cell: a click, Space or Del changes it, never an editor.
inline bool IsCheckCell(TColumnGx* Column) {
  if (!Column) return false;
  const int Kind = Column->CellKind();
  return Kind == CellKindCheckBox || Kind == CellKindKeyImages;
}

// The item class of TDBGridGx's columns.
class TDBGridColumnGx : public TColumnGx {
  VANTREL_CLASS(TDBGridColumnGx, TColumnGx)
public:
  explicit TDBGridColumnGx(TCollection* Collection) : TColumnGx(Collection) {}
};

class TDBGridColumnsGx : public TCollection {
  VANTREL_CLASS(TDBGridColumnsGx, TCollection)
public:
  TDBGridColumnsGx(TCustomDBGridGx* Grid, TClass ItemClass);
  TPersistent* GetOwner() override;

  TCustomDBGridGx* Grid() const { return FGrid; }
  TColumnGx* AddColumn() { return static_cast<TColumnGx*>(Add()); }
  // A default column made from a dataset field (not customised).
  TColumnGx* AddFieldColumn();
  // Typed item read; raises the grid error for an index out of range.
  TColumnGx* ColumnAt(int Index) const;
  TColumnGx* operator[](int Index) const { return ColumnAt(Index); }
  // True when there are columns and the first one is customised.
  bool IsCustomized() const;
  // Unbinds every column bound to Field; true when any was.
  bool UnbindField(TField* Field);
  // Every column forgets Component (a popup menu or image list being freed).
  void ForgetComponent(TComponent* Component);
  // Rebuilds the grid's SortedColumnList from the titles' SortIndex values.
  void RebuildSortedColumnList();
  // Moves every sort position after Leaving's up by one (Leaving leaves the sort).
  void CloseSortGap(TColumnGx* Leaving);

protected:
  void Update(TCollectionItem* Item) override;
  // A column leaving the collection (deleted, cleared or moved to another collection)
  // leaves every list of the grid at once.
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
  TCustomDBGridGx* FGrid;
};

// A plain ordered list of columns; owns nothing.
class TColumnsGxList : public TList {
  VANTREL_CLASS(TColumnsGxList, TList)
public:
  TColumnsGxList() = default;
  // Raises EListError for an index out of range.
  TColumnGx* ColumnAt(int Index) const { return static_cast<TColumnGx*>(Items(Index)); }
  void SetColumnAt(int Index, TColumnGx* Column) { SetItems(Index, Column); }
};
