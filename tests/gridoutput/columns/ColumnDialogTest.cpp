// The column set-up dialog from the grid's options menu: columns shown, hidden, renamed
// and added, each item acting on the column it was listed for.
#include <memory>

#include "grid/DBGridGx/LayoutRegistry.h"
#include "gridoutput/PrnDbggx.h"
#include "gridoutput/SetColumnForm.h"
#include "platform/controls/Menus.h"
#include "resources/forms/FormDescriptions.h"
#include "tests/support/GridFixture.h"
#include "tests/support/ModalDialog.h"
#include "tests/support/RegistryHome.h"

namespace {

using modal_dialog::Find;

class ColumnDialogTest : public GridTest {
protected:
  void SetUp() override {
    RegisterFormDescriptions();
    StartPrnDbggxUnit();
  }
  void TearDown() override {
    win::headless::SetIdleHandler(nullptr);
    FinishPrnDbggxUnit();
  }
  // Two columns on "Name" (the second titled "Alias"), "Amount" hidden; "Extra" has none.
  TDBGridGx* Grid() {
    TDBGridGx* G = NewGrid();
    G->SetDataSource(NewSource({"Name", "Amount", "Extra"}, 2));
    TDBGridColumnsGx* C = G->Columns();
    C->Clear();
    for (const char* Field : {"Name", "Name", "Amount"}) C->AddColumn()->SetFieldName(Field);
    C->ColumnAt(0)->Title()->SetCaption("Name");
    C->ColumnAt(1)->Title()->SetCaption("Alias");
    C->ColumnAt(2)->SetVisible(false);
    return G;
  }
  static void Run(TDBGridGx* G, std::function<void(TFrmSetColumn*)> Act) {
    modal_dialog::WhenShown([Act](TCustomForm* F) { Act(dynamic_cast<TFrmSetColumn*>(F)); });
    G->OptionsMenu()->Items()->Find("显示/隐藏列")->Click();
    win::headless::SetIdleHandler(nullptr);
  }
  // Renames the second column's title in the dialog, sets "自动存盘" and ends with Button.
  static void Rename(TDBGridGx* G, const std::string& Caption, bool AutoSave, const char* Button,
                     bool* ShownChecked = nullptr) {
    Run(G, [&](TFrmSetColumn* D) {
      if (ShownChecked) *ShownChecked = D->CheckBox1->Checked();
      D->CheckListBox1->SetItemIndex(1);
      D->CheckListBox1Click(D->CheckListBox1);
      D->Edit1->SetTextProp(Caption);
      D->Edit1->SetModified(true);
      D->Edit1Change(D->Edit1);
      D->CheckBox1->SetChecked(AutoSave);
      (std::string(Button) == "OK" ? D->OkBtn : D->CancelBtn)->Click();
    });
  }
  // The second column's caption as the grid's stored layout holds it.
  static std::string StoredCaption(TDBGridGx* G) {
    const std::string Shown = G->Columns()->ColumnAt(1)->Title()->Caption();
    G->Columns()->ColumnAt(1)->Title()->SetCaption("?");
    RestoreGridLayout(G, "");
    const std::string Stored = G->Columns()->ColumnAt(1)->Title()->Caption();
    G->Columns()->ColumnAt(1)->Title()->SetCaption(Shown);
    return Stored;
  }
  TRegistryHome Home;
};

TEST_F(ColumnDialogTest, ItemsActOnTheirOwnColumnsAndOkApplies) {
  TDBGridGx* G = Grid();
  int Items = 0;
  bool HiddenChecked = true;
  Run(G, [&](TFrmSetColumn* D) {
    ASSERT_NE(D, nullptr);
    EXPECT_EQ(D->Caption(), "设置表格列属性");
    Items = D->CheckListBox1->Items()->Count();
    HiddenChecked = D->CheckListBox1->Checked(2);
    D->CheckListBox1->SetItemIndex(1);
    D->CheckListBox1Click(D->CheckListBox1);
    EXPECT_EQ(D->Edit1->TextProp(), "Alias");
    D->Edit1->SetTextProp("Nick");
    D->Edit1->SetModified(true);
    D->CheckListBox1->SetChecked(2, true);
    D->CheckListBox1ClickCheck(D->CheckListBox1);
    D->OkBtn->Click();
  });
  EXPECT_EQ(Items, 3);
  EXPECT_FALSE(HiddenChecked);
  EXPECT_EQ(G->Columns()->ColumnAt(0)->Title()->Caption(), "Name");
  EXPECT_EQ(G->Columns()->ColumnAt(1)->Title()->Caption(), "Nick");
  EXPECT_TRUE(G->Columns()->ColumnAt(2)->Visible());
}

TEST_F(ColumnDialogTest, AllFieldsAddAColumnAndCancelKeepsWhatApplyDid) {
  TDBGridGx* G = Grid();
  Run(G, [&](TFrmSetColumn* D) {
    D->AllBtn->SetDown(true);
    D->AllBtnClick(D->AllBtn);
    ASSERT_EQ(D->CheckListBox1->Items()->Count(), 4);
    EXPECT_EQ(D->CheckListBox1->Items()->Strings(3), "Extra");
    EXPECT_FALSE(D->CheckListBox1->Checked(3));
    D->CheckListBox1->SetChecked(3, true);
    D->CheckListBox1->SetChecked(0, false);
    D->CheckListBox1ClickCheck(D->CheckListBox1);
    D->ApplyBtn->Click();
    EXPECT_FALSE(D->ApplyBtn->Enabled());
    D->CancelBtn->Click();
  });
  ASSERT_EQ(G->Columns()->Count(), 4);
  TColumnGx* Added = G->Columns()->ColumnAt(3);
  EXPECT_EQ(Added->FieldName(), "Extra");
  EXPECT_EQ(Added->Title()->Caption(), "Extra");
  EXPECT_EQ(Added->Title()->Alignment(), taCenter);
  EXPECT_TRUE(Added->Visible());
  EXPECT_FALSE(G->Columns()->ColumnAt(0)->Visible());
  EXPECT_TRUE(G->Columns()->ColumnAt(1)->Visible());
  EXPECT_EQ(G->Columns()->ColumnAt(1)->Title()->Caption(), "Alias");
}

TEST_F(ColumnDialogTest, AutoSaveStoresTheLayoutOnOkOnly) {
  TDBGridGx* G = Grid();
  bool Checked = true;
  // No stored layout: the box starts unchecked; Cancel writes nothing even when checked.
  Rename(G, "Nick", true, "Cancel", &Checked);
  EXPECT_FALSE(Checked);
  EXPECT_FALSE(GridLayoutExists(G, ""));
  // OK with the box checked stores the applied caption.
  Rename(G, "Nick", true, "OK");
  EXPECT_EQ(G->Columns()->ColumnAt(1)->Title()->Caption(), "Nick");
  ASSERT_TRUE(GridLayoutExists(G, ""));
  EXPECT_EQ(StoredCaption(G), "Nick");
  // A stored layout shows the box checked; unchecked, OK applies but stores nothing.
  Rename(G, "Alias", false, "OK", &Checked);
  EXPECT_TRUE(Checked);
  EXPECT_EQ(G->Columns()->ColumnAt(1)->Title()->Caption(), "Alias");
  EXPECT_EQ(StoredCaption(G), "Nick");
  Rename(G, "Moniker", true, "OK");
  EXPECT_EQ(StoredCaption(G), "Moniker");
}

}  // namespace
