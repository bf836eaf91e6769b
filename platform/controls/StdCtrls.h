#pragma once
// Standard controls: edit, memo, label, buttons, check box, list box, scroll bar,
// group box.
#include "platform/controls/WinControl.h"
#include "platform/rtl/Strings.h"

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
VANTREL_ENUM(TEditCharCase, "ecNormal", "ecUpperCase", "ecLowerCase")

// A single-line edit. Positions and lengths count whole characters.
class TCustomEdit : public TWinControl {
  VANTREL_CLASS(TCustomEdit, TWinControl)
public:
  explicit TCustomEdit(TComponent* AOwner);

  int SelStart() const { return FSelStart; }
  void SetSelStart(int Value);
  int SelLength() const { return FSelLength; }
  void SetSelLength(int Value);
  std::string SelText() const;
  void SetSelText(const std::string& Value);
  void SelectAll();
  void ClearSelection();
  void Clear();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  int MaxLength() const { return FMaxLength; }
  virtual void SetMaxLength(int Value);
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value) { FHideSelection = Value; }
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  std::string PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(const std::string& Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  std::string TextProp() const { return GetText(); }
  void SetTextProp(const std::string& Value) { SetText(Value); }
  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& Value) { FOnChange = Value; }

  static void Publish(TClassBuilder<TCustomEdit>& b);

protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
public:
  void SetText(const std::string& Value) override;
protected:
  virtual void Change();
  void DoEnter() override;
  // The text shown; the masked edit shows its edit text.
  virtual std::string DisplayText() const;
  // Editing by the control itself, after the key events had their say.
  virtual void EditChar(TKeyChar Key);
  virtual void EditKeyDown(win::WORD Key, TShiftState Shift);
  // Replaces the selection by s (no checks); the caret goes after it.
  void ReplaceSelection(const std::string& s);
  void SetTextKeepSelection(const std::string& Value);
  virtual void PaintEdit(win::HDC DC);
  void UpdateCaret();
  int TextLength() const;

  int FSelStart = 0;
  int FSelLength = 0;
  int FMaxLength = 0;
  bool FModified = false;
  bool FReadOnly = false;
  bool FAutoSelect = true;
  bool FAutoSize = true;
  bool FHideSelection = true;
  TEditCharCase FCharCase = ecNormal;
  std::string FPasswordChar;
  TBorderStyle FBorderStyle = bsSingle;
  std::string FUndoText;
  TNotifyEvent FOnChange;
};

class TEdit : public TCustomEdit {
  VANTREL_CLASS(TEdit, TCustomEdit)
public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

// A multi-line edit over Lines.
class TCustomMemo : public TCustomEdit {
  VANTREL_CLASS(TCustomMemo, TCustomEdit)
public:
  explicit TCustomMemo(TComponent* AOwner);
  ~TCustomMemo() override;
  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

  static void Publish(TClassBuilder<TCustomMemo>& b);

protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
public:
  void SetText(const std::string& Value) override;
protected:
  void EditChar(TKeyChar Key) override;
  void PaintEdit(win::HDC DC) override;
  void LinesChanged(TObject* Sender);

private:
  std::unique_ptr<TStringList> FLines;
  bool FWordWrap = true;
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FSyncing = false;
  TScrollStyle FScrollBars = ssNone;
  TAlignment FAlignment = taLeftJustify;
};

class TMemo : public TCustomMemo {
  VANTREL_CLASS(TMemo, TCustomMemo)
public:
  explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};

enum TTextLayout { tlTop, tlCenter, tlBottom };
VANTREL_ENUM(TTextLayout, "tlTop", "tlCenter", "tlBottom")

class TCustomLabel : public TGraphicControl {
  VANTREL_CLASS(TCustomLabel, TGraphicControl)
public:
  explicit TCustomLabel(TComponent* AOwner);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; Invalidate(); }
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; Invalidate(); }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value) { FWordWrap = Value; AdjustBounds(); }
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value) { FLayout = Value; Invalidate(); }
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  static void Publish(TClassBuilder<TCustomLabel>& b);

protected:
  void Paint() override;
  void Dispatch(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void AdjustBounds();

private:
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = true;
  bool FTransparent = false;
  bool FWordWrap = false;
  TTextLayout FLayout = tlTop;
  TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
  VANTREL_CLASS(TLabel, TCustomLabel)
public:
  explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};

class TButtonControl : public TWinControl {
  VANTREL_CLASS(TButtonControl, TWinControl)
public:
  explicit TButtonControl(TComponent* AOwner);
};

class TButton : public TButtonControl {
  VANTREL_CLASS(TButton, TButtonControl)
public:
  explicit TButton(TComponent* AOwner);
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  void Click() override;
  static void Publish(TClassBuilder<TButton>& b);

protected:
  void Dispatch(TMessage& Message) override;
  void Paint(win::HDC DC);
  // Enter presses this button: it is the default one and no other button has the focus.
  bool IsActiveDefault() const;

  bool FDefault = false;
  bool FCancel = false;
  bool FPressed = false;
  TModalResult FModalResult = mrNone;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
VANTREL_ENUM(TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed")

class TCustomCheckBox : public TButtonControl {
  VANTREL_CLASS(TCustomCheckBox, TButtonControl)
public:
  explicit TCustomCheckBox(TComponent* AOwner);
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value) { FAlignment = Value; Invalidate(); }
  static void Publish(TClassBuilder<TCustomCheckBox>& b);

protected:
  // The user's click moves the state on: unchecked, checked, grayed (when allowed).
  virtual void Toggle();
  void Dispatch(TMessage& Message) override;
  void Paint(win::HDC DC);

  TCheckBoxState FState = cbUnchecked;
  bool FAllowGrayed = false;
  TAlignment FAlignment = taRightJustify;
};

class TCheckBox : public TCustomCheckBox {
  VANTREL_CLASS(TCheckBox, TCustomCheckBox)
public:
  explicit TCheckBox(TComponent* AOwner) : TCustomCheckBox(AOwner) {}
};

class TRadioButton : public TButtonControl {
  VANTREL_CLASS(TRadioButton, TButtonControl)
public:
  explicit TRadioButton(TComponent* AOwner);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  static void Publish(TClassBuilder<TRadioButton>& b);

protected:
  void Dispatch(TMessage& Message) override;

private:
  bool FChecked = false;
};

class TCustomGroupBox : public TCustomControl {
  VANTREL_CLASS(TCustomGroupBox, TCustomControl)
public:
  explicit TCustomGroupBox(TComponent* AOwner);

protected:
  void AdjustClientRect(win::RECT& Rect) override;
  void Paint() override;
};

class TGroupBox : public TCustomGroupBox {
  VANTREL_CLASS(TGroupBox, TCustomGroupBox)
public:
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};
