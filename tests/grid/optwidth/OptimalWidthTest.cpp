// Fitting columns to their widest title, record or footer text.
#include <functional>

#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/CellTextMeasure.h"
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/Selection.h"
#include "tests/support/PaintFixture.h"

namespace {

const char* const LongValue = "a much longer value";

class OptimalWidthTest : public GridPaintTest {
protected:
  // A shown grid over Name ("r1", LongValue, "r3"), Flag and Extra with customized columns.
  TDBGridGx* WidthGrid() {
    TDBGridGx* Grid = ShownGrid({"Name", "?Flag", "Extra"}, 3);
    TDataSet* DataSet = Grid->DataSource()->DataSet();
    DataSet->Next();
    DataSet->Edit();
    DataSet->FieldByName("Name")->SetAsString(LongValue);
    DataSet->Post();
    DataSet->First();
    for (const char* Field : {"Name", "Flag", "Extra"}) {
      TColumnGx* Column = Grid->Columns()->AddColumn();
      Column->SetFieldName(Field);
      Column->Title()->SetCaption(std::string(1, Field[0]));
      Column->SetWidth(40);
    }
    win::headless::ProcessMessages();
    return Grid;
  }
  static int TextWidth(TDBGridGx* Grid, TFont* Font, const std::string& Text) {
    Grid->Canvas()->Font()->Assign(Font);
    return MeasureTextWidth(Grid->Canvas(), Text);
  }
};

TEST_F(OptimalWidthTest, ColumnTakesItsWidestTitleRecordOrFooter) {
  struct Case {
    const char* Name;
    int ColumnIndex;
    std::function<void(TDBGridGx*, TColumnGx*)> Setup;
    std::function<int(TDBGridGx*, TColumnGx*)> Expected;
  };
  const std::string Caption = "A caption wider than every value";
  const std::string FooterText = "A footer text wider than any value or title";
  TImageList* Images = nullptr;
  const Case Cases[] = {
      {"a record's text", 0, [](TDBGridGx*, TColumnGx*) {},
       [](TDBGridGx* G, TColumnGx* C) { return TextWidth(G, C->Font(), LongValue) + 4; }},
      {"the title's caption", 0, [&](TDBGridGx*, TColumnGx* C) { C->Title()->SetCaption(Caption); },
       [&](TDBGridGx* G, TColumnGx* C) { return TextWidth(G, C->Title()->Font(), Caption) + 4; }},
      {"a footer's text", 0,
       [&](TDBGridGx* G, TColumnGx* C) {
         G->SetFooterRowCount(1);
         C->Footer()->SetValueType(fvtStaticText);
         C->Footer()->SetValue(FooterText);
       },
       [&](TDBGridGx* G, TColumnGx* C) { return TextWidth(G, C->Footer()->Font(), FooterText) + 5; }},
      {"the text the cell event gives", 0,
       [&](TDBGridGx*, TColumnGx* C) {
         C->SetOnGetCellParams([&](TObject*, bool, TColCellParamsGx* P) { P->Text = P->Text + Caption; });
       },
       [&](TDBGridGx* G, TColumnGx* C) { return TextWidth(G, C->Font(), LongValue + Caption) + 4; }},
      {"the text the footer event gives", 0,
       [&](TDBGridGx* G, TColumnGx*) {
         G->SetFooterRowCount(1);
         G->SetOnGetFooterParams([&](TObject*, int, int, TColumnGx*, TFont*, TColor&, TAlignment&, TGridDrawState,
                                     std::string& Text) { Text = FooterText; });
       },
       [&](TDBGridGx* G, TColumnGx* C) { return TextWidth(G, C->Footer()->Font(), FooterText) + 5; }},
      {"a check box", 1, [](TDBGridGx*, TColumnGx* C) { C->SetCheckboxes(true); },
       [](TDBGridGx*, TColumnGx*) { return DefaultCheckBoxWidth + 4; }},
      {"a check box with its button always shown", 1,
       [](TDBGridGx*, TColumnGx* C) {
         C->SetCheckboxes(true);
         C->SetButtonStyle(cbsEllipsis);
         C->SetAlwaysShowEditButton(true);
       },
       [](TDBGridGx*, TColumnGx* C) {
         EXPECT_GT(C->EditButtonsWidth(), 0);
         return DefaultCheckBoxWidth + 4 + C->EditButtonsWidth();
       }},
      {"a vertical title by its line height", 2,
       [&](TDBGridGx*, TColumnGx* C) {
         C->Title()->Font()->SetSize(24);
         C->Title()->SetOrientation(tohVertical);
         C->Title()->SetCaption(Caption);
       },
       [&](TDBGridGx* G, TColumnGx* C) {
         G->Canvas()->Font()->Assign(C->Title()->Font());
         return G->Canvas()->TextExtent(Caption).cy + 4;
       }},
      {"a title image in place of a long caption", 2,
       [&](TDBGridGx* G, TColumnGx* C) {
         G->SetTitleImages(Images);
         C->Title()->SetImageIndex(0);
         C->Title()->SetCaption(Caption);
       },
       [&](TDBGridGx*, TColumnGx*) { return Images->Width() + 4; }},
  };
  for (const Case& C : Cases) {
    SCOPED_TRACE(C.Name);
    Form = std::make_unique<TForm>(nullptr);
    Images = new TImageList(Form.get());
    TDBGridGx* Grid = WidthGrid();
    TColumnGx* Column = Grid->Columns()->ColumnAt(C.ColumnIndex);
    C.Setup(Grid, Column);
    Grid->OptimizeColumnWidth(Column);
    EXPECT_EQ(Column->Width(), C.Expected(Grid, Column));
  }
}

TEST_F(OptimalWidthTest, SelectedColumnsAreFittedTogether) {
  TDBGridGx* Grid = WidthGrid();
  TColumnGx* Name = Grid->Columns()->ColumnAt(0);
  TColumnGx* Flag = Grid->Columns()->ColumnAt(1);
  TColumnGx* Extra = Grid->Columns()->ColumnAt(2);
  Flag->SetCheckboxes(true);
  Grid->GridSelection()->Columns()->SelectColumn(Name, false);
  Grid->GridSelection()->Columns()->SelectColumn(Flag, true);
  Grid->GridSelection()->UpdateKind();
  ASSERT_EQ(Grid->GridSelection()->Kind(), gstColumns);
  Grid->OptimizeColumnWidth(Extra);
  EXPECT_EQ(Name->Width(), TextWidth(Grid, Name->Font(), LongValue) + 4);
  EXPECT_EQ(Flag->Width(), DefaultCheckBoxWidth + 4);
  int Widest = TextWidth(Grid, Extra->Title()->Font(), "E");
  for (const char* Value : {"r1", "r2", "r3"}) Widest = std::max(Widest, TextWidth(Grid, Extra->Font(), Value));
  EXPECT_EQ(Extra->Width(), Widest + 4);
}

TEST_F(OptimalWidthTest, ClosedDatasetLeavesWidthsAlone) {
  TDBGridGx* Grid = WidthGrid();
  TColumnGx* Name = Grid->Columns()->ColumnAt(0);
  Name->SetWidth(77);
  Grid->DataSource()->DataSet()->Close();
  Grid->OptimizeColumnWidth(Name);
  EXPECT_EQ(Name->Width(), 77);
}

}  // namespace
