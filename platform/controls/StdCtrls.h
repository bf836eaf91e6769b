#pragma once
// Standard controls: edit, memo, label, buttons, check box, list box, scroll bar,
// group box.
#include "platform/controls/WinControl.h"
#include "platform/rtl/Strings.h"

#include <string_view>

class TCharWidths;
class TLineExtents;
class TMemoRows;

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
VANTREL_ENUM(TEditCharCase, "ecNormal", "ecUpperCase", "ecLowerCase")

// An edit: one line, or rows of lines when its window style has ES_MULTILINE (the memo's
// layout). Positions and lengths count whole characters.
class TCustomEdit : public TWinControl {
  VANTREL_CLASS(TCustomEdit, TWinControl)
public:
  explicit TCustomEdit(TComponent* AOwner);
  ~TCustomEdit() override;

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
  void CreateWnd() override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
public:
  void SetText(const std::string& Value) override;
  // Forgets the last edit, so Ctrl+Z does nothing until the next one.
  void ClearUndo();
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
  // Scrolls the caret into view and puts the system caret there.
  void UpdateCaret();
  // Characters of the text.
  virtual int TextLength() const;
  // Where character Index starts in the text (its end past the last one).
  virtual std::size_t ByteOfChar(int Index) const;
  // The text changed: bytes [Byte, Byte + Removed) gave way to Inserted bytes.
  virtual void TextReplaced(std::size_t Byte, std::size_t Removed, std::size_t Inserted);
  // The widths of characters in the control's font.
  TCharWidths& Widths() const;

  // Where the text goes, in client coordinates (EM_SETRECTNP changes it).
  win::RECT EditRect() const;
  // The end of the selection that moves with the caret.
  int CaretIndex() const { return FCaretAtStart ? FSelStart : FSelStart + FSelLength; }
  // Moves the caret to Pos; Extend keeps the other end of the selection in place.
  void MoveCaret(int Pos, bool Extend);
  // The text as drawn: the display text, masked by the password character.
  std::string ShownText() const;
  // The horizontal alignment of the text, after right-to-left mirroring.
  TAlignment TextAlignment() const;
  // Scrolls so that the caret is visible.
  virtual void ScrollCaret();
  // The character boundary nearest to a client point.
  virtual int CharFromPoint(int X, int Y);
  // Client position of the caret's top-left corner.
  virtual win::POINT CaretPoint();
  // Boundary offsets (in pixels) of each character of Chars, from the first one; tabs
  // advance to the next tab stop.
  std::vector<int> CharOffsets(const std::vector<std::string>& Chars) const;
  // Pixels from the shown text's start to character Index (its end past the last one), and
  // the whole shown text's width, without taking the text apart.
  void ShownExtent(int Index, int& At, int& Width) const;
  // A single line scrolled so that the caret Caret pixels into a text Width wide shows,
  // and where that caret is in client coordinates.
  void ScrollLineTo(int Caret, int Width);
  win::POINT LineCaretPoint(int Caret, int Width) const;
  int LineHeight() const;
  // Draws Chars (the characters of the text from index From on) with the left edge of the
  // first at X and the line's top at Y, the selected part highlighted; only what shows in
  // Clip.
  void PaintLine(win::HDC DC, const std::vector<std::string>& Chars, const std::vector<int>& Offsets,
                 int From, int X, int Y, const win::RECT& Clip);

  // Mouse selection and the messages about the view; true when handled entirely.
  bool EditViewMessage(TMessage& Message);
  // The messages about lines, margins and the window text; true when handled entirely.
  bool EditLineMessage(TMessage& Message);
  // Puts pasted text in place of the selection in one insertion; a single-line edit takes
  // its first line.
  virtual void PasteText(const std::string& S);
  // Puts s in place of the selection as far as the length limit lets it, in the
  // character case of the edit.
  void InsertPasted(std::string s);
  // The line break the text uses (its first one); a line feed for a text without one.
  std::string LineBreak() const;

  // Multi-line mode (the window style has ES_MULTILINE): the text shows in rows, cut by
  // word wrap unless the style has ES_AUTOHSCROLL.
  bool MultiLine() const { return FMultiLine; }
  // Rows as shown: a line of the text, or a part of one that word wrap broke off.
  // Positions count characters of the text, a CR LF line break being two.
  int RowCount();
  // The rows as shown, laid out again when the view's width, word wrap or the font changed.
  const TMemoRows& Rows();
  int VisibleRows();
  // Left edge of a row of width W, scrolling included.
  int RowLeft(int W);
  // Pixels from the left of a row to the end of its first Chars characters.
  int RowOffset(int Row, int Chars);
  // The position in a row nearest to X (client coordinates).
  int PosInRow(int Row, int X);
  // Scrolls the rows; the caret stays where it is.
  void ScrollRowsTo(int TopRow, int ScrollX);
  void UpdateScrollBars();
  void ScrollMessage(TMessage& Message, bool Vertical);
  bool RowsViewMessage(TMessage& Message);
  void ScrollRowsCaret();
  win::POINT RowsCaretPoint();
  int RowsCharFromPoint(int X, int Y);
  void PaintRows(win::HDC DC);
  // Typing, keys and pasting of multi-line mode; the first two give true when handled.
  bool RowsChar(TKeyChar Key);
  bool RowsKeyDown(win::WORD Key, TShiftState Shift);
  void PasteRows(const std::string& S);
  // Copies Line into the buffer of EM_GETLINE (its first word holds its size in bytes):
  // the bytes copied.
  static std::size_t CopyToLineBuffer(std::string_view Line, win::LPARAM Buffer);
  // The rows follow an edit of the text; true when they were in step and are still.
  // First..OldLast are the lines replaced by First..NewLast.
  bool ReplaceRows(std::size_t Byte, std::size_t Removed, std::size_t Inserted, int& First, int& OldLast,
                   int& NewLast);
  bool DoMouseWheelDown(TShiftState Shift, win::POINT MousePos) override;
  bool DoMouseWheelUp(TShiftState Shift, win::POINT MousePos) override;
  // A line break ends just before character Index (CR LF counts as one): its length.
  int BreakBefore(int Index) const;
  int BreakAfter(int Index) const;

  bool FMultiLine = false;
  bool FWrapRows = false;
  std::unique_ptr<TMemoRows> FRows;
  int FTopRow = 0;
  // Up and Down keep the caret's pixel column while the caret only moves that way.
  int FGoalX = 0;
  int FGoalFor = -1;
  // Pixels between the client edges and the text, left and right.
  int FLeftMargin = 2;
  int FRightMargin = 2;
  // ES_RIGHT / ES_CENTER / ES_WANTRETURN of the window.
  win::DWORD FEditStyle = 0;

  int FScrollX = 0;          // pixels scrolled to the left
  bool FCaretAtStart = false;
  bool FMouseSelecting = false;
  bool FHasEditRect = false;
  win::RECT FEditRect{};

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
  bool FCanUndo = false;
  TNotifyEvent FOnChange;

private:
  // Puts Value in place of the text, telling TextReplaced what changed.
  void AssignText(std::string Value);
  // The single line Shown measured (again only when it changed).
  TLineExtents& MeasuredLine(std::string_view Shown) const;
  mutable std::unique_ptr<TCharWidths> FWidths;
  // The single line as last measured.
  mutable std::unique_ptr<TLineExtents> FLine;
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
  bool WordWrap() const { return FWrapRows; }
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

  TAlignment GetControlsAlignment() const override { return FAlignment; }

  int RowCount() { return TCustomEdit::RowCount(); }
  int TopRow() const { return FTopRow; }
  // Scrolls the view; the caret stays where it is.
  void ScrollTo(int TopRow, int ScrollX) { ScrollRowsTo(TopRow, ScrollX); }

protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
  void EditChar(TKeyChar Key) override;
  void TextReplaced(std::size_t Byte, std::size_t Removed, std::size_t Inserted) override;
  void LinesChanged(TObject* Sender);

private:
  // Lines First..OldLast of the text became lines First..NewLast: Lines follow. False when
  // Lines are not in step and need the whole text again.
  bool SyncLines(int First, int OldLast, int NewLast);

  std::unique_ptr<TStringList> FLines;
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
  TAlignment GetControlsAlignment() const override { return FAlignment; }
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
