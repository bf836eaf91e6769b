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
#include "gridcontrols/ToolCtrlsGx/EditButtonStrip.h"
#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "gridcontrols/ToolCtrlsGx/MRUDropDown.h"
#include "gridcontrols/ToolCtrlsGx/PopupHost.h"
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
  virtual TDataSource* DataSource() const { return FFieldLink->DataSource(); }
  virtual void SetDataSource(TDataSource* Value);
  virtual std::string DataField() const { return FFieldLink->FieldName(); }
  virtual void SetDataField(const std::string& Value);
  TField* Field() const { return FFieldLink->FirstField(); }
  TFieldDataLinkGx* FieldLink() const { return FFieldLink.get(); }
  std::string GetText() const override { return TCustomMaskEdit::GetText(); }
  void SetText(const std::string& Value) override;
  Variant Value() { return ReadValue(); }
  void SetValue(const Variant& Value) { ApplyValue(Value); }
  bool PostingData() const { return FPostingData; }

  // Appearance.
  TAlignment Alignment() const;
  void SetAlignment(TAlignment Value);
  bool AlignmentStored() const { return FAssignedProps.Contains(apAlignment); }
  std::string EditMask() const { return TCustomMaskEdit::EditMask(); }
  void SetEditMask(const std::string& Value);
  TAssignedEditPropsGx AssignedProps() const { return FAssignedProps; }
  bool AlwaysShowBorder() const { return FAlwaysShowBorder; }
  void SetAlwaysShowBorder(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool ReadOnly() const { return FReadOnlyProp; }
  void SetReadOnly(bool Value);
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  std::string PasswordChar() const { return TCustomMaskEdit::PasswordChar(); }
  void SetPasswordChar(const std::string& Value);
  bool TextStored() const;

  // Buttons, image and the list of recent texts.
  TEditButtonGx* MainButton() const { return FMainButton.get(); }
  TEditButtonsGx* EditButtons() const { return FEditButtons.get(); }
  void SetEditButtons(TEditButtonsGx* Value) { FEditButtons->Assign(Value); }
  TEditImageGx* ImageSettings() const { return FImageSettings.get(); }
  void SetImageSettings(TEditImageGx* Value) { FImageSettings->Assign(Value); }
  TMRUListGx* MRUList() const { return FMRUList.get(); }
  void SetMRUList(TMRUListGx* Value) { FMRUList->Assign(Value); }
  TMRUListboxGx* MRUPopup() const { return FRecent.Listbox(); }
  const TEditButtonControlList& ButtonControls() const { return FButtons.Controls(); }
  int ButtonsWidth() const { return FButtons.Width(); }
  int ButtonsHeight() const { return FButtons.Height(); }
  int ImageAreaWidth() const { return FImageAreaWidth; }
  bool BorderIsActive() const { return FBorderIsActive; }
  bool HasFocus() const { return FHasFocus; }
  bool PopupOpen() const { return FPopups.IsOpen(); }
  // Hides an open popup of the main button; Accept takes its value.
  void ClosePopup(bool Accept) override;

  // Areas, in client coordinates.
  virtual win::RECT TextAreaRect();
  win::RECT ButtonsRect() const;
  win::RECT EditImageArea() const;
  win::RECT PaintTextRect() const;
  win::POINT TextOffsets();
  // Sends the text area to the window and scrolls the caret into view.
  void ApplyTextArea();

  // In-place mode.
  TWinControl* InplaceEditHolder() const { return FInplaceEditHolder; }
  void SetInplaceEditHolder(TWinControl* Value);
  bool InPlace() const { return FInPlace; }
  void PlaceAt(const win::RECT& Rect);
  bool Visible() const;
  void SetVisible(bool Value);
  void ShowInPlaceAt(const win::RECT& Rect, bool Redraw);
  void HideInPlace();

  const TButtonClickEventGx& OnMainButtonClick() const { return FOnMainButtonClick; }
  void SetOnMainButtonClick(const TButtonClickEventGx& Value) { FOnMainButtonClick = Value; }
  const TButtonDownEventGx& OnMainButtonDown() const { return FOnMainButtonDown; }
  void SetOnMainButtonDown(const TButtonDownEventGx& Value) { FOnMainButtonDown = Value; }
  const TUpdateDataEventGx& OnUpdateData() const { return FOnUpdateData; }
  void SetOnUpdateData(const TUpdateDataEventGx& Value);

  void RebuildButtonControls();
  void RefreshButtonStates();

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
  virtual bool CanPressButtons();
  virtual std::unique_ptr<TFieldDataLinkGx> NewDataLink();
  virtual std::unique_ptr<TEditButtonGx> NewMainButton();
  virtual std::unique_ptr<TEditButtonsGx> NewButtonCollection();
  virtual std::unique_ptr<TEditImageGx> NewEditImage();
  virtual TMRUListboxGx* NewMRUListbox();
  virtual bool IsDataIndependent() const { return FFieldLink->Independent(); }
  virtual TAlignment FieldAlignment() const;
  virtual std::string FieldEditMask() const;
  virtual std::string TextForPainting();
  virtual Variant ReadValue();
  virtual bool AcceptsChar(TKeyChar Key);
  virtual void LinkActiveChanged(TObject* Sender);
  virtual void FitHeightToFont();
  virtual void PressMainButton();
  virtual void FieldDataChanged();
  virtual void OpenPopup();
  virtual void ButtonClicked(TObject* Sender);
  virtual void ButtonMouseDown(TObject* Sender, bool TopButton, bool& AutoRepeat, bool& Handled);
  virtual void ButtonMouseMove(TObject* Sender, TShiftState Shift, int X, int Y) {}
  virtual void ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void LinkEditingChanged(TObject* Sender) { UpdateReadOnlyState(); }
  virtual void FilterMRUItem(const std::string& Item, bool& Accept);
  virtual void StoreText(const std::string& Text);
  virtual void StoreValue(const Variant& Value);
  virtual void PostTextToLink();
  virtual void MRUListboxResized(TObject* Sender);
  virtual void ClearFieldMaxLength();
  virtual void MarkFocused(bool Value);
  virtual void ApplyValue(const Variant& Value);
  virtual void UpdateReadOnlyState();
  virtual void UpdateFixedHeight();
  virtual void UserTextChanged();
  virtual void CommitEdit();

  void SetPopupOpen(bool Value) { FPopups.SetOpen(Value); }
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
  bool PointInArea(const win::POINT& P) const;
  void PaintOwnText(win::HDC DC);
  void CancelChildCapture();
  // On leaving a masked edit without a selection, the caret steps back two places.
  void ClampMaskCaret();
  bool IsBordered2D() const;
  void SetPlatformReadOnly(bool Value) { TCustomMaskEdit::SetReadOnly(Value); }
  int FontHeight();
  void ReadEditMaskProperty(TReader* Reader);
  void WriteEditMaskProperty(TWriter* Writer);

private:
  void RunKeyDown(win::WORD& Key, TShiftState Shift);

  TEditButtonStripGx FButtons{this, TEditButtonStripGx::TItemSenderGx::Item};
  TPopupHostGx FPopups{this, FButtons};
  TMRUDropDownGx FRecent{this, {.KeepsUserWidth = false, .ClosesOnKeys = true, .TakesWheel = true}};
  bool FAlwaysShowBorder = false;
  TAssignedEditPropsGx FAssignedProps;
  std::unique_ptr<TControlCanvas> FPaintCanvas;
  std::string FPendingCharText;
  std::unique_ptr<TEditButtonGx> FMainButton;
  std::unique_ptr<TEditButtonsGx> FEditButtons;
  std::unique_ptr<TEditImageGx> FImageSettings;
  bool FFlat = false;
  std::unique_ptr<TMRUListGx> FMRUList;
  TButtonClickEventGx FOnMainButtonClick;
  TButtonDownEventGx FOnMainButtonDown;
  TUpdateDataEventGx FOnUpdateData;
  bool FReadOnlyProp = false;
  bool FWantTabs = false;
  bool FWantReturns = false;
  bool FWordWrap = false;
  TAlignment FAlignment = taLeftJustify;
  bool FBorderIsActive = false;
  std::unique_ptr<TFieldDataLinkGx> FFieldLink;
  bool FPostingData = false;
  bool FHasFocus = false;
  int FImageAreaWidth = 0;
  TWinControl* FInplaceEditHolder = nullptr;
  bool FInPlace = false;
  IInplaceEditHolderGx* FHolderInterface = nullptr;
  bool FMouseOver = false;
  bool FTypedChange = false;
  bool FStoringText = false;
  bool FInPlaceFocusing = false;
  int FMessageDepth = 0;
  bool FDestroying = false;
};

class TDBEditGx : public TCustomDBEditGx {
  VANTREL_CLASS(TDBEditGx, TCustomDBEditGx)
public:
  explicit TDBEditGx(TComponent* AOwner) : TCustomDBEditGx(AOwner) {}
  static void Publish(TClassBuilder<TDBEditGx>& b);
};

// Registers the data-aware edit classes for reading form descriptions.
void RegisterDBCtrlsGxClasses();
