// The commands of the grid's options menu: printing and the column dialog (registered by
// the output layer), the layout store and the filter row.
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/LayoutRegistry.h"
#include "grid/DBGridGx/OutputCommands.h"
#include "platform/controls/Forms.h"

namespace {
TDBGridGxOutputCommands& RegisteredOutputCommands() {
  static TDBGridGxOutputCommands commands;
  return commands;
}
}  // namespace

void RegisterDBGridGxOutputCommands(const TDBGridGxOutputCommands& Commands) {
  RegisteredOutputCommands() = Commands;
}
const TDBGridGxOutputCommands& DBGridGxOutputCommands() { return RegisteredOutputCommands(); }

// Prints the focused grid; nothing when the focus is elsewhere (an editor, the filter row).
void TCustomDBGridGx::MenuPrintClick(TObject*) {
  auto* Grid = dynamic_cast<TDBGridGx*>(Screen->ActiveControl());
  if (Grid && RegisteredOutputCommands().Print) RegisteredOutputCommands().Print(Grid);
}

void TCustomDBGridGx::MenuRestoreLayoutClick(TObject*) { RestoreGridLayout(this, ""); }

void TCustomDBGridGx::MenuSaveLayoutClick(TObject*) { SaveGridLayout(this, ""); }

// The column set-up dialog for this grid; grids of other classes (the lookup grid) get
// none rather than an invalid cast.
void TCustomDBGridGx::ShowColumnDialog(TObject*) {
  auto* Grid = dynamic_cast<TDBGridGx*>(this);
  if (Grid && RegisteredOutputCommands().ColumnDialog) RegisteredOutputCommands().ColumnDialog(Grid);
}

void TCustomDBGridGx::MenuFilterRowClick(TObject*) { P->FSTFilter->SetVisible(!P->FSTFilter->Visible()); }
