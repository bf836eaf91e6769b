#pragma once
// A grid on a form, a registry store of the test's own, and the grid's columns as text.
#include <string>
#include <vector>

#include "grid/DBGridGx.h"
#include "tests/support/GridFixture.h"
#include "tests/support/RegistryHome.h"

class LayoutStoreTest : public GridTest {
protected:
  // The key the store gives a grid named DBGridGx1 on a plain form.
  static std::string GridKey(const std::string& Name = "TFormDBGridGx1") {
    return std::string("Software\\Microsoft\\Quenlar\\GridSave\\") + Name;
  }

  // A grid of 600 pixels on an open dataset with a string field A, an integer field N, a
  // float field F and a string field C.
  TDBGridGx* GridOnData() {
    TDBGridGx* Grid = NewGrid();
    Grid->SetBounds(0, 0, 600, 200);
    Grid->SetDataSource(NewSource({"A", "%N", "#F", "C"}, 3));
    return Grid;
  }

  // One line per column: field, width, visibility, caption, title alignment, footer
  // (field, value, type, alignment), read-only, colour, always-shown button, button
  // style, display format.
  static std::vector<std::string> Describe(TCustomDBGridGx* Grid) {
    std::vector<std::string> Lines;
    for (int I = 0; I < Grid->Columns()->Count(); ++I) {
      TColumnGx* C = Grid->Columns()->ColumnAt(I);
      TColumnFooterGx* F = C->Footer();
      Lines.push_back(C->FieldName() + "|" + std::to_string(C->Width()) + "|" + (C->Visible() ? "T" : "F") + "|" +
                      C->Title()->Caption() + "|" + std::to_string(int(C->Title()->Alignment())) + "|" +
                      F->FieldName() + "|" + F->Value() + "|" + std::to_string(int(F->ValueType())) + "|" +
                      std::to_string(int(F->Alignment())) + "|" + (C->ReadOnly() ? "ro" : "rw") + "|" +
                      std::to_string(int(C->Color())) + "|" + (C->AlwaysShowEditButton() ? "btn" : "-") + "|" +
                      std::to_string(int(C->ButtonStyle())) + "|" + C->DisplayFormat());
    }
    return Lines;
  }

  TRegistryHome Home;
};
