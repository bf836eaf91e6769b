#pragma once
// TDBGridInplaceEdit: the editor the data grid lays over its current data cell. On top of
// the plain in-place edit it shows the column's edit style (a main button and the popup it
// opens), the column's own edit buttons, completes typing against pick lists, key lists
// and lookup lists (also for pasted text), and steps the value with an up/down button.
#include <memory>
#include <string>

#include "grid/DBGridGx/Columns.h"
#include "gridcontrols/ToolCtrlsGx/DropDown.h"
#include "gridcontrols/ToolCtrlsGx/EditButtonStrip.h"
#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "gridcontrols/ToolCtrlsGx/MRUDropDown.h"
#include "gridcontrols/ToolCtrlsGx/PopupHost.h"
#include "platform/controls/Grids.h"

class TCustomDBGridGx;
class TPopupMonthCalendarGx;
class TPopupCalculatorGx;
class TPopupDataGridGx;

// The index of the first of Strings equal to Text ignoring case; with PartialKey an item
// matches when it starts with Text. -1 when none matches.
int FindInStrings(TStrings* Strings, const std::string& Text, bool PartialKey);
// Shift, Ctrl and Alt as held now.
TShiftState CurrentShiftState();
// True for a text of exactly one control character other than Backspace.
bool IsControlCharText(const std::string& Text);

class TDBGridInplaceEdit : public TInplaceEdit, public IPopupOwnerGx {
  VANTREL_CLASS(TDBGridInplaceEdit, TInplaceEdit)
public:
  explicit TDBGridInplaceEdit(TComponent* AOwner);
  ~TDBGridInplaceEdit() override;

  TCustomDBGridGx* DBGrid() const;
  // The grid's current column, or nil.
  TColumnGx* Column() const;
  TInplaceEditStyleGx EditStyle() const { return FEditStyle; }
  void SetEditStyle(TInplaceEditStyleGx Value);
  TWinControl* ActivePopup() const { return FPopups.Active(); }
  bool PopupVisible() const { return FPopups.IsOpen(); }
  bool KeepPopupOpen() const { return FKeepPopupOpen; }
  void SetKeepPopupOpen(bool Value) { FKeepPopupOpen = Value; }
  bool ReadOnlyByParams() const { return FReadOnlyByParams; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  int ButtonsWidth() const { return FButtons.Width(); }
  const TEditButtonControlList& ButtonControls() const { return FButtons.Controls(); }
  TPopupListboxGx* PickListPopup() const { return FPickListPopup; }
  TPopupMonthCalendarGx* CalendarPopup() const { return FCalendarPopup; }
  TPopupCalculatorGx* CalculatorPopupControl() const { return FCalculatorPopup; }
  // The current lookup column's popup grid, borrowed from the column; nil before a lookup
  // cell was edited.
  TPopupDataGridGx* LookupPopup() const { return FLookupPopup; }
  TDataSource* LookupSource() const { return FLookupSource.get(); }
  // The current column's recent texts (read through the column every time), or nil.
  TMRUListGx* MRUList() const;
  // The recent-texts list box, made on first use.
  TMRUListboxGx* MRUListbox();
  const std::string& CharKeyText() const { return FCharKeyText; }
  bool CanDropCalculator() const;

  void UpdateContents() override;
  // The edit control's text changed through the user (the grid's change notification).
  virtual void UserTextChanged();
  // Opens the popup of the current style under (or over) the editor; nothing when one is
  // open or the style has none.
  virtual void OpenPopup();
  // Hides the open popup; Accept takes its value into the cell when the cell may change.
  void ClosePopup(bool Accept) override;
  // Shows the column's recent texts that start with the editor's text, or refreshes the
  // open list; an emptied list closes.
  void OpenMRUList();
  virtual void CloseMRUList(bool Accept);
  // The lookup popup asks to close (Accept inside its rows).
  void LookupPopupCloseUp(TObject* Sender, bool Accept);
  // The user moved a column of the lookup popup.
  void PopupColumnMoved(TObject* Sender, int FromIndex, int ToIndex);
  bool PopupColumnsMoved() const { return FPopupColumnsMoved; }
  // A drag from the pressed main button into the open popup: the popup takes over the
  // press. True when it did.
  bool TraceMouseIntoPopup(TObject* Sender, TShiftState Shift, int X, int Y);
  // The column's edit button whose short cut is ShortCut, visible or not; nil when none.
  TEditButtonGx* ButtonByShortCut(TShortCut ShortCut) const;
  // Steps the value: the upper half (Down false) or the lower half of the up/down button.
  void StepValue(bool Down);
  // Puts the text into the grid's edit text (and, for lookups, the key of the list row it
  // names) when the cell may be edited.
  void StoreTypedText();

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void BoundsChanged() override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyUp(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheelDown(TShiftState Shift, win::POINT MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, win::POINT MousePos) override;
  void EditChar(TKeyChar Key) override;
  void EditKeyDown(win::WORD Key, TShiftState Shift) override;

  virtual TMRUListboxGx* NewMRUListbox();
  virtual TPopupCalculatorGx* PopupCalculator();
  virtual void PressMainButton(bool Down);
  virtual void CompleteTyping(std::string& KeyText);
  virtual void ButtonClicked(TObject* Sender);
  virtual void ButtonMouseDown(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled);
  virtual void ButtonMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  virtual void ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void FilterMRUItem(const std::string& Item, bool& Accept);
  virtual void MRUListboxResized();

  // The popup-open flag, for the drop-downs that open them.
  void SetPopupVisible(bool Value) { FPopups.SetOpen(Value); }

private:
  void UpdateButtonControls();
  void UpdateButtonControlsState();
  // The button strip in client coordinates.
  win::RECT ButtonsRect() const;
  bool PopupKeyDown(win::WORD& Key, TShiftState Shift);
  // Key routing to an open popup or recent-texts list; true when the message ended there.
  bool RouteKeyMessage(TMessage& Message);
  void HandleCharKey(TKeyChar& Key);
  void WMPaste(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void FocusMessage(TMessage& Message);
  void CMCancelMode(TMessage& Message);
  // The grid recorded a focus state of its selection that no longer holds.
  void CheckSelectionFocus();
  // The grid allows changes of the dataset at all (link, operations, rows).
  bool DataModifiable() const;
  bool CellModifiable() const;
  // Text, caret at its end and the part after Typed characters selected.
  void ShowCompleted(const std::string& Text, int Typed);
  // With OnNotInList: S becomes the text, with no key, caret at its end.
  void TakeUnlistedText(const std::string& S);
  // Borrows the column's popup grid: parented to the editor, its close requests ours.
  void BorrowLookupPopup(TPopupDataGridGx* Popup);
  // The lookup popup takes EditValue, or the pick list the entry of EditText.
  void SyncPopupToValue();
  // Deletes the character left of the caret in a list column that takes any text.
  void DeleteBackInList();
  // The text without its selected part.
  std::string TextWithoutSelection() const;
  void SetGridEditText(const std::string& Value);
  void SetGridEditValue(const Variant& Value);
  void PickListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  // Set-up of each kind before the popup is placed (the calculator's raises on a text
  // that is no number).
  void PreparePickList();
  // False when the column has no list dataset: the popup then stays closed.
  bool PrepareLookupPopup();
  void PrepareCalendar();
  void PrepareCalculator();
  // The accepted value goes into the cell, each kind its own way; false when the list's
  // choice was not taken.
  bool AcceptPickList(const Variant& Chosen);
  bool AcceptLookup(const Variant& Chosen);
  void AcceptCalendar();
  void AcceptCalculator();
  // The recent texts dropped down from the editor, while their column is still in the
  // grid; nil when none.
  TMRUListGx* DroppedMRUList() const;

  TInplaceEditStyleGx FEditStyle = iesSimpleGx;
  TPopupListboxGx* FPickListPopup = nullptr;
  TPopupMonthCalendarGx* FCalendarPopup = nullptr;
  TPopupCalculatorGx* FCalculatorPopup = nullptr;
  TPopupDataGridGx* FLookupPopup = nullptr;
  bool FKeepPopupOpen = false;
  bool FPopupColumnsMoved = false;
  // The main button's look, from the edit style.
  std::unique_ptr<TEditButtonGx> FMainButton;
  TEditButtonStripGx FButtons{this, TEditButtonStripGx::TItemSenderGx::Control};
  TPopupHostGx FPopups{this, FButtons};
  TMRUDropDownGx FRecent{this, {.KeepsUserWidth = true, .ClosesOnKeys = false, .TakesWheel = false}};
  std::unique_ptr<TDataSource> FLookupSource;
  std::string FCharKeyText;
  bool FReadOnlyByParams = false;
  bool FTextChangedByUser = false;
  // The column whose recent texts are dropped down (the editor may have moved on since).
  TColumnGx* FMRUColumn = nullptr;
  bool FWordWrap = false;
};
