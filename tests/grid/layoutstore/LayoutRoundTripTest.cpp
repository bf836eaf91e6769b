// A grid's layout saved to the registry and restored: what comes back, and what the key
// holds.
#include "tests/grid/layoutstore/LayoutStoreFixture.h"

namespace {

using RoundTripTest = LayoutStoreTest;

TEST_F(RoundTripTest, ColumnsComeBackWithTheirSettings) {
  TDBGridGx* Grid = GridOnData();
  Grid->SetFooterRowCount(1);
  Grid->SetAutoSetFooterWhenRestore(false);
  const struct {
    const char* Field;
    int Width;
    bool Visible;
    const char* Caption;
  } Columns[] = {{"C", 90, true, "mail@host"}, {"A", 120, true, "名称@价格"}, {"N", 50, false, "数量"}, {"F", 70, true, ""}};
  for (const auto& Spec : Columns) {
    TColumnGx* C = Grid->Columns()->AddColumn();
    C->SetFieldName(Spec.Field);
    C->SetWidth(Spec.Width);
    C->SetVisible(Spec.Visible);
    C->Title()->SetCaption(Spec.Caption);
  }
  TColumnGx* A = Grid->Columns()->ColumnAt(1);
  A->Footer()->SetFieldName("A");
  A->Footer()->SetValue("合计@");
  A->Footer()->SetValueType(fvtStaticText);
  A->Footer()->SetAlignment(taCenter);
  A->SetReadOnly(true);
  A->SetColor(clYellow);
  A->SetAlwaysShowEditButton(true);
  A->SetButtonStyle(cbsEllipsis);
  A->SetDisplayFormat("@@0.00");
  Grid->Columns()->ColumnAt(0)->SetColor(clBtnFace);
  for (int I = 0; I < Grid->Columns()->Count(); ++I) Grid->Columns()->ColumnAt(I)->Title()->SetAlignment(taCenter);
  const std::vector<std::string> Saved = Describe(Grid);

  SaveGridLayout(Grid, "");
  Grid->Columns()->Clear();
  Grid->Columns()->AddColumn()->SetFieldName("N");
  RestoreGridLayout(Grid, "");

  // A caption left empty comes back as the field's name.
  std::vector<std::string> Expected = Saved;
  Expected[3] = "F|70|T|F" + Saved[3].substr(std::string("F|70|T|").size());
  EXPECT_EQ(Describe(Grid), Expected);
}

TEST_F(RoundTripTest, TheKeyHoldsTheSaveTimeAndOneValuePerColumn) {
  TDBGridGx* Grid = GridOnData();
  Grid->Columns()->AddColumn()->SetFieldName("A");
  Grid->Columns()->AddColumn()->SetFieldName("N");
  SaveGridLayout(Grid, "");
  EXPECT_EQ(TRegistryHome::StoredNames(GridKey()), (std::vector<std::string>{"最后更新时间", "0000", "0001"}));
  EXPECT_EQ(SplitLayoutField(TRegistryHome::Stored(GridKey(), "0001"), 0), "N");
  EXPECT_TRUE(GridLayoutExists(Grid, ""));
  EXPECT_FALSE(GridLayoutExists(Grid, "Other"));

  // A name given is trimmed and used instead of the grid's own.
  SaveGridLayout(Grid, "  Mine ");
  EXPECT_TRUE(GridLayoutExists(Grid, "Mine"));
  EXPECT_EQ(SplitLayoutField(TRegistryHome::Stored(GridKey("Mine"), "0000"), 0), "A");
}

TEST_F(RoundTripTest, SavingFewerColumnsLeavesNoStaleValues) {
  TDBGridGx* Grid = GridOnData();
  for (const char* F : {"A", "N", "F"}) Grid->Columns()->AddColumn()->SetFieldName(F);
  SaveGridLayout(Grid, "");
  Grid->Columns()->Delete(2);
  Grid->Columns()->Delete(0);
  SaveGridLayout(Grid, "");
  EXPECT_EQ(TRegistryHome::StoredNames(GridKey()), (std::vector<std::string>{"最后更新时间", "0000"}));
  Grid->Columns()->AddColumn()->SetFieldName("C");
  RestoreGridLayout(Grid, "");
  ASSERT_EQ(Grid->Columns()->Count(), 1);
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->FieldName(), "N");
}

TEST_F(RoundTripTest, FieldsMissingFromAnOpenDatasetAreLeftOut) {
  TDBGridGx* Wide = GridOnData();
  for (const char* F : {"A", "N", "F", "C"}) Wide->Columns()->AddColumn()->SetFieldName(F);
  SaveGridLayout(Wide, "Shared");
  Wide->DataSource()->DataSet()->SetName("Wide");
  Wide->DataSource()->SetName("WideSource");

  TDBGridGx* Narrow = NewGrid("Narrow");
  Narrow->SetBounds(0, 0, 600, 200);
  Narrow->SetDataSource(NewSource({"A", "C"}, 1));
  RestoreGridLayout(Narrow, "Shared");
  std::vector<std::string> Fields;
  for (int I = 0; I < Narrow->Columns()->Count(); ++I) Fields.push_back(Narrow->Columns()->ColumnAt(I)->FieldName());
  EXPECT_EQ(Fields, (std::vector<std::string>{"A", "C"}));

  // With the dataset closed every stored column comes back.
  Narrow->DataSource()->DataSet()->Close();
  RestoreGridLayout(Narrow, "Shared");
  EXPECT_EQ(Narrow->Columns()->Count(), 4);
}

// Stored texts written by hand, one per column, under the grid's key.
void WriteLayout(const std::string& Key, const std::vector<std::pair<std::string, std::string>>& Values) {
  TRegistry Reg;
  ASSERT_TRUE(Reg.OpenKey(Key, true));
  for (const auto& [Name, Text] : Values) Reg.WriteString(Name, Text);
}

TEST_F(RoundTripTest, StoredTextsAreReadByTheRestoreRules) {
  TDBGridGx* Grid = GridOnData();
  Grid->SetColor(clCream);
  WriteLayout(GridKey(), {{"0000", "A@9999@t@Left@@@@@@@@@"},
                          {"0001", "N@wide@TRUE@@@@@@true@nocolour@@@"},
                          {"0002", "F@40@F@@@@@@@" + std::to_string(int(clCream)) + "@@9@"},
                          {"0003", "C@30@T@@@@@@@" + std::to_string(int(clRed)) + "@yes TRUE@1@#,##0"},
                          {"0004", "@50@T"},
                          {"0006", "A@50@T"}});
  RestoreGridLayout(Grid, "");
  // No name: skipped; the gap after 0004 ends the layout.
  ASSERT_EQ(Grid->Columns()->Count(), 4);
  TColumnGx* A = Grid->Columns()->ColumnAt(0);
  TColumnGx* N = Grid->Columns()->ColumnAt(1);
  TColumnGx* F = Grid->Columns()->ColumnAt(2);
  TColumnGx* C = Grid->Columns()->ColumnAt(3);
  // Capped at the grid's width - 6; not a number: 60.
  EXPECT_EQ(A->Width(), 594);
  EXPECT_EQ(N->Width(), 60);
  // Visible only for "T", in any case.
  EXPECT_TRUE(A->Visible());
  EXPECT_FALSE(N->Visible());
  EXPECT_FALSE(F->Visible());
  EXPECT_EQ(A->Title()->Caption(), "Left");
  EXPECT_EQ(N->Title()->Caption(), "N");
  for (TColumnGx* Column : {A, N, F, C}) EXPECT_EQ(Column->Title()->Alignment(), taCenter);
  EXPECT_TRUE(N->ReadOnly());
  EXPECT_FALSE(A->ReadOnly());
  // A bad colour and the grid's own colour are not taken.
  EXPECT_FALSE(N->AssignedValues().Contains(cvColor));
  EXPECT_FALSE(F->AssignedValues().Contains(cvColor));
  EXPECT_EQ(C->Color(), clRed);
  EXPECT_TRUE(C->AlwaysShowEditButton());
  // A button style out of range leaves the default.
  EXPECT_EQ(F->ButtonStyle(), cbsAuto);
  EXPECT_EQ(C->ButtonStyle(), cbsEllipsis);
  EXPECT_EQ(C->DisplayFormat(), "#,##0");
}

TEST_F(RoundTripTest, FootersOfNumbersBecomeSumsUnlessExcluded) {
  TDBGridGx* Grid = GridOnData();
  Grid->SetFooterRowCount(1);
  const std::string Static = "@@@@N@total@5@0@@@@@";
  WriteLayout(GridKey(), {{"0000", "N" + Static}, {"0001", "F" + Static}, {"0002", "A" + Static}});
  Grid->SumFieldNotInclude()->Add("F");
  RestoreGridLayout(Grid, "");
  auto Footer = [&](int I) {
    TColumnFooterGx* F = Grid->Columns()->ColumnAt(I)->Footer();
    return F->FieldName() + "|" + F->Value() + "|" + std::to_string(int(F->ValueType())) + "|" +
           std::to_string(int(F->Alignment()));
  };
  EXPECT_EQ(Footer(0), "N||1|1");
  EXPECT_EQ(Footer(1), "N|total|5|0");
  EXPECT_EQ(Footer(2), "N|total|5|0");

  Grid->SetAutoSetFooterWhenRestore(false);
  RestoreGridLayout(Grid, "");
  EXPECT_EQ(Footer(0), "N|total|5|0");
}

TEST_F(RoundTripTest, ANarrowGridKeepsTheStoredWidths) {
  TDBGridGx* Grid = GridOnData();
  Grid->SetBounds(0, 0, 4, 200);
  WriteLayout(GridKey(), {{"0000", "A@80@T"}});
  RestoreGridLayout(Grid, "");
  ASSERT_EQ(Grid->Columns()->Count(), 1);
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->Width(), 80);
}

TEST_F(RoundTripTest, MoreThanTenThousandColumnsKeepTheirOwnNames) {
  TDBGridGx* Grid = NewGrid();
  Grid->SetBounds(0, 0, 600, 200);
  Grid->LockLayout();
  for (int I = 0; I < 10002; ++I) {
    TColumnGx* C = Grid->Columns()->AddColumn();
    C->SetFieldName("F" + std::to_string(I));
    C->SetWidth(20);
  }
  Grid->UnlockLayout();
  SaveGridLayout(Grid, "");
  EXPECT_EQ(SplitLayoutField(TRegistryHome::Stored(GridKey(), "0000"), 0), "F0");
  EXPECT_EQ(SplitLayoutField(TRegistryHome::Stored(GridKey(), "10001"), 0), "F10001");

  Grid->Columns()->Clear();
  RestoreGridLayout(Grid, "");
  ASSERT_EQ(Grid->Columns()->Count(), 10002);
  EXPECT_EQ(Grid->Columns()->ColumnAt(0)->FieldName(), "F0");
  EXPECT_EQ(Grid->Columns()->ColumnAt(10001)->FieldName(), "F10001");
}

TEST_F(RoundTripTest, AReadOnlyGridSavesNothingButRestores) {
  TDBGridGx* Grid = GridOnData();
  Grid->Columns()->AddColumn()->SetFieldName("A");
  SaveGridLayout(Grid, "");
  Grid->Columns()->AddColumn()->SetFieldName("C");
  Grid->SetReadOnly(true);
  SaveGridLayout(Grid, "");
  EXPECT_EQ(TRegistryHome::Stored(GridKey(), "0001"), "<none>");
  RestoreGridLayout(Grid, "");
  EXPECT_EQ(Grid->Columns()->Count(), 1);
}

}  // namespace
