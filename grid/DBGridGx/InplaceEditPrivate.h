#pragma once
// The state the grid editor's parts share, and their small helpers. Only the editor's own
// sources include this.
#include <memory>
#include <string>

#include "grid/DBGridGx/InplaceEdit.h"
#include "gridcontrols/ToolCtrlsGx/EditButtonStrip.h"
#include "gridcontrols/ToolCtrlsGx/MRUDropDown.h"
#include "gridcontrols/ToolCtrlsGx/PopupHost.h"

// The index of the first of Strings equal to Text ignoring case; with PartialKey an item
// matches when it starts with Text. -1 when none matches.
int FindInStrings(TStrings* Strings, const std::string& Text, bool PartialKey);
// Shift, Ctrl and Alt as held now.
TShiftState CurrentShiftState();
// True for a text of exactly one control character other than Backspace.
bool IsControlCharText(const std::string& Text);

struct TDBGridInplaceEdit::TState {
  explicit TState(TDBGridInplaceEdit* Editor)
      : FMainButton(std::make_unique<TEditButtonGx>(Editor)),
        FButtons(Editor, TEditButtonStripGx::TItemSenderGx::Control),
        FPopups(Editor, FButtons),
        FRecent(Editor, {.KeepsUserWidth = true, .ClosesOnKeys = false, .TakesWheel = false}),
        FLookupSource(std::make_unique<TDataSource>(nullptr)) {}

  TInplaceEditStyleGx FEditStyle = iesSimpleGx;
  TPopupListboxGx* FPickListPopup = nullptr;
  TPopupMonthCalendarGx* FCalendarPopup = nullptr;
  TPopupCalculatorGx* FCalculatorPopup = nullptr;
  TPopupDataGridGx* FLookupPopup = nullptr;
  bool FKeepPopupOpen = false;
  bool FPopupColumnsMoved = false;
  // The main button's look, from the edit style.
  std::unique_ptr<TEditButtonGx> FMainButton;
  TEditButtonStripGx FButtons;
  TPopupHostGx FPopups;
  TMRUDropDownGx FRecent;
  std::unique_ptr<TDataSource> FLookupSource;
  std::string FCharKeyText;
  bool FReadOnlyByParams = false;
  bool FTextChangedByUser = false;
  // The column whose recent texts are dropped down (the editor may have moved on since).
  TColumnGx* FMRUColumn = nullptr;
  bool FWordWrap = false;
};
