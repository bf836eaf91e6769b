#pragma once
// A shown, focused grid with its filter row over the string columns A, B, C and D of a
// client dataset whose records read "r0", "r1", ...; helpers to reach its filter cells
// with the keyboard and the mouse.
#include "tests/support/GridFixture.h"

#include "grid/DBGridGx/FilterEdit.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "platform/desktop/Headless.h"

#include <string>

class FilterRowTest : public GridTest {
protected:
  void SetUp() override { win::headless::Reset(); }
  void TearDown() override {
    Form.reset();
    win::headless::Reset();
  }

  // Rows records; the grid is Width x Height pixels and shows the filter row.
  template <class G = TDBGridGx>
  G* Open(int Rows = 5, int Width = 400, int Height = 200) {
    Form = std::make_unique<TForm>(nullptr);
    Form->SetBounds(50, 50, Width + 40, Height + 60);
    Source = NewSource({"A", "B", "C", "D"}, Rows, [](int R) { return "r" + std::to_string(R); });
    Data = Source->DataSet();
    auto* Made = new G(Form.get());
    Grid = Made;
    Grid->SetName("DBGridGx1");
    Grid->SetParent(Form.get());
    Grid->SetBounds(0, 0, Width, Height);
    Grid->SetDataSource(Source);
    for (int I = 0; I < Grid->Columns()->Count(); ++I) Grid->Columns()->ColumnAt(I)->SetWidth(80);
    Grid->STFilter()->SetVisible(true);
    Form->Show();
    Grid->SetFocus();
    win::headless::ProcessMessages();
    Data->First();
    return Made;
  }

  TInplaceFilterEditGx* Editor() const { return Grid->FilterEditor(); }
  bool EditorShown() const { return Editor() && Editor()->Visible(); }
  // The Columns index whose filter cell is being edited; -1 when none is.
  int Edited() const { return Grid->FilterEditing() && EditorShown() ? Grid->FilterColumn() : -1; }
  int FilterRow() const { return Grid->TitleAreaRowCount() - 1; }
  std::string Condition(int Index) const { return Grid->Columns()->ColumnAt(Index)->STFilter()->FilterText(); }
  std::string Current() const { return Data->FieldByName("A")->AsString(); }

  // Opens the editor in the filter cell of Columns index Index and puts Text in it.
  void EditCell(int Index, const std::string& Text = {}) {
    Grid->ShowFilterEditor(Grid->DataToGridColumn(Index));
    if (!Text.empty()) {
      Editor()->SelectAll();
      win::headless::TypeText(Text);
    }
  }
  void Press(win::UINT Key, win::UINT Modifiers = 0) {
    if (Modifiers) win::headless::PressKeys(Modifiers, Key);
    else win::headless::PressKey(Key);
  }
  // A screen point DX pixels right of the left edge of a cell, halfway down.
  win::POINT CellPoint(int ACol, int ARow, int DX = -1) {
    const win::RECT R = Grid->CellRect(ACol, ARow);
    return Grid->ClientToScreen(win::POINT{DX < 0 ? (R.left + R.right) / 2 : R.left + DX, (R.top + R.bottom) / 2});
  }
  // The texts of the message boxes shown since the test began.
  std::vector<std::string> Messages() const {
    std::vector<std::string> R;
    for (const auto& Box : win::headless::MessageBoxes()) R.push_back(Box.Text);
    return R;
  }

  TDataSource* Source = nullptr;
  TDataSet* Data = nullptr;
  TDBGridGx* Grid = nullptr;
};
