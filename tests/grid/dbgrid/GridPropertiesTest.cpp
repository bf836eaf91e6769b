// The grid's published properties: defaults, what a form description stores, and the
// writers' reactions.
#include "tests/support/GridFixture.h"
#include "tests/support/CountingGrid.h"

#include "gridcontrols/GxCurrency.h"

namespace {

std::string GridBlock(const std::string& Text, const std::string& Name) {
  const std::size_t Start = Text.find("object " + Name + ": TDBGridGx");
  if (Start == std::string::npos) return {};
  return Text.substr(Start, Text.find("\n  end", Start) - Start);
}

TEST_F(GridTest, ANewGridStartsWithItsDefaultsAndStoresNoneOfThem) {
  TDBGridGx* Grid = NewGrid();
  EXPECT_TRUE(Grid->UseMenu());
  EXPECT_TRUE(Grid->AutoSort());
  EXPECT_TRUE(Grid->SortOnColumnClick());
  EXPECT_FALSE(Grid->ShowBmp());
  EXPECT_EQ(Grid->RowTwoColor(), TColor(0xF0FBFF));
  EXPECT_EQ(Grid->RowOneColor(), clWindow);
  EXPECT_EQ(Grid->Options(), DefaultDBGridOptions);
  EXPECT_EQ(Grid->OptionsGx(), (TDBGridGxOptions{dghFixed3D, dghHighlightFocus, dghClearSelection}));
  EXPECT_EQ(Grid->AllowedOperations(), AllDBGridGxOperations);
  EXPECT_EQ(Grid->AllowedSelections(),
            (TDBGridGxAllowedSelections{gstRecordBookmarks, gstRectangle, gstColumns, gstAll}));
  EXPECT_EQ(Grid->VTitleMargin(), 10);
  EXPECT_EQ(Grid->TextMargin(), 4);
  EXPECT_EQ(Grid->FixGridlinecolor(), clGray);
  EXPECT_EQ(Grid->Gridlinecolor(), clGray);
  EXPECT_EQ(Grid->ScrollBars(), ssHorizontal);
  EXPECT_NE(Grid->CurrencyStyle(), nullptr);
  EXPECT_EQ(Grid->IndicatorColCount(), 1);
  EXPECT_EQ(Grid->TitleAreaRowCount(), 1);

  const std::string Block = GridBlock(WriteComponentResText(Form.get()), "DBGridGx1");
  ASSERT_FALSE(Block.empty());
  for (const char* Name :
       {"UseMenu", "AutoSort", "ShowBmp", "RowTwoColor", "RowOneColor", "Options", "OptionsGx", "AllowedOperations",
        "AllowedSelections", "VTitleMargin", "SortOnColumnClick", "DefaultDrawing", "EditActions", "Color =",
        "ParentColor", "TabStop", "BorderStyle", "FixedColor", "AutoSetFooterWhenRestore", "AllowMoveColumn",
        "SumFieldNotInclude", "ProtectFieldList", "Columns", "DrawMemoText", "FooterRowCount"})
    EXPECT_EQ(Block.find(std::string("\n    ") + Name), std::string::npos) << Name << "\n" << Block;
  // Stored whatever their value.
  for (const char* Entry : {"FooterColor = clWindow", "FooterDisplayStyle = False", "FixGridlinecolor = clGray",
                            "Gridlinecolor = clGray"})
    EXPECT_NE(Block.find(Entry), std::string::npos) << Entry << "\n" << Block;
}

TEST_F(GridTest, ChangedSettingsSurviveSavingAndLoading) {
  TDBGridGx* Grid = NewGrid();
  Grid->SetUseMenu(false);
  Grid->SetShowBmp(true);
  Grid->SetRowColorFlag(true);
  Grid->SetOptions(DefaultDBGridOptions + dgMultiSelect - dgConfirmDelete);
  Grid->ProtectFieldList()->Add("KeyIndex");
  const std::string Text = WriteComponentResText(Form.get());

  TForm Copy(nullptr);
  TDBGridGx* Read = ReadGrid(Text, Copy);
  ASSERT_NE(Read, nullptr);
  EXPECT_FALSE(Read->UseMenu());
  EXPECT_TRUE(Read->ShowBmp());
  EXPECT_TRUE(Read->RowColorFlag());
  EXPECT_EQ(Read->Options(), Grid->Options());
  ASSERT_EQ(Read->ProtectFieldList()->Count(), 1);
  EXPECT_EQ(Read->ProtectFieldList()->Strings(0), "KeyIndex");
  EXPECT_EQ(WriteComponentResText(&Copy), Text);
}

TEST_F(GridTest, RowSelectLeavesNoEditingInTheStoredOptions) {
  TDBGridGx* Grid = NewGrid();
  Grid->SetOptions(TDBGridOptions{dgEditing, dgAlwaysShowEditor, dgRowSelect, dgTitles});
  EXPECT_EQ(Grid->Options(), (TDBGridOptions{dgRowSelect, dgTitles}));
  EXPECT_TRUE(Grid->TCustomGrid::Options().Contains(goRowSelect));
  EXPECT_FALSE(Grid->TCustomGrid::Options().Contains(goEditing));
  EXPECT_FALSE(Grid->TCustomGrid::Options().Contains(goAlwaysShowEditor));
}

TEST_F(GridTest, OptionsMapOntoTheBaseGrid) {
  TDBGridGx* Grid = NewGrid();
  Grid->SetRowSizingAllowed(true);
  Grid->SetOptions(TDBGridOptions{dgColLines, dgColumnResize, dgTabs});
  EXPECT_EQ(Grid->TCustomGrid::Options(),
            (TGridOptions{goFixedVertLine, goVertLine, goColSizing, goColMoving, goTabs, goRowSizing}));
  Grid->SetRowSizingAllowed(false);
  EXPECT_FALSE(Grid->TCustomGrid::Options().Contains(goRowSizing));
}

TEST_F(GridTest, OnlyOptionsThatShapeTheGridRequestALayout) {
  const struct {
    TDBGridOption Option;
    bool Relayout;
  } Cases[] = {
      {dgEditing, true},     {dgAlwaysShowEditor, true},     {dgTitles, true},         {dgIndicator, true},
      {dgColLines, true},    {dgRowLines, true},             {dgRowSelect, true},      {dgAlwaysShowSelection, true},
      {dgTabs, false},       {dgConfirmDelete, false},       {dgCancelOnExit, false},  {dgMultiSelect, false},
      {dgColumnResize, false},
  };
  for (const auto& Case : Cases) {
    auto* Grid = new TCountingGrid(Form.get());
    Grid->SetParent(Form.get());
    const TDBGridOptions Start = DefaultDBGridOptions;
    Grid->Requests = 0;
    Grid->SetOptions(Start.Contains(Case.Option) ? Start - Case.Option : Start + Case.Option);
    EXPECT_EQ(Grid->Requests > 0, Case.Relayout) << GetEnumName(EnumTypeInfo(Case.Option), Case.Option);
    Grid->Requests = 0;
    Grid->SetOptions(Grid->Options());
    EXPECT_EQ(Grid->Requests, 0) << "unchanged options do nothing";
    delete Grid;
  }
}

TEST_F(GridTest, WritersIgnoreValuesTheyRefuse) {
  TCountingGrid* Grid = new TCountingGrid(Form.get());
  Grid->SetFooterRowCount(2);
  Grid->Requests = 0;
  Grid->SetFooterRowCount(-1);
  Grid->SetFooterRowCount(2);
  EXPECT_EQ(Grid->FooterRowCount(), 2);
  EXPECT_EQ(Grid->Requests, 0);
  Grid->SetFrozenCols(-1);
  EXPECT_EQ(Grid->FrozenCols(), 0);
  EXPECT_EQ(Grid->Requests, 0);
  Grid->SetFrozenCols(0);
  EXPECT_EQ(Grid->Requests, 1) << "an unchanged FrozenCols still re-lays out";
  Grid->SetRowHeight(-5);
  EXPECT_EQ(Grid->RowHeight(), 0);
}

TEST_F(GridTest, AutoSortDrivesSortOnColumnClickButNotTheOtherWay) {
  TDBGridGx* Grid = NewGrid();
  Grid->SetAutoSort(false);
  EXPECT_FALSE(Grid->SortOnColumnClick());
  Grid->SetSortOnColumnClick(true);
  EXPECT_FALSE(Grid->AutoSort());
  EXPECT_TRUE(Grid->SortOnColumnClick());
}

TEST_F(GridTest, DrawCurrencySwitchesMoneyTextOnForGood) {
  TDBGridGx* Grid = NewGrid();
  EXPECT_FALSE(Grid->MoneyTextFormatting());
  Grid->SetDrawCurrency(true);
  Grid->SetDrawCurrency(false);
  EXPECT_TRUE(Grid->MoneyTextFormatting());
}

TEST_F(GridTest, AnAssignedMoneyStyleIsCopiedNotAdopted) {
  TDBGridGx* Grid = NewGrid();
  TMoneyStyle* Own = Grid->CurrencyStyle();
  {
    TMoneyStyle External(nullptr);
    External.SetCurrencySymbol("$");
    External.SetRadixColor(clBlue);
    Grid->SetCurrencyStyle(&External);
  }  // the external style is gone; the grid keeps its own copy
  EXPECT_EQ(Grid->CurrencyStyle(), Own);
  EXPECT_EQ(Grid->CurrencyStyle()->CurrencySymbol(), "$");
  EXPECT_EQ(Grid->CurrencyStyle()->RadixColor(), clBlue);
  Grid->SetCurrencyStyle(nullptr);
  EXPECT_EQ(Grid->CurrencyStyle(), Own);
  delete Grid;  // frees only its own style
}

TEST_F(GridTest, FontChangesByTheApplicationClearParentFont) {
  TDBGridGx* Grid = NewGrid();
  ASSERT_TRUE(Grid->ParentFont());
  Grid->TitleFont()->SetHeight(-20);
  EXPECT_FALSE(Grid->ParentFont());
  Grid->SetParentFont(true);
  Grid->FooterFont()->SetHeight(-20);
  EXPECT_FALSE(Grid->ParentFont());
}

TEST_F(GridTest, ColumnsAreFoundByFieldName) {
  TDBGridGx* Grid = NewGrid();
  Grid->Columns()->AddColumn()->SetFieldName("KeyIndex");
  Grid->Columns()->AddColumn()->SetFieldName("Content");
  EXPECT_EQ(Grid->ColumnByFieldName("KEYINDEX"), Grid->Columns()->ColumnAt(0));
  EXPECT_EQ(Grid->FindColumnNoCase("content"), Grid->Columns()->ColumnAt(1));
  EXPECT_EQ(Grid->FindColumnNoCase("Missing"), nullptr);
  try {
    Grid->ColumnByFieldName("Missing");
    FAIL() << "no error";
  } catch (const EInvalidGridOperation& E) {
    EXPECT_STREQ(E.what(), "字段名 'Missing' 没有找到");
  }
}

}  // namespace
