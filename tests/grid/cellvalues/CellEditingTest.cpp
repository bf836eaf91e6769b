// Whether a cell may be edited, the editor style it shows, the width of its buttons and
// the parameters it is drawn with.
#include <functional>

#include "grid/DBGridGx/GridDataLink.h"
#include "platform/desktop/Windows.h"
#include "tests/support/CellValuesFixture.h"

namespace {

TEST_F(CellValuesTest, CheckEditableFollowsColumnGridFieldAndAllowedOperations) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}, {"M", ftMemo}, {"BL", ftBlob}});
  TClientDataSet* Main = NewLookupPair();
  TClientDataSet* Empty = NewDataSet({{"S", ftString}}, "Empty");
  Empty->Delete();
  auto None = NoSetting;
  const SettingCase<bool> Cases[] = {
      {"plain", Data, "S", None, true},
      {"no field", Data, "Missing", None, false},
      {"read-only column", Data, "S", [](TColumnGx* C) { C->SetReadOnly(true); }, false},
      {"read-only grid", Data, "S", [this](TColumnGx*) { Grid->SetReadOnly(true); }, false},
      {"read-only link", Data, "S", [this](TColumnGx*) { Grid->GridLink()->SetReadOnly(true); }, false},
      {"read-only field", Data, "S", [Data](TColumnGx*) { Data->FieldByName("S")->SetReadOnly(true); }, false},
      {"no updates", Data, "S", [this](TColumnGx*) { Grid->SetAllowedOperations({alopInsertGx}); }, false},
      {"blob", Data, "BL", None, false},
      {"blob with OnSetText", Data, "BL",
       [Data](TColumnGx*) { Data->FieldByName("BL")->SetOnSetText(TFieldSetTextEvent([](TField*, const std::string&) {})); },
       true},
      {"memo", Data, "M", None, false},
      {"memo shown as text", Data, "M", [this](TColumnGx*) { Grid->SetDrawMemoText(true); }, true},
      {"empty dataset, rows may be added", Empty, "S", None, true},
      {"empty dataset, only updates", Empty, "S", [this](TColumnGx*) { Grid->SetAllowedOperations({alopUpdateGx}); },
       false},
      {"lookup", Main, "Title", None, true},
      {"lookup with a read-only key", Main, "Title",
       [Main](TColumnGx*) { Main->FieldByName("Code")->SetReadOnly(true); }, false},
      {"lookup without key fields", Main, "Title",
       [Main](TColumnGx*) { Main->FieldByName("Title")->SetKeyFields(""); }, false},
  };
  CheckSettings(
      Cases,
      [](TColumnGx* C) {
        const bool Editable = C->CheckEditable(false);
        EXPECT_NE(C->Field() ? C->Field()->DataSet()->State() : dsBrowse, dsEdit);
        return Editable;
      },
      [&] {
        Grid->SetReadOnly(false);
        Grid->GridLink()->SetReadOnly(false);
        Grid->SetAllowedOperations(AllDBGridGxOperations);
        Grid->SetDrawMemoText(false);
        Data->FieldByName("S")->SetReadOnly(false);
        Main->FieldByName("Code")->SetReadOnly(false);
        Main->FieldByName("Title")->SetKeyFields("Code");
      });
}

TEST_F(CellValuesTest, CheckEditableEntersEditingOnlyWhenAsked) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  TColumnGx* Column = ColumnOn(Data, "S");
  EXPECT_TRUE(Column->CheckEditable(false));
  EXPECT_FALSE(Grid->GridLink()->Modified());
  EXPECT_TRUE(Column->CheckEditable(true));
  EXPECT_EQ(Data->State(), dsEdit);
  EXPECT_TRUE(Grid->GridLink()->Editing());
  EXPECT_TRUE(Grid->GridLink()->Modified());
}

TEST_F(CellValuesTest, ColumnEditStyleFollowsButtonStyleAndField) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}, {"D", ftDate}, {"DT", ftDateTime}, {"TS", ftTimeStamp},
                                     {"T", ftTime}});
  TClientDataSet* Main = NewLookupPair();
  auto* Images = new TCustomImageList(Form.get());
  auto None = NoSetting;
  auto Picks = [](TColumnGx* C) { SetLines(C->PickList(), {"a"}); };
  const SettingCase<TInplaceEditStyleGx> Cases[] = {
      {"ellipsis", Data, "S", [](TColumnGx* C) { C->SetButtonStyle(cbsEllipsis); }, iesEllipsisGx},
      {"up-down", Data, "S", [](TColumnGx* C) { C->SetButtonStyle(cbsUpDown); }, iesUpDownGx},
      {"drop-down", Data, "S", [](TColumnGx* C) { C->SetButtonStyle(cbsDropDown); }, iesDropDownGx},
      {"none beats a pick list", Data, "S",
       [&](TColumnGx* C) {
         Picks(C);
         C->SetButtonStyle(cbsNone);
       },
       iesSimpleGx},
      {"auto, no field", Data, "Missing", Picks, iesSimpleGx},
      {"plain", Data, "S", None, iesSimpleGx},
      {"pick list", Data, "S", Picks, iesPickListGx},
      {"empty pick list", Data, "S", [](TColumnGx* C) { C->PickList(); }, iesSimpleGx},
      {"pick list with images", Data, "S",
       [&](TColumnGx* C) {
         Picks(C);
         C->SetImageList(Images);
       },
       iesSimpleGx},
      {"read-only pick list", Data, "S",
       [&](TColumnGx* C) {
         Picks(C);
         C->SetReadOnly(true);
       },
       iesSimpleGx},
      {"date", Data, "D", None, iesCalendarGx},
      {"date and time", Data, "DT", None, iesCalendarGx},
      {"time stamp", Data, "TS", None, iesCalendarGx},
      {"time", Data, "T", None, iesSimpleGx},
      {"read-only date", Data, "D", [](TColumnGx* C) { C->SetReadOnly(true); }, iesSimpleGx},
      {"lookup", Main, "Title", None, iesLookupListGx},
      {"lookup with a pick list", Main, "Title", Picks, iesLookupListGx},
      {"lookup, read-only column", Main, "Title", [](TColumnGx* C) { C->SetReadOnly(true); }, iesSimpleGx},
      {"lookup, read-only grid", Main, "Title", [this](TColumnGx*) { Grid->SetReadOnly(true); }, iesSimpleGx},
      {"lookup, read-only key", Main, "Title",
       [Main](TColumnGx*) { Main->FieldByName("Code")->SetReadOnly(true); }, iesSimpleGx},
      {"lookup, read-only key while designing", Main, "Title",
       [this, Main](TColumnGx*) {
         Main->FieldByName("Code")->SetReadOnly(true);
         Grid->SetDesigning(true, false);
       },
       iesLookupListGx},
  };
  CheckSettings(Cases, ColumnEditStyle, [&] {
    Grid->SetReadOnly(false);
    Main->FieldByName("Code")->SetReadOnly(false);
  });
}

TEST_F(CellValuesTest, EditButtonsWidthCountsTheMainAndEveryVisibleButton) {
  TColumnGx* Column = ColumnOn(NewDataSet({{"S", ftString}}), "S");
  const int Scroll = win::GetSystemMetrics(win::SM_CXVSCROLL);
  const int FlatWidth = DefaultFlatButtonWidth;
  EXPECT_EQ(Column->EditButtonsWidth(), 0);
  Column->SetButtonStyle(cbsEllipsis);
  EXPECT_EQ(Column->EditButtonsWidth(), Scroll);
  Column->EditButtons()->Add();
  TEditButtonGx* Narrow = Column->EditButtons()->Add();
  Narrow->SetWidth(10);
  Narrow->SetVisible(false);
  EXPECT_EQ(Column->EditButtonsWidth(), 2 * Scroll);
  Narrow->SetVisible(true);
  EXPECT_EQ(Column->EditButtonsWidth(), 2 * Scroll + 10);
  Grid->SetFlat(true);
  EXPECT_EQ(Column->EditButtonsWidth(), (FlatWidth + 1) + (FlatWidth + 1) + (10 + 1));
  Column->SetButtonStyle(cbsNone);
  EXPECT_EQ(Column->EditButtonsWidth(), (FlatWidth + 1) + (10 + 1));
}

TEST_F(CellValuesTest, FillCellParamsTakesTheCellOfTheCurrentRecord) {
  TClientDataSet* Data = NewDataSet({{"S", ftString}});
  Put(Data, "S", Variant("b"));
  TColumnGx* Column = ColumnOn(Data, "S");
  SetLines(Column->KeyList(), {"a", "b"});
  SetLines(Column->PickList(), {"A", "B"});
  Column->SetColor(clYellow);
  Column->SetAlignment(taRightJustify);
  Column->SetReadOnly(true);
  bool Fired = false;
  Column->SetOnGetCellParams(TGetColCellParamsEventGx([&](TObject*, bool, TColCellParamsGx*) { Fired = true; }));
  TColCellParamsGx Params;
  Params.Row = 3;
  Params.Col = 4;
  Params.State = TGridDrawState{gdFocused};
  Column->FillCellParams(&Params);
  EXPECT_EQ(Params.Row, -1);
  EXPECT_EQ(Params.Col, -1);
  EXPECT_TRUE(Params.State.Empty());
  EXPECT_EQ(Params.Font, Column->Font());
  EXPECT_EQ(Params.Background, clYellow);
  EXPECT_EQ(Params.Alignment, taRightJustify);
  EXPECT_EQ(Params.Text, "B");
  EXPECT_EQ(Params.ImageIndex, -1);
  EXPECT_EQ(Params.CheckState, cbUnchecked);  // "b" is the second key
  EXPECT_TRUE(Params.ReadOnly);
  EXPECT_FALSE(Fired);  // the caller fires the parameter events
}

}  // namespace
