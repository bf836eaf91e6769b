#pragma once
// A shown, focused grid over one string column "A" of names (and a second column "B"),
// with incremental search switched on, for the search's key and drawing tests.
#include "tests/support/PaintFixture.h"

#include "grid/DBGridGx/SharedResources.h"
#include "platform/desktop/Headless.h"

class SearchTest : public GridPaintTest {
protected:
  // Record r's name; past the list the names read "x<r>".
  static std::string Name(int Row) {
    static const char* const Names[] = {"Berry", "apple", "Apricot", "banana", "ABC", "Cherry", "abd", "\xC3\x84rger"};
    const int Count = static_cast<int>(sizeof Names / sizeof Names[0]);
    return Row < Count ? Names[Row] : "x" + std::to_string(Row);
  }
  // Rows records on a grid of 300x200 client pixels; column A cannot be edited, so that
  // typing in it searches.
  template <class G = TDBGridGx>
  G* Open(int Rows = 8, TDBGridGxOptions Extra = {}) {
    Form->SetBounds(10, 10, 500, 400);
    auto* Made = new G(Form.get());
    Grid = Made;
    Grid->SetName("DBGridGx1");
    Grid->SetParent(Form.get());
    Grid->SetBounds(0, 0, 300, 200);
    Source = NewSource({"A", "B"}, Rows, [](int R) { return Name(R); });
    Data = Source->DataSet();
    Grid->SetDataSource(Source);
    Grid->SetOptionsGx(Grid->OptionsGx() + TDBGridGxOptions{dghIncSearch} + Extra);
    Grid->CurrentColumn()->SetReadOnly(true);
    Form->Show();
    Grid->SetFocus();
    win::headless::ProcessMessages();
    Data->First();
    return Made;
  }
  std::string Current() const { return Data->FieldByName("A")->AsString(); }
  void Type(const std::string& Text) { win::headless::TypeText(Text); }
  void Press(win::UINT Key, win::UINT Modifiers = 0) {
    if (Modifiers) win::headless::PressKeys(Modifiers, Key);
    else win::headless::PressKey(Key);
  }
  void Wait(int Ms) { win::headless::AdvanceClock(static_cast<win::DWORD>(Ms)); }

  TDBGridGx* Grid = nullptr;
  TDataSource* Source = nullptr;
  TDataSet* Data = nullptr;
};
