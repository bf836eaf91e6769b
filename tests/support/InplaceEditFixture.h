#pragma once
// A shown, focused data grid whose in-place editor is up, for tests of the editor itself.
// The grid's own editing tests are stood in for by EditingGrid, which allows what the
// dataset allows, takes cell text from the column and counts the edit-button events.
#include <string>
#include <vector>

#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/InplaceEdit.h"
#include "gridcontrols/ToolCtrlsGx/PopupListbox.h"
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
  std::string GetEditText(int ACol, int ARow) override {
    TColumnGx* Column = CurrentColumn();
    const std::string Text = Column ? Column->FormatCellText() : std::string();
    TDBGridGx::SetEditText(ACol, ARow, Text);  // the grid keeps the text it gave the editor
    return Text;
  }
  void FireEditButtonClick() override {
    ++EditButtonClicks;
    TDBGridGx::FireEditButtonClick();
  }
};

// An editor whose popup opening shows its pick list (filled from the column) when it has
// one and records each closing, so that what reaches an open popup can be watched.
class PopupRecordingEditor : public TDBGridInplaceEdit {
public:
  using TDBGridInplaceEdit::TDBGridInplaceEdit;
  std::vector<bool> Closes;
  void OpenPopup() override {
    if (PickListPopup() && EditStyle() == iesPickListGx) {
      PickListPopup()->Items()->Assign(Column()->PickList());
      PickListPopup()->SetVisible(true);
    }
    SetPopupVisible(true);
  }
  void ClosePopup(bool Accept) override {
    Closes.push_back(Accept);
    if (PickListPopup()) PickListPopup()->SetVisible(false);
    SetPopupVisible(false);
  }
};

class PopupRecordingGrid : public EditingGrid {
public:
  using EditingGrid::EditingGrid;

protected:
  TInplaceEdit* CreateEditor() override { return new PopupRecordingEditor(this); }
};

class InplaceEditTest : public CellValuesTest {
protected:
  void TearDown() override { win::headless::Reset(); }

  // Makes the grid of the test one of class G (before its first column).
  template <class G>
  G* UseGrid() {
    auto* Made = new G(Form.get());
    Grid = Editing = Made;
    Grid->SetName("DBGridGx1");
    Grid->SetParent(Form.get());
    Source = new TDataSource(Form.get());
    return Made;
  }

  // A column of a shown EditingGrid on DataSet's field FieldName (the grid is made with the
  // first column).
  TColumnGx* EditColumn(TDataSet* DataSet, const std::string& FieldName) {
    if (!Grid) UseGrid<EditingGrid>();
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

  // A dataset "T" with one string field "S" and Records empty records, on the first.
  TClientDataSet* StringRecords(int Records) {
    TClientDataSet* Data = NewDataSet({{"S", ftString}});
    for (int I = 1; I < Records; ++I) {
      Data->Append();
      Data->Post();
    }
    Data->First();
    return Data;
  }

  // Types Text into the focused editor, one character message at a time.
  static void Type(const std::string& Text) { win::headless::TypeText(Text); }

  // Alt+Down: opens the editor's popup, or closes an open one accepting its value.
  static void AltDown() { win::headless::PressKeys(win::MOD_ALT, win::VK_DOWN); }

  // A window's rectangle on the screen.
  static win::RECT ScreenRect(TWinControl* Control) {
    win::RECT R{};
    win::GetWindowRect(Control->Handle(), &R);
    return R;
  }

  // A dataset of one string field S holding Values, one record each, on the first record.
  TClientDataSet* StringRows(std::initializer_list<const char*> Values) {
    TClientDataSet* Data = NewDataSet({{"S", ftString}});
    Data->First();
    bool First = true;
    for (const char* V : Values) {
      if (!First) Data->Append();
      else Data->Edit();
      First = false;
      if (V) Data->FieldByName("S")->SetAsString(V);
      Data->Post();
    }
    Data->First();
    return Data;
  }

  EditingGrid* Editing = nullptr;
};
