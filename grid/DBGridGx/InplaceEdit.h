#pragma once
// TDBGridInplaceEdit: the editor the data grid lays over its current data cell. On top of
// the plain in-place edit it shows the column's edit style (a main button and the popup it
// opens), the column's own edit buttons, completes typing against pick lists, key lists
// and lookup lists (also for pasted text), and steps the value with an up/down button.
#include <memory>
#include <string>

#include "grid/DBGridGx/Columns.h"
#include "gridcontrols/ToolCtrlsGx/DropDown.h"
#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "platform/controls/Grids.h"

class TCustomDBGridGx;
class TPopupListboxGx;
class TMRUListboxGx;
class TMRUListGx;
class TPopupMonthCalendarGx;
class TPopupCalculatorGx;
class TPopupDataGridGx;

class TDBGridInplaceEdit : public TInplaceEdit, public IPopupOwnerGx {
  VANTREL_CLASS(TDBGridInplaceEdit, TInplaceEdit)
public:
  explicit TDBGridInplaceEdit(TComponent* AOwner);
  ~TDBGridInplaceEdit() override;

  // The grid's current column, or nil.
  TColumnGx* Column() const;
  TInplaceEditStyleGx EditStyle() const;
  // The popup of the current style; nil when the style has none.
  TWinControl* ActivePopup() const;
  bool PopupVisible() const;
  // While set, closing the popup only releases the main button: the popup stays open
  // while the grid refreshes the editor under it.
  bool KeepPopupOpen() const;
  void SetKeepPopupOpen(bool Value);
  // The cell parameters' event set the editor's read-only state.
  bool ReadOnlyByParams() const;
  bool WordWrap() const;
  void SetWordWrap(bool Value);
  int ButtonsWidth() const;
  const TEditButtonControlList& ButtonControls() const;
  // The editor's popups, made on first use; nil before.
  TPopupListboxGx* PickListPopup() const;
  TPopupMonthCalendarGx* CalendarPopup() const;
  TPopupCalculatorGx* CalculatorPopupControl() const;
  // The current lookup column's popup grid, borrowed from the column; nil before a lookup
  // cell was edited.
  TPopupDataGridGx* LookupPopup() const;
  TDataSource* LookupSource() const;
  // The user moved a column of the lookup popup since it opened.
  bool PopupColumnsMoved() const;
  // The current column's recent texts (read through the column every time), or nil.
  TMRUListGx* MRUList() const;
  // The recent-texts list box, made on first use.
  TMRUListboxGx* MRUListbox();
  // The drop-down style of the current column drops the calculator (a numeric field).
  bool CanDropCalculator() const;

  void UpdateContents() override;
  // Runs once the message during which the user changed the edit control's text is done.
  virtual void UserTextChanged();
  // Runs when a key, the main button or typing asks for the popup of the current style:
  // opens it under (or over) the editor; nothing when one is open or the style has none.
  virtual void OpenPopup();
  // Hides the open popup; Accept takes its value into the cell when the cell may change.
  void ClosePopup(bool Accept) override;

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

  // Runs when the recent texts first drop down: makes their list box.
  virtual TMRUListboxGx* NewMRUListbox();
  // Runs when the drop-down style first needs the calculator: makes it.
  virtual TPopupCalculatorGx* PopupCalculator();
  // Runs when the main button is pressed (Down: its lower half).
  virtual void PressMainButton(bool Down);
  // Runs for each typed character (KeyText) before the edit control types it; an emptied
  // KeyText is not typed.
  virtual void CompleteTyping(std::string& KeyText);
  // Run when a button of the strip is clicked, pressed, or the mouse moves or is released
  // over it.
  virtual void ButtonClicked(TObject* Sender);
  virtual void ButtonMouseDown(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled);
  virtual void ButtonMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  virtual void ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  // Runs for each recent text before the list is filled: Accept offers it.
  virtual void FilterMRUItem(const std::string& Item, bool& Accept);
  // Runs when the user resized the open recent-texts list.
  virtual void MRUListboxResized();

  // The popup-open flag, for the drop-downs that open them.
  void SetPopupVisible(bool Value);

private:
  struct TState;

  TCustomDBGridGx* DBGrid() const;
  void SetEditStyle(TInplaceEditStyleGx Value);
  // Shows the column's recent texts that start with the editor's text, or refreshes the
  // open list; an emptied list closes.
  void OpenMRUList();
  void CloseMRUList(bool Accept);
  // The lookup popup asks to close (Accept inside its rows).
  void LookupPopupCloseUp(TObject* Sender, bool Accept);
  // The user moved a column of the lookup popup.
  void PopupColumnMoved(TObject* Sender, int FromIndex, int ToIndex);
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

  // The state the editor's parts share (InplaceEditPrivate.h).
  std::unique_ptr<TState> P;
};
