#pragma once
// The data-aware edit: a masked edit showing one field of a dataset (or a value of its
// own), with edit buttons at the right, an image at the left, a drop-down of recently
// used texts, a flat border that lights up while active, and an in-place mode in which
// another control (its holder) owns focus, keys and placement.
#include <functional>
#include <memory>
#include <string>

#include "gridcontrols/DBCtrlsGx/FieldDataLink.h"
#include "gridcontrols/ToolCtrlsGx/DropDown.h"
#include "gridcontrols/ToolCtrlsGx/MRUList.h"
#include "gridcontrols/ToolCtrlsGx/PopupListbox.h"
#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "platform/controls/Mask.h"

class TCustomDBEditGx;

using TUpdateDataEventGx = TEvent<void(TObject* Sender, bool& Handled)>;

// What a control implements to host a data-aware edit in in-place mode.
class IInplaceEditHolderGx {
public:
  // False makes the editor read-only (asked only when it would otherwise be writable).
  virtual bool CanEditorModify(TCustomDBEditGx* Editor) = 0;
  // The holder's last left mouse-down: screen point and message time.
  virtual void GetLastMouseDown(win::POINT& Pos, int& Time) = 0;
  // Sees every message of the editor first; a non-zero Result ends its handling.
  virtual void PreviewEditorMessage(TCustomDBEditGx* Editor, TMessage& Message) = 0;
  // Key 0 (or #0) ends the editor's own handling.
  virtual void EditorKeyDown(TCustomDBEditGx* Editor, win::WORD& Key, TShiftState Shift) = 0;
  virtual void EditorKeyPress(TCustomDBEditGx* Editor, TKeyChar& Key) = 0;
  virtual void EditorKeyUp(TCustomDBEditGx* Editor, win::WORD& Key, TShiftState Shift) = 0;

protected:
  ~IInplaceEditHolderGx() = default;
};

enum TAssignedEditPropGx { apAlignment, apEditMask };
using TAssignedEditPropsGx = Set<TAssignedEditPropGx>;

class TCustomDBEditGx : public TCustomMaskEdit, public IPopupOwnerGx {
  VANTREL_CLASS(TCustomDBEditGx, TCustomMaskEdit)
public:
  explicit TCustomDBEditGx(TComponent* AOwner);
  ~TCustomDBEditGx() override;
  static void Publish(TClassBuilder<TCustomDBEditGx>& b);

  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;
  void SetAutoSize(bool Value);
  void WndProc(TMessage& Message) override;
  void SetFocus() override;
  bool EditCanModify() override;
  void Reset() override;
  bool ExecuteAction(TObject* Action) override;
  bool UpdateAction(TObject* Action) override;
  bool UseRightToLeftAlignment() const override;

  // Data.
  // Read and written as the DataSource and DataField properties.
  virtual TDataSource* DataSource() const;
  virtual void SetDataSource(TDataSource* Value);
  virtual std::string DataField() const;
  virtual void SetDataField(const std::string& Value);
  TField* Field() const;
  TFieldDataLinkGx* FieldLink() const;
  std::string GetText() const override { return TCustomMaskEdit::GetText(); }
  void SetText(const std::string& Value) override;
  Variant Value() { return ReadValue(); }
  void SetValue(const Variant& Value) { ApplyValue(Value); }
  bool PostingData() const;

  // Appearance.
  TAlignment Alignment() const;
  void SetAlignment(TAlignment Value);
  bool AlignmentStored() const;
  std::string EditMask() const { return TCustomMaskEdit::EditMask(); }
  void SetEditMask(const std::string& Value);
  TAssignedEditPropsGx AssignedProps() const;
  bool AlwaysShowBorder() const;
  void SetAlwaysShowBorder(bool Value);
  bool Flat() const;
  void SetFlat(bool Value);
  bool ReadOnly() const;
  void SetReadOnly(bool Value);
  bool WantTabs() const;
  void SetWantTabs(bool Value);
  bool WantReturns() const;
  void SetWantReturns(bool Value);
  bool WordWrap() const;
  void SetWordWrap(bool Value);
  std::string PasswordChar() const { return TCustomMaskEdit::PasswordChar(); }
  void SetPasswordChar(const std::string& Value);
  bool TextStored() const;

  // Buttons, image and the list of recent texts.
  TEditButtonGx* MainButton() const;
  TEditButtonsGx* EditButtons() const;
  void SetEditButtons(TEditButtonsGx* Value);
  TEditImageGx* ImageSettings() const;
  void SetImageSettings(TEditImageGx* Value);
  TMRUListGx* MRUList() const;
  void SetMRUList(TMRUListGx* Value);
  TMRUListboxGx* MRUPopup() const;
  const TEditButtonControlList& ButtonControls() const;
  int ButtonsWidth() const;
  int ButtonsHeight() const;
  int ImageAreaWidth() const;
  bool BorderIsActive() const;
  bool HasFocus() const;
  bool PopupOpen() const;
  // Hides an open popup of the main button; Accept takes its value.
  void ClosePopup(bool Accept) override;

  // Areas, in client coordinates.
  // Asked whenever the text area is laid out or painted: the room the text takes.
  virtual win::RECT TextAreaRect();
  win::RECT ButtonsRect() const;
  win::RECT EditImageArea() const;
  win::RECT PaintTextRect() const;
  win::POINT TextOffsets();

  // In-place mode.
  TWinControl* InplaceEditHolder() const;
  void SetInplaceEditHolder(TWinControl* Value);
  bool InPlace() const;
  void PlaceAt(const win::RECT& Rect);
  bool Visible() const;
  void SetVisible(bool Value);
  void ShowInPlaceAt(const win::RECT& Rect, bool Redraw);
  void HideInPlace();

  const TButtonClickEventGx& OnMainButtonClick() const;
  void SetOnMainButtonClick(const TButtonClickEventGx& Value);
  const TButtonDownEventGx& OnMainButtonDown() const;
  void SetOnMainButtonDown(const TButtonDownEventGx& Value);
  const TUpdateDataEventGx& OnUpdateData() const;
  void SetOnUpdateData(const TUpdateDataEventGx& Value);

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void PaintWindow(win::HDC DC) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  void Change() override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(TKeyChar& Key) override;
  void KeyUp(win::WORD& Key, TShiftState Shift) override;

  // New operations.
  // Asked when the buttons' states are refreshed and before a short cut presses the main
  // button.
  virtual bool CanPressButtons();
  // Run once by the constructor: make the edit's data link, buttons and image settings.
  virtual std::unique_ptr<TFieldDataLinkGx> NewDataLink();
  virtual std::unique_ptr<TEditButtonGx> NewMainButton();
  virtual std::unique_ptr<TEditButtonsGx> NewButtonCollection();
  virtual std::unique_ptr<TEditImageGx> NewEditImage();
  // Runs when the recent texts first drop down: makes their list box.
  virtual TMRUListboxGx* NewMRUListbox();
  // Asked wherever the edit chooses between a value of its own and the field's.
  virtual bool IsDataIndependent() const;
  // Asked for the alignment and mask the field gives while none is assigned.
  virtual TAlignment FieldAlignment() const;
  virtual std::string FieldEditMask() const;
  // Asked when the edit paints its own text (right-aligned or centred).
  virtual std::string TextForPainting();
  // Runs when Value is read.
  virtual Variant ReadValue();
  // Asked for each printable character typed while a field is linked.
  virtual bool AcceptsChar(TKeyChar Key);
  // Runs when the data link becomes active or inactive.
  virtual void LinkActiveChanged(TObject* Sender);
  // Runs when a font change reaches a fixed-height edit.
  virtual void FitHeightToFont();
  // Runs when the main button is pressed and nothing else took the press.
  virtual void PressMainButton();
  // Runs when the linked field's value or the data link changed.
  virtual void FieldDataChanged();
  // Runs when the main button opens its popup.
  virtual void OpenPopup();
  // Run when a button of the strip is clicked, pressed, or the mouse moves or is released
  // over it.
  virtual void ButtonClicked(TObject* Sender);
  virtual void ButtonMouseDown(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled);
  virtual void ButtonMouseMove(TObject* Sender, TShiftState Shift, int X, int Y) {}
  virtual void ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  // Runs when the dataset enters or leaves editing.
  virtual void LinkEditingChanged(TObject* Sender) { UpdateReadOnlyState(); }
  // Runs for each recent text before the list is filled: Accept offers it.
  virtual void FilterMRUItem(const std::string& Item, bool& Accept);
  // Run when a text or value goes into the edit without being typed.
  virtual void StoreText(const std::string& Text);
  virtual void StoreValue(const Variant& Value);
  // Runs when the edit's text is committed: hands it to the data link.
  virtual void PostTextToLink();
  // Runs when the user resized the open recent-texts list.
  virtual void MRUListboxResized(TObject* Sender);
  // Runs when the field may change: drops the length limit a string field set.
  virtual void ClearFieldMaxLength();
  // Runs when the edit gains or loses the focus.
  virtual void MarkFocused(bool Value);
  // Runs when Value is written.
  virtual void ApplyValue(const Variant& Value);
  // Runs when anything that decides the read-only state changed.
  virtual void UpdateReadOnlyState();
  // Runs when AutoSize changes.
  virtual void UpdateFixedHeight();
  // Runs once the message during which the user changed the text is done.
  virtual void UserTextChanged();
  // Runs when the data link asks for the edit's data.
  virtual void CommitEdit();

  // The popup-open flag, for descendants that open a popup of their own.
  void SetPopupOpen(bool Value);

private:
  struct TState;

  void RunKeyDown(win::WORD& Key, TShiftState Shift);
  // Puts the mask edit's edit text in place without it counting as typed.
  void StoreEditText(const std::string& Text);
  // The Text and Value writers: Store puts the value in, then it is committed.
  void WriteThrough(const std::function<void()>& Store);
  void LinkDataChanged(TObject* Sender);
  void BorderActive();
  void DrawFlatFrame(bool Active);
  // Text of Value; empty for arrays and values that do not convert.
  static std::string VariantText(const Variant& Value);
  // The control of the button whose short cut Key and Shift make; nil when none.
  TEditButtonControlGx* ButtonForShortCut(win::WORD Key, TShiftState Shift);
  void MRUPopupOpening(TObject* Sender);
  void MRUPopupClosing(TObject* Sender, bool Accept);
  void ButtonsChanged(TObject* Sender);
  bool PointInArea(const win::POINT& Point) const;
  void PaintOwnText(win::HDC DC);
  void CancelChildCapture();
  // On leaving a masked edit without a selection, the caret steps back two places.
  void ClampMaskCaret();
  bool IsBordered2D() const;
  void SetPlatformReadOnly(bool Value) { TCustomMaskEdit::SetReadOnly(Value); }
  int FontHeight();
  void ReadEditMaskProperty(TReader* Reader);
  void WriteEditMaskProperty(TWriter* Writer);

  void RebuildButtonControls();
  void RefreshButtonStates();
  // Sends the text area to the window and scrolls the caret into view.
  void ApplyTextArea();

  // The state the edit's parts share (DBEditPrivate.h).
  std::unique_ptr<TState> P;
};

class TDBEditGx : public TCustomDBEditGx {
  VANTREL_CLASS(TDBEditGx, TCustomDBEditGx)
public:
  explicit TDBEditGx(TComponent* AOwner) : TCustomDBEditGx(AOwner) {}
  static void Publish(TClassBuilder<TDBEditGx>& b);
};

// Registers the data-aware edit classes for reading form descriptions.
void RegisterDBCtrlsGxClasses();
