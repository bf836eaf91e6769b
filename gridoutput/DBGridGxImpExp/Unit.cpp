// The export unit's start and end, and the clipboard actions it gives the grid.
#include "gridoutput/DBGridGxImpExp/Unit.h"

#include "grid/DBGridGx/ClipboardActions.h"

namespace {
struct UnitState {
  int Uses = 0;
  win::UINT VCLDBIF = 0, Csv = 0, Rtf = 0;
};
UnitState& State() {
  static UnitState state;
  return state;
}
}  // namespace

win::UINT ClipFormatVCLDBIF() { return State().VCLDBIF; }
win::UINT ClipFormatCsv() { return State().Csv; }
win::UINT ClipFormatRtf() { return State().Rtf; }

void StartDBGridGxImpExpUnit() {
  UnitState& state = State();
  if (state.Uses++ > 0) return;
  state.VCLDBIF = win::RegisterClipboardFormatA("VCLDBIF");
  state.Csv = win::RegisterClipboardFormatA("Csv");
  state.Rtf = win::RegisterClipboardFormatA("Rich Text Format");
  TDBGridGxClipboardActions actions;
  actions.Copy = &CopyGridSelection;
  actions.Cut = &CutGridSelection;
  actions.Paste = &PasteIntoGrid;
  actions.Delete = &DeleteGridSelection;
  RegisterDBGridGxClipboardActions(actions);
}

void FinishDBGridGxImpExpUnit() {
  UnitState& state = State();
  if (state.Uses == 0 || --state.Uses > 0) return;
  RegisterDBGridGxClipboardActions({});
}
