#pragma once
// A shown, focused data grid whose in-place editor is up, for tests of the editor itself.
// The grid's own editing tests are stood in for by EditingGrid, which allows what the
// dataset allows, takes cell text from the column and counts the edit-button events.
#include <string>

#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/InplaceEdit.h"
#include "platform/desktop/Headless.h"
#include "tests/support/CellValuesFixture.h"

class EditingGrid : public TDBGridGx {
public:
  using TDBGridGx::TDBGridGx;
  int EditButtonClicks = 0;
  TDBGridInplaceEdit* Editor() const { return dynamic_cast<TDBGridInplaceEdit*>(InplaceEditor()); }

protected:
  bool CanEditShow() override { return TCustomGrid::CanEditShow() && CurrentColumn(); }
  bool CanEditAcceptKey(TKeyChar) override { return true; }
  bool CanEditModify() override {
    TColumnGx* Column = CurrentColumn();
    return Column && Column->CheckEditable(true);
  }
  std::string GetEditText(int, int) override {
    TColumnGx* Column = CurrentColumn();
    return Column ? Column->FormatCellText() : std::string();
  }
  void FireEditButtonClick() override {
    ++EditButtonClicks;
    TDBGridGx::FireEditButtonClick();
  }
};

class InplaceEditTest : public CellValuesTest {
protected:
  void TearDown() override { win::headless::Reset(); }

  // A column of a shown EditingGrid on DataSet's field FieldName (the grid is made with the
  // first column).
  TColumnGx* EditColumn(TDataSet* DataSet, const std::string& FieldName) {
    if (!Grid) {
      Grid = Editing = new EditingGrid(Form.get());
      Grid->SetName("DBGridGx1");
      Grid->SetParent(Form.get());
      Source = new TDataSource(Form.get());
    }
    return ColumnOn(DataSet, FieldName);
  }

  // Shows the form and opens the editor on data column Col.
  TDBGridInplaceEdit* OpenEditor(int Col = 0) {
    Form->SetBounds(50, 50, 400, 300);
    Grid->SetBounds(0, 0, 380, 260);
    TDBGridOptions Options = Grid->Options();
    Options.Include(dgEditing);
    Grid->SetOptions(Options);
    Form->Show();
    Grid->SetFocus();
    Grid->SelectDataColumn(Col);
    Grid->ShowCellEditor();
    TDBGridInplaceEdit* Editor = Editing->Editor();
    if (Editor) Editor->SetFocus();
    return Editor;
  }

  // Types Text into the focused editor, one character message at a time.
  static void Type(const std::string& Text) { win::headless::TypeText(Text); }

  EditingGrid* Editing = nullptr;
};
